// Image-address formats and addresses: validity, formatting and the parsers.
#include <brackwater/QX_IAIMPRINT_TYPE.h>
#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>

#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

namespace
{
typedef QX_IMAGEADDRESS_FORMAT FMT;

FMT MakeFormat(std::initializer_list<std::pair<char, int>> slots, int leadingZeros = FMT::LZF_ZEROS)
{
    FMT format;
    format.nLeadingZerosFormat = leadingZeros;
    int i = 0;
    for (const auto& slot : slots)
        format.SetSlot(i++, static_cast<WORD>(slot.first), static_cast<WORD>(slot.second));
    return format;
}

// ('F', 4), ('1', 5), rest unused.
FMT FixedAndLevel1()
{
    return MakeFormat({{'F', 4}, {'1', 5}});
}

QX_IMAGEADDRESS Address(const std::wstring& fixed, const std::wstring& l3, const std::wstring& l2,
                        const std::wstring& l1)
{
    QX_IMAGEADDRESS a;
    a.SetComponent(QX_IMAGEADDRESS::IA_FIXED, fixed);
    a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL3, l3);
    a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL2, l2);
    a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL1, l1);
    return a;
}
} // namespace

TEST(ImageAddressFormat, InitialValueAndLayout)
{
    const FMT format;
    EXPECT_EQ(0, format.nLeadingZerosFormat);
    for (const FMT::SLOT& slot : format.slots)
    {
        EXPECT_EQ('N', slot.mark);
        EXPECT_EQ(0, slot.length);
    }
    EXPECT_TRUE(format.check());
    EXPECT_FALSE(format.IsEnabled());

    BYTE raw[FMT::RAW_SIZE];
    FixedAndLevel1().ToBytes(raw);
    EXPECT_EQ('F', raw[4]);
    EXPECT_EQ(4, raw[6]);
    EXPECT_EQ('1', raw[8]);
    EXPECT_EQ(5, raw[10]);
    FMT back;
    back.FromBytes(raw);
    EXPECT_EQ(FixedAndLevel1(), back);
}

TEST(ImageAddressFormat, Check)
{
    EXPECT_TRUE(FixedAndLevel1().check());
    EXPECT_FALSE(MakeFormat({{'F', 4}}, 3).check());
    EXPECT_FALSE(MakeFormat({{'F', 4}}, -1).check());
    EXPECT_TRUE(MakeFormat({{'F', 4}}, 2).check());
    EXPECT_FALSE(MakeFormat({{'N', 1}}).check());
    // Level 3 needs a level 2 with a length.
    EXPECT_FALSE(MakeFormat({{'3', 2}, {'1', 3}}).check());
    EXPECT_FALSE(MakeFormat({{'3', 2}, {'2', 0}, {'1', 3}}).check());
    EXPECT_TRUE(MakeFormat({{'3', 2}, {'2', 2}, {'1', 3}}).check());
    EXPECT_TRUE(MakeFormat({{'3', 0}, {'1', 3}}).check());
    // The enabled lengths may add up to 27 but not 28.
    EXPECT_TRUE(MakeFormat({{'F', 9}, {'3', 6}, {'2', 6}, {'1', 6}}).check());
    EXPECT_FALSE(MakeFormat({{'F', 9}, {'3', 7}, {'2', 6}, {'1', 6}}).check());

    FMT broken = MakeFormat({{'F', 20}, {'1', 8}});
    broken.normalize();
    EXPECT_EQ(FMT(), broken);
}

