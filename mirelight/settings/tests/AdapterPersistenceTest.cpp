// Each adapter's script section and binary record: round trips, refusal of
// another family's record and of damaged input with the settings untouched.
#include <mirelight/QXBatchTarnAdapter.h>
#include <mirelight/QXImageAddressTarnAdapter.h>
#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QXPatchTarnAdapter.h>

#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <typeinfo>
#include <memory>

namespace
{
void Change(CQXBatchTarnAdapter& batch)
{
    batch.setEnable(1);
    batch.setCount(250.5);
    batch.setLevel(3);
    batch.setStartFunction(2);
    batch.setEndFunction(7);
}

void Change(CQXPatchTarnAdapter& patch)
{
    patch.setEnable(1);
    patch.setLevel3(1);
    patch.setTransfer(5);
    patch.setFeature(1);
    patch.setToggle(2);
    patch.setAlarm(1);
}

void Change(CQXImageAddressTarnAdapter& address)
{
    QX_IMAGEADDRESS_FORMAT format;
    format.SetSlot(0, 'F', 5);
    format.SetSlot(1, '1', 9);
    address.setAddressFormat(format);
    address.setTemplate(CQXImageAddressAdapter::TEMPLATE_CUSTOM);
    address.setLevelToFollow1(2);
    address.setLevelToFollow3(3);
    address.setImageAddressFormat(1);
}

template <class ADAPTER>
std::unique_ptr<ADAPTER> Changed()
{
    auto adapter = std::make_unique<ADAPTER>();
    Change(*adapter);
    return adapter;
}

// Every adapter kind with non-default settings, and a default one of it.
struct ADAPTER_PAIR
{
    std::unique_ptr<CQXScannerSettingsAdapter> changed;
    std::unique_ptr<CQXScannerSettingsAdapter> fresh;
};

bool SameAdapterClass(const ADAPTER_PAIR& a, const ADAPTER_PAIR& b)
{
    const CQXScannerSettingsAdapter& first = *a.fresh;
    const CQXScannerSettingsAdapter& second = *b.fresh;
    return typeid(first) == typeid(second);
}

std::vector<ADAPTER_PAIR> AllAdapters()
{
    std::vector<ADAPTER_PAIR> pairs;
    pairs.push_back({Changed<CQXBatchTarnAdapter>(), std::make_unique<CQXBatchTarnAdapter>()});
    pairs.push_back({Changed<CQXPatchTarnAdapter>(), std::make_unique<CQXPatchTarnAdapter>()});
    pairs.push_back({Changed<CQXImageAddressTarnAdapter>(), std::make_unique<CQXImageAddressTarnAdapter>()});
    return pairs;
}
} // namespace

TEST(AdapterPersistenceTest, DefaultsAreThoseOfAFreshScanner)
{
    CQXBatchTarnAdapter batch;
    EXPECT_EQ(0, batch.getEnable());
    EXPECT_EQ(1.0, batch.getCount());
    EXPECT_EQ(1, batch.getLevel());
    EXPECT_EQ(5, batch.getStartFunction());
    EXPECT_EQ(0, batch.getEndFunction());

    CQXPatchTarnAdapter patch;
    EXPECT_EQ(0, patch.getEnable());
    EXPECT_EQ(0, patch.IsTranferEnable());
    patch.setTransfer(3);
    EXPECT_NE(0, patch.IsTranferEnable());

    CQXImageAddressTarnAdapter address;
    EXPECT_EQ(1, address.getTemplate());
    const QX_IMAGEADDRESS_FORMAT format = address.getAddressFormat();
    EXPECT_EQ('3', format.slots[1].mark);
    EXPECT_EQ(6, format.slots[3].length);
    EXPECT_EQ(1, address.getLevelToFollow2());
    EXPECT_EQ(0, address.getImageAddressFormat());
    EXPECT_EQ(9, address.GetFieldLengthLimit());
    EXPECT_EQ(27, address.GetImageAddressLengthLimit());
    EXPECT_EQ(1, address.getCheckDigit());
}

