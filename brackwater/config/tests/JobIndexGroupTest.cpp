// Index fields with their line items, database lookups with their
// enciphered access, index-data plug-ins and the index group as a whole.
#include <brackwater/QX_JOBCFG_INDEX_GROUP_TYPE.h>

#include <hollin/ZKCryptograph.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>

#include "common/JobRecordSamples.h"

#include <gtest/gtest.h>

namespace
{
std::vector<std::wstring> LinesOf(const CZKScript& script, const wchar_t* section,
                                  const wchar_t* key)
{
    std::vector<std::wstring> values;
    CZKScriptItemList items;
    if (script.FindKeyValues(section, key, items))
    {
        for (int i = 0; i < items.GetCount(); ++i)
            values.push_back(items.GetItem(i)->GetValue());
    }
    return values;
}

// Every text of a script, sections, keys and values, one per line.
std::wstring AllText(const CZKScript& script)
{
    const std::string utf8 = script.SaveToText();
    return std::wstring(utf8.begin(), utf8.end());
}
} // namespace

TEST(IndexItem, ScriptRoundTripProtectsCommasAndLineBreaks)
{
    const QX_JOBCFG_INDEX_ITEM_TYPE original = SJobRecordSamples::IndexItem(L"Policy");
    CZKScript script;
    script.SetDefaultSection(L"Item");
    ASSERT_TRUE(original.toscript(script));

    std::wstring defaultValue;
    ASSERT_TRUE(script.GetKeyValue(L"DefaultValue", defaultValue));
    EXPECT_EQ(L"<Date>\\r\\n<Time>", defaultValue);
    EXPECT_EQ((std::vector<std::wstring>{L"a~``~b,first~``~ second", L"Z\u00fcrich,=[x]"}),
              LinesOf(script, L"Item", L"ListItem"));
    EXPECT_EQ((std::vector<std::wstring>{L"1\x0008" L"000,1000", L" lead,trail "}),
              LinesOf(script, L"Item", L"SubstitutionItem"));

    // Through the file text as well, where values are escaped.
    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
    loaded.SetDefaultSection(L"Item");
    QX_JOBCFG_INDEX_ITEM_TYPE back;
    ASSERT_TRUE(back.fromscript(loaded));
    EXPECT_EQ(original, back);
    std::wstring value;
    ASSERT_TRUE(back.valueList.values.GetKeyValue(L"a,b", value));
    EXPECT_EQ(L"first, second", value);

    // Writing again replaces the lines instead of adding to them.
    ASSERT_TRUE(original.toscript(script));
    EXPECT_EQ(2u, LinesOf(script, L"Item", L"ListItem").size());
}

TEST(IndexItem, LineItemsThatDoNotSplitInTwoAreSkipped)
{
    CZKScript script;
    ASSERT_TRUE(SJobRecordSamples::IndexItem(L"X").toscript(script));
    ASSERT_TRUE(script.AddScript(L"SubstitutionItem = one,two,three"));
    ASSERT_TRUE(script.AddScript(L"SubstitutionItem = alone"));
    ASSERT_TRUE(script.AddScript(L"SubstitutionItem = x,y"));
    QX_JOBCFG_INDEX_ITEM_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(3, back.substitutions.GetCount());
    EXPECT_TRUE(back.substitutions.HasKey(L"x"));

    // A list announced but without any line is damaged.
    script.RemoveKey(L"ListItem");
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_INDEX_ITEM_TYPE(), back);
}

TEST(IndexItem, CheckNeedsALabelAndAValueSource)
{
    QX_JOBCFG_INDEX_ITEM_TYPE item;
    item.strLabel = L"Name";
    EXPECT_FALSE(item.check()); // field type 0 without an input mask
    item.fieldType.value = QX_JOBCFG_INDEX_ITEM_TYPE::FIELDTYPE_PLUGIN;
    EXPECT_TRUE(item.check()); // no plug-in connected is a valid selection
    item.fieldType.value = 3;
    EXPECT_FALSE(item.check());
    item.fieldType.value = 1;
    item.strInputMask = L"A*";
    EXPECT_TRUE(item.check());
    item.strLabel.clear();
    EXPECT_FALSE(item.check());
}