TEST(ImageAddressFormat, QueriesAndCompare)
{
    const FMT format = MakeFormat({{'F', 4}, {'2', 0}, {'1', 5}, {'1', 7}});
    EXPECT_EQ(4, format.GetFieldLength('F'));
    EXPECT_EQ(5, format.GetFieldLength('1')); // first slot with that mark
    EXPECT_EQ(0, format.GetFieldLength('3'));
    EXPECT_EQ(4, format.GetEnabledFieldNum());
    EXPECT_TRUE(format.IsEnabled());
    EXPECT_TRUE(format.IsOnlyLevel1());
    EXPECT_FALSE(MakeFormat({{'2', 1}, {'1', 5}}).IsOnlyLevel1());
    EXPECT_FALSE(MakeFormat({{'F', 1}}).IsOnlyLevel1());

    EXPECT_EQ(-1, MakeFormat({{'F', 4}}, 1).compare(MakeFormat({{'F', 4}}, 0)));
    EXPECT_EQ(-1, MakeFormat({{'F', 4}}, 0).compare(MakeFormat({{'F', 4}}, 1)));
    EXPECT_EQ(-1, MakeFormat({{'F', 4}}).compare(MakeFormat({{'F', 5}})));
    EXPECT_EQ(1, MakeFormat({{'F', 5}}).compare(MakeFormat({{'F', 4}})));
    EXPECT_EQ(0, FixedAndLevel1().compare(FixedAndLevel1()));
}

TEST(ImageAddressFormat, ScriptRoundTrip)
{
    CZKScript script;
    const FMT format = MakeFormat({{'3', 2}, {'2', 3}, {'1', 4}, {'F', 5}}, 1);
    ASSERT_TRUE(format.toscript(script));
    int mark = 0;
    ASSERT_TRUE(script.R_int(L"IAF_Field3_Mark", mark));
    EXPECT_EQ('F', mark);
    FMT back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(format, back);

    script.RemoveKey(L"IAF_Field2_Length");
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(FMT(), back);
}

TEST(ImageAddress, ComponentsAndLayout)
{
    QX_IMAGEADDRESS a;
    EXPECT_TRUE(a.IsNull());
    EXPECT_FALSE(a.IsLevel1ImageAddress());
    EXPECT_TRUE(a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL1, L"123456789"));
    EXPECT_FALSE(a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL1, L"1234567890"));
    EXPECT_FALSE(a.SetComponent(4, L"x"));
    EXPECT_EQ(L"123456789", a.GetLevel1());
    EXPECT_TRUE(a.IsLevel1ImageAddress());
    a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL2, L"1");
    EXPECT_FALSE(a.IsLevel1ImageAddress());

    // Raw bytes without a terminator never make a longer component.
    QX_IMAGEADDRESS raw;
    for (char16_t& unit : raw.components[0])
        unit = u'x';
    EXPECT_EQ(L"xxxxxxxxx", raw.GetFixed());

    // Characters outside the 16-bit range survive as surrogate pairs.
    EXPECT_TRUE(a.SetComponent(QX_IMAGEADDRESS::IA_FIXED, L"A\U0001F600"));
    EXPECT_EQ(L"A\U0001F600", a.GetFixed());

    EXPECT_EQ(-1, Address(L"A", L"", L"", L"").compare(Address(L"B", L"", L"", L"")));
    EXPECT_EQ(1, Address(L"", L"", L"", L"2").compare(Address(L"", L"", L"", L"1")));
    EXPECT_EQ(0, Address(L"A", L"1", L"2", L"3").compare(Address(L"A", L"1", L"2", L"3")));
}

TEST(ImageAddress, FormatField)
{
    std::wstring out;
    QX_IMAGEADDRESS::_FormatField(7, FMT::LZF_ZEROS, 5, out);
    EXPECT_EQ(L"00007", out);
    QX_IMAGEADDRESS::_FormatField(7, FMT::LZF_SPACES, 5, out);
    EXPECT_EQ(L"    7", out);
    QX_IMAGEADDRESS::_FormatField(7, FMT::LZF_NONE, 5, out);
    EXPECT_EQ(L"7", out);
    QX_IMAGEADDRESS::_FormatField(1234567, FMT::LZF_ZEROS, 3, out);
    EXPECT_EQ(L"567", out);
    QX_IMAGEADDRESS::_FormatField(42, FMT::LZF_ZEROS, 0, out);
    EXPECT_EQ(L"", out);
}

