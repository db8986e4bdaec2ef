// The one-field records: defaults, validity, normalisation, ordering and
// their script form, plus length conversions and ranges.
#include <brackwater/QXByteTypes.h>
#include <brackwater/QXNumberTypes.h>
#include <brackwater/QX_DLEN_TYPE.h>
#include <brackwater/QX_PLEN_TYPE.h>
#include <brackwater/QX_RANGE_D_TYPE.h>
#include <brackwater/QX_RANGE_L_TYPE.h>

#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
// The first value outside [lo, hi] on each side must normalize to norm,
// the bounds themselves must stay.
template <class Record> void ExpectSpan(int lo, int hi, int norm)
{
    Record r;
    r.value = static_cast<typename Record::value_type>(lo);
    EXPECT_TRUE(r.check()) << lo;
    r.value = static_cast<typename Record::value_type>(hi);
    EXPECT_TRUE(r.check()) << hi;
    r.normalize();
    EXPECT_EQ(hi, r.value);
    r.value = static_cast<typename Record::value_type>(hi + 1);
    EXPECT_FALSE(r.check()) << hi + 1;
    r.normalize();
    EXPECT_EQ(norm, r.value);
    if (lo > 0)
    {
        r.value = static_cast<typename Record::value_type>(lo - 1);
        EXPECT_FALSE(r.check()) << lo - 1;
    }
}
} // namespace

TEST(ValueRecords, DefaultsFollowTheTable)
{
    EXPECT_EQ(1, QX_LEVEL_TYPE().value);
    EXPECT_EQ(2, QX_SEPARATION_TYPE().value);
    EXPECT_EQ(13, QX_IMAGEORDER_TYPE().value);
    EXPECT_EQ(2, QX_JOBCFG_GENERAL_ACCESSLEVEL_TYPE().value);
    EXPECT_EQ(2, QX_JOBCFG_GENERAL_LAYOUT_TYPE().value);
    EXPECT_EQ(1, QX_JOBCFG_GENERAL_BATCHNAMESOURCE_TYPE().value);
    EXPECT_EQ(3, QX_JOBCFG_OUTPUT_DUPLICATEHANDLE_TYPE().value);
    EXPECT_EQ(3, QX_JOBCFG_SEPARATION_AUTOINDEXLEVEL_TYPE().value);
    EXPECT_EQ(32, QX_USRPRO_ICONSIZE_TYPE().value);
    EXPECT_EQ(1, QX_USRPRO_ZOOMMODE_TYPE().value);
    EXPECT_EQ(-1, QX_IDENTIFIER_TYPE().value);
    EXPECT_EQ(0, QX_RES_TYPE().value);
    EXPECT_EQ(0.0, QX_PLEN_TYPE().value);
}

TEST(ValueRecords, SpanBoundaries)
{
    ExpectSpan<QX_LEVEL_TYPE>(0, 3, 1);
    ExpectSpan<QX_CAMERA_TYPE>(0, 6, 0);
    ExpectSpan<QX_MERGEMODE_TYPE>(0, 4, 0);
    ExpectSpan<QX_SEPARATION_TYPE>(0, 3, 2);
    ExpectSpan<QX_IMAGEORDER_TYPE>(0, 23, 13);
    ExpectSpan<QX_JOBCFG_SEPARATION_AUTOINDEXLEVEL_TYPE>(3, 4, 3);
    ExpectSpan<QX_IMAGEFORMAT_TYPE>(-1, 6, 0);
    ExpectSpan<QX_RES_TYPE>(0, 2400, 0);
}

TEST(ValueRecords, SetMembership)
{
    QX_JOBCFG_GENERAL_ACCESSLEVEL_TYPE access;
    for (int v = 0; v < 256; ++v)
    {
        access.value = static_cast<BYTE>(v);
        EXPECT_EQ(v == 1 || v == 2 || v == 4 || v == 8, access.check() != 0) << v;
    }
    access.value = 3;
    access.normalize();
    EXPECT_EQ(2, access.value);

    QX_PLUGIN_TYPE plugin;
    plugin.value = 6;
    EXPECT_FALSE(plugin.check());
    plugin.value = 7;
    EXPECT_TRUE(plugin.check());

    QX_LMS_TYPE unit;
    for (int v : {2, 10, 17, 20, 27})
    {
        unit.value = static_cast<BYTE>(v);
        EXPECT_FALSE(unit.check()) << v;
    }
    QX_USRPRO_ICONSIZE_TYPE icon;
    icon.value = 33;
    icon.normalize();
    EXPECT_EQ(32, icon.value);
}