TEST(IndexItemList, LookupsAndPerLabelKeys)
{
    QX_JOBCFG_INDEX_ITEMLIST_TYPE list;
    list.Add(SJobRecordSamples::IndexItem(L"Policy"));
    list.Add(SJobRecordSamples::IndexItem(L"Amount"));
    EXPECT_EQ(1, list.FindLabel(L"AMOUNT"));
    EXPECT_EQ(-1, list.FindLabel(L"Amoun"));
    EXPECT_FALSE(list.NeedCheckIndex());
    list.GetItem(1)->bCheckDuringScanning = TRUE;
    EXPECT_TRUE(list.NeedCheckIndex());

    list.GetItem(0)->zoomZone = QX_RECT_TYPE{1, 2, 3, 4};
    list.GetItem(1)->nOCRLanguage = 7;
    CZKScript script;
    script.SetDefaultSection(L"Zones");
    ASSERT_TRUE(list.SaveZoomZone(script));
    script.SetDefaultSection(L"Languages");
    ASSERT_TRUE(list.SaveOCRlanguage(script));

    QX_JOBCFG_INDEX_ITEMLIST_TYPE back(list);
    back.GetItem(0)->zoomZone.reset();
    back.GetItem(1)->nOCRLanguage = 0;
    script.SetDefaultSection(L"Zones");
    ASSERT_TRUE(back.LoadZoomZone(script));
    script.SetDefaultSection(L"Languages");
    script.RemoveKey(L"Policy");
    back.GetItem(0)->nOCRLanguage = 5;
    EXPECT_FALSE(back.LoadOCRlanguage(script)); // Policy has no key any more
    EXPECT_EQ(0, back.GetItem(0)->nOCRLanguage);
    EXPECT_EQ(list, back);
}

TEST(IndexItemList, NormalizeEmptiesAnInvalidList)
{
    QX_JOBCFG_INDEX_ITEMLIST_TYPE list;
    list.Add(SJobRecordSamples::IndexItem(L"Policy"));
    list.normalize();
    EXPECT_EQ(1, list.GetCount());
    list.Add(QX_JOBCFG_INDEX_ITEM_TYPE()); // no label
    list.normalize();
    EXPECT_EQ(0, list.GetCount());
}

TEST(DBLookup, CredentialsAreStoredEnciphered)
{
    const QX_JOBCFG_DBLOOKUP_ITEM_TYPE original = SJobRecordSamples::Lookup(L"Policies");
    CZKScript script;
    ASSERT_TRUE(original.toscript(script));
    std::wstring user;
    std::wstring password;
    ASSERT_TRUE(script.GetKeyValue(L"DBUser", user));
    ASSERT_TRUE(script.GetKeyValue(L"DBPwd", password));
    EXPECT_EQ(0u, user.find(SZKCryptograph::Prefix));
    EXPECT_EQ(0u, password.find(SZKCryptograph::Prefix));
    EXPECT_EQ(std::wstring::npos, AllText(script).find(L"scanner"));
    EXPECT_EQ(std::wstring::npos, AllText(script).find(L"ss #1"));

    QX_JOBCFG_DBLOOKUP_ITEM_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"p,a=ss #1", back.accessInfo.strPassword);
    std::wstring column;
    ASSERT_TRUE(back.documentMapping.GetKeyValue(L"Amount, net", column));
    EXPECT_EQ(L"amount,net", column);
}

// Lines behind a switch: off, they are not read; on without a single line,
// the record is damaged and left at its defaults.
template <class Record, class LinesOf>
void ExpectSwitchedLines(const Record& sample, const wchar_t* switchKey, const wchar_t* itemKey,
                         LinesOf linesOf)
{
    CZKScript script;
    ASSERT_TRUE(sample.toscript(script));
    ASSERT_FALSE(linesOf(sample).IsEmpty());
    ASSERT_TRUE(script.SetKeyValue(switchKey, L"0"));
    Record back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_TRUE(linesOf(back).IsEmpty());
    ASSERT_TRUE(script.SetKeyValue(switchKey, L"1"));
    script.RemoveKey(itemKey);
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(Record(), back);
}

TEST(DBLookup, SwitchedLinesOfMappingsAndSubstitutions)
{
    const QX_JOBCFG_DBLOOKUP_ITEM_TYPE lookup = SJobRecordSamples::Lookup(L"Policies");
    ExpectSwitchedLines(lookup, L"BTC_OutputFieldsMapping", L"BTC_MappingItem",
                        [](const auto& r) -> const CZKDict& { return r.batchMapping; });
    ExpectSwitchedLines(lookup, L"DOC_OutputFieldsMapping", L"DOC_MappingItem",
                        [](const auto& r) -> const CZKDict& { return r.documentMapping; });
    ExpectSwitchedLines(SJobRecordSamples::IndexItem(L"X"), L"Substitution", L"SubstitutionItem",
                        [](const auto& r) -> const CZKDict& { return r.substitutions; });
}

TEST(DBLookup, ClearTextOrForeignCredentialsAreRefused)
{
    CZKScript script;
    ASSERT_TRUE(SJobRecordSamples::Lookup(L"Policies").toscript(script));
    std::wstring foreign;
    ASSERT_TRUE(SZKCryptograph::EncryptString(L"secret", foreign, "another-station"));
    for (const std::wstring& stored : {std::wstring(L"secret"), foreign})
    {
        ASSERT_TRUE(script.SetKeyValue(L"DBPwd", stored));
        QX_JOBCFG_DBLOOKUP_ITEM_TYPE back = SJobRecordSamples::Lookup(L"Old");
        EXPECT_FALSE(back.fromscript(script));
        EXPECT_EQ(QX_JOBCFG_DBLOOKUP_ITEM_TYPE(), back);
    }
}