TEST(ImageAddress, ParseAndToString)
{
    QX_IMAGEADDRESS a;
    ASSERT_TRUE(a.Parse(L"AB", 0, 0, 7, FixedAndLevel1()));
    EXPECT_EQ(L"AB", a.GetFixed());
    EXPECT_EQ(L"00007", a.GetLevel1());
    EXPECT_EQ(L"", a.GetLevel2()); // mark absent
    std::wstring text;
    ASSERT_TRUE(Address(L"AB", L"", L"", L"7").ToString(FixedAndLevel1(), text));
    EXPECT_EQ(L"AB.7", text);

    // The fixed text is cut to nine characters, not to its slot.
    ASSERT_TRUE(a.Parse(L"ABCDEFGHIJK", 1, 2, 3, FixedAndLevel1()));
    EXPECT_EQ(L"ABCDEFGHI", a.GetFixed());

    // A counter slot wider than a component keeps the low nine digits.
    const FMT wide = MakeFormat({{'1', 12}});
    ASSERT_TRUE(a.Parse(L"", 0, 0, 1234, wide));
    EXPECT_EQ(L"000001234", a.GetLevel1());

    EXPECT_FALSE(a.Parse(L"AB", 1, 1, 1, MakeFormat({{'F', 4}}, 5)));
    EXPECT_TRUE(a.IsNull());

    ASSERT_TRUE(Address(L"F", L"3", L"2", L"1").ToString(FMT(), text));
    EXPECT_EQ(L"", text);
    ASSERT_TRUE(
        Address(L"F", L"3", L"2", L"1").ToString(MakeFormat({{'1', 2}, {'3', 1}, {'2', 1}}), text));
    EXPECT_EQ(L"1.3.2", text);
    EXPECT_FALSE(Address(L"F", L"", L"", L"").ToString(MakeFormat({{'N', 3}}), text));
}

TEST(ImageAddress, StdStringRoundTrip)
{
    std::wstring text;
    const QX_IMAGEADDRESS original = Address(L"BOX", L"", L"12", L"0003");
    ASSERT_TRUE(original.ToStdString(text));
    EXPECT_EQ(L"BOX..12.0003", text);
    QX_IMAGEADDRESS back;
    ASSERT_TRUE(back.ParseStdString(text));
    EXPECT_EQ(original, back);

    EXPECT_FALSE(back.ParseStdString(L"a.b.c"));
    EXPECT_TRUE(back.IsNull());
    EXPECT_FALSE(back.ParseStdString(L"a.b.c.d.e"));
    EXPECT_FALSE(back.ParseStdString(L"a.b.c.1234567890"));
    EXPECT_TRUE(back.IsNull());
    EXPECT_FALSE(back.ParseStdString(std::wstring(256, L'.')));
}

TEST(ImageAddress, ParseStringAlignsFromTheRight)
{
    QX_IMAGEADDRESS a;
    ASSERT_TRUE(a.ParseString(L"12", FixedAndLevel1()));
    EXPECT_EQ(L"12", a.GetLevel1());
    EXPECT_EQ(L"", a.GetFixed());

    ASSERT_TRUE(a.ParseString(L"AB.12", FixedAndLevel1()));
    EXPECT_EQ(L"AB", a.GetFixed());
    // Parts left over at the front are ignored.
    ASSERT_TRUE(a.ParseString(L"x.AB.12", FixedAndLevel1()));
    EXPECT_EQ(L"AB", a.GetFixed());
    EXPECT_EQ(L"12", a.GetLevel1());

    EXPECT_FALSE(a.ParseString(L"ABCDE.12", FixedAndLevel1()));
    EXPECT_TRUE(a.IsNull());
    EXPECT_FALSE(a.ParseString(L"1.2.3.4.5", FixedAndLevel1()));
    EXPECT_FALSE(a.ParseString(std::wstring(256, L'1'), MakeFormat({{'F', 9}})));

    // A slot may be longer than a component; a part that long is refused.
    const FMT wide = MakeFormat({{'F', 20}});
    ASSERT_TRUE(a.ParseString(L"123456789", wide));
    EXPECT_EQ(L"123456789", a.GetFixed());
    EXPECT_FALSE(a.ParseString(L"1234567890", wide));
    EXPECT_TRUE(a.IsNull());
}