TEST(ValueRecords, UnconstrainedTypesAreLeftAlone)
{
    QX_PATCH_TYPE patch(200);
    patch.normalize();
    EXPECT_EQ(200, patch.value);
    QX_IDENTIFIER_TYPE id;
    EXPECT_FALSE(id.check());
    id.normalize();
    EXPECT_EQ(-1, id.value);
    id.value = -2;
    EXPECT_TRUE(id.check());
}

TEST(ValueRecords, CompareOrdersBytesUnsigned)
{
    QX_IMAGEFORMAT_TYPE minusOne(-1), six(6);
    EXPECT_EQ(1, minusOne.compare(six)); // 255 > 6
    EXPECT_EQ(-1, six.compare(minusOne));
    EXPECT_EQ(0, six.compare(QX_IMAGEFORMAT_TYPE(6)));
    EXPECT_EQ(-1, QX_IDENTIFIER_TYPE(-5).compare(QX_IDENTIFIER_TYPE(3)));
    EXPECT_EQ(1, QX_PLEN_TYPE(2.5).compare(QX_PLEN_TYPE(2.25)));
    QX_RES_TYPE copy(QX_RES_TYPE(300));
    EXPECT_EQ(300, copy.value);
}

TEST(ValueRecords, ScriptRoundTripsAndStoredForms)
{
    CZKScript script;
    script.SetDefaultSection(L"Values");
    QX_IMAGEFORMAT_TYPE format(-1);
    ASSERT_TRUE(format.toscript(script, L"Format"));
    int stored = 0;
    ASSERT_TRUE(script.R_int(L"Format", stored));
    EXPECT_EQ(255, stored);
    QX_IMAGEFORMAT_TYPE back(3);
    ASSERT_TRUE(back.fromscript(script, L"Format"));
    EXPECT_EQ(-1, back.value);

    // Reading keeps only as many low bits as the record holds.
    script.W_int(L"Wide", 0x10000 + 300);
    QX_RES_TYPE res;
    ASSERT_TRUE(res.fromscript(script, L"Wide"));
    EXPECT_EQ(300, res.value);
    QX_LEVEL_TYPE level;
    ASSERT_TRUE(level.fromscript(script, L"Wide"));
    EXPECT_EQ((0x10000 + 300) & 0xFF, level.value);

    QX_DURATION_TYPE big(0xFFFFFFF0u);
    ASSERT_TRUE(big.toscript(script, L"Big"));
    QX_DURATION_TYPE bigBack;
    ASSERT_TRUE(bigBack.fromscript(script, L"Big"));
    EXPECT_EQ(0xFFFFFFF0u, bigBack.value);

    QX_PLEN_TYPE plen(0.1);
    ASSERT_TRUE(plen.toscript(script, L"Length"));
    QX_PLEN_TYPE plenBack;
    ASSERT_TRUE(plenBack.fromscript(script, L"Length"));
    EXPECT_EQ(0.1, plenBack.value);
}

TEST(ValueRecords, FailedReadLeavesTheDefault)
{
    CZKScript script;
    QX_SEPARATION_TYPE sep(0);
    EXPECT_FALSE(sep.fromscript(script, L"Missing"));
    EXPECT_EQ(2, sep.value);
    script.SetKeyValue(L"Text", L"not a number");
    QX_PLEN_TYPE plen(5.0);
    EXPECT_FALSE(plen.fromscript(script, L"Text"));
    EXPECT_EQ(0.0, plen.value);
}

TEST(ValueRecords, NamedValues)
{
    EXPECT_EQ(L"Classic.Normal", QX_JOBCFG_GENERAL_LAYOUT_TYPE(0).ToString());
    EXPECT_EQ(L"Enhanced.Index", QX_JOBCFG_GENERAL_LAYOUT_TYPE(3).ToString());
    EXPECT_EQ(L"", QX_JOBCFG_GENERAL_LAYOUT_TYPE(4).ToString());

    for (int v = 0; v <= 23; ++v)
    {
        const bool front = v <= 5 || (v >= 12 && v <= 17);
        EXPECT_EQ(front, QX_IMAGEORDER_TYPE(static_cast<BYTE>(v)).is_frontfirst()) << v;
        EXPECT_EQ(!front, QX_IMAGEORDER_TYPE(static_cast<BYTE>(v)).is_rearfirst()) << v;
    }

    EXPECT_EQ(L"STR_LMS_IN", QX_LMS_TYPE(0).GetLabelKey());
    EXPECT_EQ(L"STR_LMS_IN_1_10", QX_LMS_TYPE(14).GetLabelKey());
    EXPECT_EQ(L"STR_LMS_CM_1_1000", QX_LMS_TYPE(26).GetLabelKey());
    EXPECT_EQ(L"", QX_LMS_TYPE(2).GetLabelKey());
    EXPECT_EQ(L"", QX_LMS_TYPE(2).GetLabel());
    EXPECT_FALSE(QX_LMS_TYPE(1).GetLabel().empty());
}