TEST(DBLookup, TriggerOptionsAndCheck)
{
    QX_JOBCFG_DBLOOKUP_ITEM_TYPE lookup;
    EXPECT_EQ(5, lookup.triggerOption.value);
    EXPECT_TRUE(lookup.triggerOption.lookupduringscanning_ischecked());
    EXPECT_FALSE(lookup.triggerOption.lookuponupdatefield_ischecked());
    EXPECT_TRUE(lookup.triggerOption.lookuponoutput_ischecked());
    lookup.triggerOption.lookupduringscanning_check(FALSE);
    lookup.triggerOption.lookuponupdatefield_check(TRUE);
    EXPECT_EQ(6, lookup.triggerOption.value);

    CZKScript script;
    ASSERT_TRUE(lookup.toscript(script));
    script.RemoveKey(L"Flag");
    QX_JOBCFG_DBLOOKUP_TRIGGER_OPTION option(2);
    EXPECT_FALSE(option.fromscript(script, L"Flag"));
    EXPECT_EQ(5, option.value);

    EXPECT_FALSE(lookup.check());
    lookup = SJobRecordSamples::Lookup(L"L");
    EXPECT_TRUE(lookup.check());
    lookup.multiMatch.value = 2;
    EXPECT_FALSE(lookup.check());
    lookup.normalize();
    EXPECT_EQ(1, lookup.multiMatch.value);
    lookup.strDSN.clear();
    EXPECT_FALSE(lookup.check());
}

TEST(IXDPlugins, FindByName)
{
    QX_JOBCFG_IXDPLUGIN_ITEMLIST_TYPE list;
    QX_JOBCFG_IXDPLUGIN_ITEM_TYPE item;
    item.strName = L"Archive";
    list.Add(item);
    item.strName = L"Ledger";
    list.Add(item);
    ASSERT_NE(nullptr, list.Find(L"Ledger"));
    EXPECT_EQ(L"Ledger", list.Find(L"Ledger")->strName);
    EXPECT_EQ(nullptr, list.Find(L"ledger"));
}

TEST(IndexGroup, RoundTripUsesItsSectionsAndRestoresTheCurrentOne)
{
    const QX_JOBCFG_INDEX_GROUP_TYPE original = SJobRecordSamples::IndexGroup();
    CZKScript script;
    script.SetDefaultSection(L"Somewhere");
    ASSERT_TRUE(original.toscript(script));
    EXPECT_EQ(L"Somewhere", script.GetDefaultSection());
    for (const wchar_t* section :
         {L"Index", L"BatchLevelIndex", L"BatchLevelIndex.Index0", L"DocumentLevelIndex.Index1",
          L"DocumentLevelIndex.Index1.Locator", L"DBLookupConnections.DBLookup0",
          L"IXDPlugins.IXDPlugin0"})
        EXPECT_TRUE(script.HasSection(section)) << section;
    int count = 0;
    EXPECT_TRUE(script.R_int(L"IndexCount", count, 0, L"DocumentLevelIndex"));
    EXPECT_EQ(2, count);

    QX_JOBCFG_INDEX_GROUP_TYPE back;
    ASSERT_TRUE(back.fromscript(script));
    EXPECT_EQ(original, back);
    EXPECT_EQ(L"Somewhere", script.GetDefaultSection());
}

TEST(IndexGroup, AnItemThatFailsEmptiesItsListAndResetsTheGroup)
{
    CZKScript script;
    ASSERT_TRUE(SJobRecordSamples::IndexGroup().toscript(script));
    script.RemoveKey(L"Example", 0, L"DocumentLevelIndex.Index1");

    QX_JOBCFG_INDEX_ITEMLIST_TYPE list;
    script.SetDefaultSection(L"DocumentLevelIndex");
    EXPECT_FALSE(list.fromscript(script));
    EXPECT_EQ(0, list.GetCount());

    QX_JOBCFG_INDEX_GROUP_TYPE back = SJobRecordSamples::IndexGroup();
    EXPECT_FALSE(back.fromscript(script));
    EXPECT_EQ(QX_JOBCFG_INDEX_GROUP_TYPE(), back);
    EXPECT_EQ(L"DocumentLevelIndex", script.GetDefaultSection());
}

TEST(IndexGroup, AnyMissingKeyRefusesTheWholeGroup)
{
    const QX_JOBCFG_INDEX_GROUP_TYPE original = SJobRecordSamples::IndexGroup();
    CZKScript script;
    ASSERT_TRUE(original.toscript(script));
    const int tried = SJobRecordSamples::ForEachKeyRemoved(
        script, [&](CZKScript& damaged, const std::wstring& where) {
            QX_JOBCFG_INDEX_GROUP_TYPE back = original;
            EXPECT_FALSE(back.fromscript(damaged)) << where;
            EXPECT_EQ(QX_JOBCFG_INDEX_GROUP_TYPE(), back) << where;
        });
    EXPECT_GT(tried, 80);
}