TEST(AdapterPersistenceTest, TemplatesSetTheirLayoutButCustomKeepsTheCurrentOne)
{
    CQXImageAddressTarnAdapter address;
    Change(address);
    const QX_IMAGEADDRESS_FORMAT custom = address.getAddressFormat();
    address.setTemplate(CQXImageAddressAdapter::TEMPLATE_CUSTOM);
    EXPECT_EQ(custom, address.getAddressFormat());
    EXPECT_EQ(2, address.getLevelToFollow1());

    address.setTemplate(2);
    QX_IMAGEADDRESS_FORMAT expected;
    expected.SetSlot(0, 'F', 9);
    expected.SetSlot(1, '2', 9);
    expected.SetSlot(2, '1', 9);
    EXPECT_EQ(expected, address.getAddressFormat());
    EXPECT_EQ(1, address.getLevelToFollow1());
    EXPECT_EQ(1, address.getLevelToFollow3());

    address.setTemplate(9);
    EXPECT_EQ(QX_IMAGEADDRESS_FORMAT(), address.getAddressFormat());
}

TEST(AdapterPersistenceTest, ScriptAndBufferRoundTripEveryAdapter)
{
    for (ADAPTER_PAIR& pair : AllAdapters())
    {
        ASSERT_NE(0, pair.changed->Compare(*pair.fresh));

        CZKScript script;
        script.SetDefaultSection(L"Outer");
        ASSERT_EQ(1, pair.changed->WriteToScript(script));
        EXPECT_EQ(L"Outer", script.GetDefaultSection());
        CZKScript reloaded;
        ASSERT_TRUE(reloaded.LoadFromText(script.SaveToText()));
        ASSERT_EQ(1, pair.fresh->ReadFromScript(reloaded));
        EXPECT_EQ(0, pair.changed->Compare(*pair.fresh));

        CZKRBuffer record;
        ASSERT_EQ(1, pair.changed->WriteToBuffer(record));
        int32_t family = 0;
        ASSERT_GE(record.GetSize(), sizeof(family));
        std::memcpy(&family, record.GetPtr(), sizeof(family));
        EXPECT_EQ(QX_SCANNER_FAMILY_TARN, family);
        for (ADAPTER_PAIR& other : AllAdapters())
        {
            if (!SameAdapterClass(other, pair))
                continue;
            ASSERT_EQ(1, other.fresh->ReadFromBuffer(record));
            // The leading-zeros code is not part of the image-address record.
            if (auto* address = dynamic_cast<CQXImageAddressAdapter*>(other.fresh.get()))
            {
                EXPECT_EQ(0, address->getImageAddressFormat());
                address->setImageAddressFormat(1);
            }
            EXPECT_EQ(0, pair.changed->Compare(*other.fresh));
        }
    }
}

TEST(AdapterPersistenceTest, RecordsOfAnotherFamilyOrCutShortLeaveTheSettingsAlone)
{
    for (ADAPTER_PAIR& pair : AllAdapters())
    {
        CZKRBuffer record;
        ASSERT_EQ(1, pair.changed->WriteToBuffer(record));

        CZKRBuffer otherFamily(record);
        const int32_t corrie = QX_SCANNER_FAMILY_CORRIE;
        std::memcpy(otherFamily.GetPtr(), &corrie, sizeof(corrie));
        EXPECT_EQ(0, pair.fresh->ReadFromBuffer(otherFamily));

        for (size_t size = 0; size < record.GetSize(); ++size)
        {
            CZKRBuffer cut(record.GetPtr(), size);
            EXPECT_EQ(0, pair.fresh->ReadFromBuffer(cut)) << size;
        }
        auto defaults = AllAdapters();
        for (ADAPTER_PAIR& reference : defaults)
        {
            if (!SameAdapterClass(reference, pair))
                continue;
            EXPECT_EQ(0, reference.fresh->Compare(*pair.fresh));
        }
    }
}