TEST(LengthConversion, BetweenUnits)
{
    QX_PLEN_TYPE length;
    ASSERT_TRUE(length.from_PLEN(QX_LMS_TYPE(0), 1.0, QX_LMS_TYPE(1)));
    EXPECT_DOUBLE_EQ(2.54, length.value);
    ASSERT_TRUE(length.from_PLEN(QX_LMS_TYPE(16), 2540.0, QX_LMS_TYPE(26)));
    EXPECT_DOUBLE_EQ(6451.6, length.value);
    ASSERT_TRUE(length.from_PLEN(QX_LMS_TYPE(11), 1.0, QX_LMS_TYPE(0)));
    EXPECT_DOUBLE_EQ(1000.0, length.value);

    double out = 0.0;
    QX_PLEN_TYPE cm(5.08);
    ASSERT_TRUE(cm.to_PLEN(QX_LMS_TYPE(1), QX_LMS_TYPE(0), out));
    EXPECT_DOUBLE_EQ(2.0, out);

    QX_PLEN_TYPE unchanged(7.0);
    EXPECT_FALSE(unchanged.from_PLEN(QX_LMS_TYPE(2), 1.0, QX_LMS_TYPE(0)));
    EXPECT_FALSE(unchanged.from_PLEN(QX_LMS_TYPE(0), 1.0, QX_LMS_TYPE(27)));
    EXPECT_EQ(7.0, unchanged.value);
    EXPECT_FALSE(unchanged.to_PLEN(QX_LMS_TYPE(0), QX_LMS_TYPE(3), out));
}

TEST(LengthConversion, DotsAndResolution)
{
    QX_PLEN_TYPE length(9.0);
    EXPECT_FALSE(length.from_DLEN(QX_RES_TYPE(0), QX_DLEN_TYPE(300), QX_LMS_TYPE(0)));
    EXPECT_EQ(9.0, length.value);

    ASSERT_TRUE(length.from_DLEN(QX_RES_TYPE(300), QX_DLEN_TYPE(600), QX_LMS_TYPE(1)));
    EXPECT_DOUBLE_EQ(5.08, length.value);

    QX_DLEN_TYPE dots;
    ASSERT_TRUE(QX_PLEN_TYPE(2.54).to_DLEN(QX_LMS_TYPE(1), QX_RES_TYPE(200), dots));
    EXPECT_EQ(200u, dots.value);
    // Truncated toward zero, never rounded up.
    ASSERT_TRUE(QX_PLEN_TYPE(0.999).to_DLEN(QX_LMS_TYPE(0), QX_RES_TYPE(100), dots));
    EXPECT_EQ(99u, dots.value);
    // Out-of-range lengths stay within a dot count.
    ASSERT_TRUE(QX_PLEN_TYPE(-3.0).to_DLEN(QX_LMS_TYPE(0), QX_RES_TYPE(100), dots));
    EXPECT_EQ(0u, dots.value);
    ASSERT_TRUE(QX_PLEN_TYPE(1e30).to_DLEN(QX_LMS_TYPE(0), QX_RES_TYPE(100), dots));
    EXPECT_EQ(std::numeric_limits<DWORD>::max(), dots.value);

    QX_DLEN_TYPE fromSide;
    ASSERT_TRUE(fromSide.from_PLEN(QX_RES_TYPE(300), QX_PLEN_TYPE(2.0), QX_LMS_TYPE(0)));
    EXPECT_EQ(600u, fromSide.value);
    QX_PLEN_TYPE back;
    ASSERT_TRUE(fromSide.to_PLEN(QX_RES_TYPE(300), QX_LMS_TYPE(0), back));
    EXPECT_DOUBLE_EQ(2.0, back.value);
}

TEST(LengthConversion, CheckAndNormalize)
{
    QX_PLEN_TYPE length(-0.5);
    EXPECT_FALSE(length.check());
    length.normalize();
    EXPECT_EQ(0.0, length.value);
    length.value = std::nan("");
    EXPECT_FALSE(length.check());
    length.normalize();
    EXPECT_EQ(0.0, length.value);
}