TEST(ImageAddress, ParseHdrStringIsPositional)
{
    QX_IMAGEADDRESS a;
    // "12" lands in the fourth slot, which this format does not use.
    ASSERT_TRUE(a.ParseHdrString(L"12", FixedAndLevel1()));
    EXPECT_TRUE(a.IsNull());

    ASSERT_TRUE(a.ParseHdrString(L"AB.7.x.y", FixedAndLevel1()));
    EXPECT_EQ(L"AB", a.GetFixed());
    EXPECT_EQ(L"7", a.GetLevel1());
    EXPECT_FALSE(a.ParseHdrString(L"AB.123456.x.y", FixedAndLevel1()));
    EXPECT_TRUE(a.IsNull());
    EXPECT_FALSE(
        a.ParseHdrString(L"1234567890", MakeFormat({{'N', 0}, {'N', 0}, {'N', 0}, {'F', 20}})));

    // With marks only the nine-character rule applies.
    ASSERT_TRUE(a.ParseHdrString(L"B.2.1", std::wstring(L"N321")));
    EXPECT_EQ(L"B", a.GetLevel3());
    EXPECT_EQ(L"2", a.GetLevel2());
    EXPECT_EQ(L"1", a.GetLevel1());
    ASSERT_TRUE(a.ParseHdrString(L"FIX.x.y.1", std::wstring(L"FZN1")));
    EXPECT_EQ(L"FIX", a.GetFixed());
    EXPECT_EQ(L"", a.GetLevel3());
    EXPECT_EQ(L"1", a.GetLevel1());
    EXPECT_FALSE(a.ParseHdrString(L"1234567890", std::wstring(L"NNN1")));
    EXPECT_FALSE(a.ParseHdrString(L"1", std::wstring(L"NN1")));
    EXPECT_FALSE(a.ParseHdrString(L"1.2.3.4.5", std::wstring(L"F321")));
}

TEST(ImageAddress, ValidateAndRevise)
{
    const FMT format = MakeFormat({{'F', 3}, {'2', 2}, {'1', 4}});
    QX_IMAGEADDRESS a = Address(L"ABC", L"", L"12", L"1234");
    EXPECT_TRUE(a.Validate(format));
    a.SetComponent(QX_IMAGEADDRESS::IA_LEVEL1, L"1.23");
    EXPECT_FALSE(a.Validate(format));
    a = Address(L"ABCD", L"9", L"123", L"1");
    EXPECT_FALSE(a.Validate(format));
    ASSERT_TRUE(a.Revise(format));
    EXPECT_EQ(L"ABC", a.GetFixed());
    EXPECT_EQ(L"", a.GetLevel3());
    EXPECT_EQ(L"12", a.GetLevel2());
    EXPECT_TRUE(a.Validate(format));
}

TEST(ImageAddressImprint, Convention)
{
    QX_IAIMPRINT_TYPE rec;
    EXPECT_EQ(1, rec.nLevel);
    EXPECT_TRUE(rec.check());
    EXPECT_FALSE(rec.IsImageAddressEnable());
    EXPECT_FALSE(rec.IsPrintEnable());

    rec.strPrint = L"x";
    EXPECT_TRUE(rec.IsPrintEnable());
    rec.imageAddress.SetComponent(QX_IMAGEADDRESS::IA_LEVEL2, L"5");
    EXPECT_TRUE(rec.IsImageAddressEnable());

    QX_IAIMPRINT_TYPE copy(rec);
    EXPECT_EQ(rec, copy);
    copy.strPrint = L"X";
    EXPECT_EQ(-1, copy.compare(rec));

    rec.nLevel = 3;
    EXPECT_TRUE(rec.check());
    rec.nLevel = 4;
    EXPECT_FALSE(rec.check());
    rec.normalize();
    EXPECT_EQ(QX_IAIMPRINT_TYPE(), rec);
    rec.nLevel = -1;
    EXPECT_FALSE(rec.check());
}