TEST(AdapterPersistenceTest, ScriptWithAMissingOrOversizedKeyChangesNothing)
{
    CQXBatchTarnAdapter written;
    Change(written);
    CZKScript script;
    ASSERT_EQ(1, written.WriteToScript(script));

    CZKScript missing;
    missing.CopyFrom(script);
    missing.RemoveKey(L"EndFunction", 1, L"Batch");
    CQXBatchTarnAdapter batch;
    EXPECT_EQ(0, batch.ReadFromScript(missing));
    EXPECT_EQ(0, batch.Compare(CQXBatchTarnAdapter()));

    CZKScript oversized;
    oversized.CopyFrom(script);
    oversized.W_int(L"Level", 40000, 1, L"Batch");
    EXPECT_EQ(0, batch.ReadFromScript(oversized));
    EXPECT_EQ(0, batch.Compare(CQXBatchTarnAdapter()));

    CQXPatchTarnAdapter patch;
    CZKScript negative;
    CQXPatchTarnAdapter changed;
    Change(changed);
    ASSERT_EQ(1, changed.WriteToScript(negative));
    negative.W_int(L"Toggle", -1, 1, L"Patch");
    EXPECT_EQ(0, patch.ReadFromScript(negative));
    EXPECT_EQ(0, patch.Compare(CQXPatchTarnAdapter()));
}

TEST(AdapterPersistenceTest, CompareSeesEveryFieldAndCopyTakesThemAll)
{
    CQXPatchTarnAdapter patch;
    CQXPatchTarnAdapter other;
    Change(patch);
    Change(other);
    EXPECT_EQ(0, patch.Compare(other));
    other.setAlarm(0);
    EXPECT_EQ(-1, patch.Compare(other));
    other.Copy(patch);
    EXPECT_EQ(0, patch.Compare(other));

    CQXImageAddressTarnAdapter address;
    Change(address);
    CQXImageAddressTarnAdapter copy;
    copy.Copy(address);
    EXPECT_EQ(0, address.Compare(copy));
    copy.setImageAddressFormat(2);
    EXPECT_EQ(-1, address.Compare(copy));

    // Adapters of different features never compare equal, nor copy.
    CQXBatchTarnAdapter batch;
    EXPECT_EQ(-1, batch.Compare(patch));
    batch.Copy(patch);
    EXPECT_EQ(0, batch.Compare(CQXBatchTarnAdapter()));
}

TEST(AdapterPersistenceTest, FactoriesFollowTheFamilyTable)
{
    for (int family = QX_SCANNER_FAMILY_GENERIC; family <= QX_SCANNER_FAMILY_CORRIE; ++family)
    {
        const auto code = static_cast<EQXScannerFamily>(family);
        std::unique_ptr<CQXBatchAdapter> batch(CQXBatchAdapter::GenerateAdapter(code));
        std::unique_ptr<CQXPatchAdapter> patch(CQXPatchAdapter::GenerateAdapter(code));
        std::unique_ptr<CQXImageAddressAdapter> address(CQXImageAddressAdapter::GenerateAdapter(code));
        std::unique_ptr<CQXImprinterAdapter> imprinter(CQXImprinterAdapter::GenerateAdapter(code));
        const bool tarn = code == QX_SCANNER_FAMILY_TARN;
        EXPECT_EQ(tarn, batch != nullptr) << family;
        EXPECT_EQ(tarn, patch != nullptr) << family;
        EXPECT_EQ(tarn, address != nullptr) << family;
        const bool hasImprinter = code == QX_SCANNER_FAMILY_FELL || code == QX_SCANNER_FAMILY_TALUS || tarn ||
                                  code == QX_SCANNER_FAMILY_MORAINE || code == QX_SCANNER_FAMILY_ESKER ||
                                  code == QX_SCANNER_FAMILY_CORRIE;
        EXPECT_EQ(hasImprinter, imprinter != nullptr) << family;
        if (imprinter)
        {
            EXPECT_EQ(code, imprinter->GetFamilyCode());
        }
        if (tarn)
        {
            EXPECT_EQ(QX_SCANNER_FAMILY_TARN, address->GetFamilyCode());
        }
    }
    std::unique_ptr<CQXBatchAdapter> byName(CQXBatchAdapter::GenerateAdapter(L"VANTREL px530"));
    EXPECT_NE(nullptr, byName);
    EXPECT_EQ(nullptr, std::unique_ptr<CQXPatchAdapter>(CQXPatchAdapter::GenerateAdapter(L"No Such Scanner")));
    EXPECT_EQ(nullptr, std::unique_ptr<CQXPatchAdapter>(
                           CQXPatchAdapter::GenerateAdapter(static_cast<const wchar_t*>(nullptr))));
}