TEST(Ranges, CheckAndNormalize)
{
    QX_RANGE_L_TYPE reversed(2, 10, 2, 5);
    EXPECT_FALSE(reversed.check());
    reversed.normalize();
    EXPECT_EQ(QX_RANGE_L_TYPE(), reversed);
    EXPECT_EQ(0, reversed.byLowMode);
    EXPECT_EQ(0, reversed.high);

    // With one side unbounded the order of the bounds does not matter.
    EXPECT_TRUE(QX_RANGE_L_TYPE(0, 10, 2, 5).check());
    EXPECT_TRUE(QX_RANGE_L_TYPE(1, 10, 0, 5).check());
    EXPECT_FALSE(QX_RANGE_L_TYPE(3, 0, 0, 0).check());
    EXPECT_FALSE(QX_RANGE_D_TYPE(1, std::nan(""), 1, 1.0).check());
}

TEST(Ranges, RangeTest)
{
    const QX_RANGE_L_TYPE inclusive(2, 1, 2, 3);
    EXPECT_FALSE(inclusive.range_test(0));
    EXPECT_TRUE(inclusive.range_test(1));
    EXPECT_TRUE(inclusive.range_test(3));
    EXPECT_FALSE(inclusive.range_test(4));

    QX_RANGE_L_TYPE exclusive(inclusive);
    exclusive.range_set(1);
    EXPECT_FALSE(exclusive.range_test(1));
    EXPECT_TRUE(exclusive.range_test(2));
    EXPECT_FALSE(exclusive.range_test(3));

    EXPECT_TRUE(QX_RANGE_L_TYPE().range_test(-2147483647 - 1));
    EXPECT_FALSE(QX_RANGE_L_TYPE(7, 0, 0, 0).range_test(1));
    EXPECT_TRUE(QX_RANGE_D_TYPE(1, 0.5, 0, 0.0).range_test(0.75));
    EXPECT_FALSE(QX_RANGE_D_TYPE(1, 0.5, 0, 0.0).range_test(0.5));
}

TEST(Ranges, ScriptForms)
{
    CZKScript script;
    script.SetDefaultSection(L"R");
    ASSERT_TRUE(QX_RANGE_L_TYPE(2, -4, 1, 99).toscript(script, L"L"));
    int four[4] = {};
    ASSERT_TRUE(script.R_int4(L"L", four));
    EXPECT_EQ(2, four[0]);
    EXPECT_EQ(-4, four[1]);
    QX_RANGE_L_TYPE l;
    ASSERT_TRUE(l.fromscript(script, L"L"));
    EXPECT_EQ(QX_RANGE_L_TYPE(2, -4, 1, 99), l);

    ASSERT_TRUE(QX_RANGE_D_TYPE(2, 0.25, 1, 1.5).toscript(script, L"D"));
    std::wstring text;
    ASSERT_TRUE(script.GetKeyValue(L"D", text));
    EXPECT_EQ(L"2, 0.250000000000, 1, 1.500000000000", text);
    QX_RANGE_D_TYPE d;
    ASSERT_TRUE(d.fromscript(script, L"D"));
    EXPECT_EQ(QX_RANGE_D_TYPE(2, 0.25, 1, 1.5), d);

    // Missing parts read as 0; an inconsistent stored range is normalized.
    script.SetKeyValue(L"Short", L"2, 7.5");
    ASSERT_TRUE(d.fromscript(script, L"Short"));
    EXPECT_EQ(QX_RANGE_D_TYPE(2, 7.5, 0, 0.0), d);
    script.SetKeyValue(L"Bad", L"2, 9, 2, 1");
    ASSERT_TRUE(d.fromscript(script, L"Bad"));
    EXPECT_EQ(QX_RANGE_D_TYPE(), d);
    script.SetKeyValue(L"WrappedMode", L"258, 1.0, 0, 0.0"); // not mode 2
    ASSERT_TRUE(d.fromscript(script, L"WrappedMode"));
    EXPECT_EQ(QX_RANGE_D_TYPE(), d);
    script.W_int4(L"BadL", 1, 5, 1, 4);
    ASSERT_TRUE(l.fromscript(script, L"BadL"));
    EXPECT_EQ(QX_RANGE_L_TYPE(), l);

    QX_RANGE_L_TYPE kept(1, 1, 1, 2);
    EXPECT_FALSE(kept.fromscript(script, L"Missing"));
    EXPECT_EQ(QX_RANGE_L_TYPE(), kept);
}
