#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const std::string kBom = "\xEF\xBB\xBF";

// Values that stress every escape and the UTF-8 encoder.
std::vector<std::wstring> OddTexts()
{
    return {L"",
            L"plain",
            L" leading",
            L"trailing ",
            L"   ",
            L"a = b == c",
            L"[Section]",
            L"ends]",
            L"back\\slash\\",
            L"\\n is not a newline",
            L"two\nlines\r\n",
            L"tab\there",
            std::wstring(L"nul\0inside", 10),
            L"bell\x07 del\x7f comma-stand-in\x08",
            L"caf\u00e9 \u4e2d\u6587",
            L"\U0001F600 outside the BMP \U00010348",
            std::wstring(1, static_cast<wchar_t>(0xD800)) + L"lone surrogate",
            std::wstring(1, static_cast<wchar_t>(0x110000)),
            L" \\s literal ",
            L"# not a comment",
            L"; nor this"};
}

std::string TempPath(const char* name)
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/zkscripttest.XXXXXX";
        const char* made = mkdtemp(pattern);
        return std::string(made ? made : "/tmp");
    }();
    return dir + "/" + name;
}

std::wstring Wide(const std::string& narrow) { return std::wstring(narrow.begin(), narrow.end()); }

std::string ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

} // namespace

TEST(ZKScriptTest, OddValuesKeysAndSectionsSurviveSaveAndLoad)
{
    CZKScript script;
    const auto texts = OddTexts();
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::wstring key = L"K" + std::to_wstring(i);
        ASSERT_TRUE(script.SetKeyValue(key.c_str(), texts[i], 0, L"Values"));
        // The same text as a key and as a section name (names are C strings,
        // so one with a NUL stops there).
        ASSERT_TRUE(script.SetKeyValue(texts[i].c_str(), key, 0, L"Keys"));
        ASSERT_TRUE(script.SetKeyValue(L"k", key, 0, (L"S:" + texts[i]).c_str()));
    }
    const std::string text = script.SaveToText();
    ASSERT_EQ(0u, text.compare(0, 3, kBom));

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(text)) << text;
    for (size_t i = 0; i < texts.size(); ++i) {
        const std::wstring key = L"K" + std::to_wstring(i);
        std::wstring value;
        ASSERT_TRUE(loaded.GetKeyValue(key.c_str(), value, 0, L"Values")) << i;
        EXPECT_EQ(texts[i], value) << i;
        std::wstring back;
        EXPECT_TRUE(loaded.GetKeyValue(L"k", back, 0, (L"S:" + texts[i]).c_str())) << i;
        EXPECT_EQ(key, back);
    }
    CZKScriptItemList keys;
    ASSERT_TRUE(loaded.GetSectionItems(L"Keys", keys));
    ASSERT_EQ(static_cast<int>(texts.size()), keys.GetCount());
    for (int i = 0; i < keys.GetCount(); ++i)
        EXPECT_EQ(texts[static_cast<size_t>(i)].c_str(), keys.GetItem(i)->GetKey()) << i;
    EXPECT_EQ(text, loaded.SaveToText());
}

TEST(ZKScriptTest, FileLayoutIsPlainSectionsAndItemLines)
{
    CZKScript script;
    script.SetKeyValue(L"Top", L"1", 0);
    script.SetDefaultSection(L"General");
    script.W_int(L"Count", 3);
    script.W_BOOL(L"Enabled", TRUE);
    script.AddScript(L"Piece = 7");
    script.AddScript(L"Piece = 8");
    const std::string expected = kBom + "Top = 1\n\n[General]\nCount = 3\nEnabled = 1\nPiece = 7\nPiece = 8\n";
    EXPECT_EQ(expected, script.SaveToText());
}

TEST(ZKScriptTest, FlagAndSectionSelectTheSection)
{
    CZKScript script;
    script.SetDefaultSection(L"Job.Index0");
    EXPECT_TRUE(script.W_int(L"Value", 1));
    EXPECT_TRUE(script.W_int(L"Value", 2, 0, L"Version"));
    EXPECT_TRUE(script.W_int(L"Value", 3, 0));

    int value = 0;
    EXPECT_TRUE(script.R_int(L"Value", value, 1));
    EXPECT_EQ(1, value);
    EXPECT_TRUE(script.R_int(L"Value", value, 0, L"Version"));
    EXPECT_EQ(2, value);
    EXPECT_TRUE(script.R_int(L"Value", value, 1, L"Version")) << "an explicit section wins over the flag";
    EXPECT_EQ(2, value);
    EXPECT_TRUE(script.R_int(L"Value", value, 0));
    EXPECT_EQ(3, value);

    // Names compare case-insensitively (ASCII letters).
    EXPECT_TRUE(script.R_int(L"VALUE", value, 0, L"version"));
    EXPECT_EQ(2, value);
    std::wstring name;
    script.GetDefaultSection(name);
    EXPECT_EQ(L"Job.Index0", name);

    script.SetDefaultSection(L"Job");
    EXPECT_FALSE(script.R_int(L"Value", value)) << "sections do not nest";
}

TEST(ZKScriptTest, WritesReplaceTheFirstItemAndAddScriptAppends)
{
    CZKScript script;
    script.SetDefaultSection(L"List");
    script.AddScript(L"User = anna");
    script.AddScript(L"User=bob");
    script.AddScript(L"Path =  C:\\new\\dir, two spaces");
    EXPECT_FALSE(script.AddScript(L"no equals sign"));

    CZKScriptItemList items;
    ASSERT_TRUE(script.FindKeyValues(nullptr, L"user", items));
    ASSERT_EQ(2, items.GetCount());
    std::wstring key, value;
    items.GetItem(0)->GetKeyValue(key, value);
    EXPECT_EQ(L"User", key);
    EXPECT_EQ(L"anna", value);
    EXPECT_EQ(L"bob", items.GetItem(1)->GetValue());
    ASSERT_TRUE(script.FindKeyValues(L"List", L"Path", items));
    EXPECT_EQ(L" C:\\new\\dir, two spaces", items.GetItem(0)->GetValue()) << "raw lines are taken literally";

    EXPECT_TRUE(script.SetKeyValue(L"User", L"carl"));
    ASSERT_TRUE(script.FindKeyValues(nullptr, L"User", items));
    ASSERT_EQ(2, items.GetCount());
    EXPECT_EQ(L"carl", items.GetItem(0)->GetValue());
    EXPECT_EQ(L"bob", items.GetItem(1)->GetValue());

    EXPECT_FALSE(script.FindKeyValues(nullptr, L"Missing", items));
    EXPECT_EQ(0, items.GetCount());
}

TEST(ZKScriptTest, RemoveAllScriptsEmptiesOnlyTheAddressedSection)
{
    CZKScript script;
    script.SetKeyValue(L"Keep", L"1", 0, L"Other");
    script.SetDefaultSection(L"Users");
    script.AddScript(L"User = a");
    script.AddScript(L"User = b");
    script.RemoveAllScripts(1, nullptr);
    script.AddScript(L"User = c");

    CZKScriptItemList items;
    ASSERT_TRUE(script.FindKeyValues(nullptr, L"User", items));
    ASSERT_EQ(1, items.GetCount());
    EXPECT_EQ(L"c", items.GetItem(0)->GetValue());
    std::wstring kept;
    EXPECT_TRUE(script.GetKeyValue(L"Keep", kept, 0, L"Other"));

    script.RemoveAllScripts(0, L"Other");
    EXPECT_FALSE(script.GetKeyValue(L"Keep", kept, 0, L"Other"));
    EXPECT_TRUE(script.RemoveKey(L"User"));
    EXPECT_FALSE(script.RemoveKey(L"User"));
    script.RemoveAll();
    CZKStringList names;
    script.GetSectionNames(names);
    EXPECT_EQ(0, names.GetCount());
}

TEST(ZKScriptTest, NumbersRoundTripAndMalformedValuesFail)
{
    CZKScript script;
    const double doubles[] = {0.1, 1.0 / 3.0, -0.0, DBL_MIN, DBL_TRUE_MIN, DBL_MAX, -123456.789e-300,
                              std::numeric_limits<double>::infinity()};
    for (size_t i = 0; i < sizeof doubles / sizeof doubles[0]; ++i)
        script.W_double((L"D" + std::to_wstring(i)).c_str(), doubles[i]);
    script.W_double(L"NaN", std::nan(""));
    script.W_int(L"Min", std::numeric_limits<int>::min());
    script.W_int(L"Max", std::numeric_limits<int>::max());
    script.W_int4(L"Zone", -1, 0, 2147483647, -2147483647 - 1);

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(script.SaveToText()));
    for (size_t i = 0; i < sizeof doubles / sizeof doubles[0]; ++i) {
        double value = 42;
        ASSERT_TRUE(loaded.R_double((L"D" + std::to_wstring(i)).c_str(), value));
        EXPECT_EQ(0, std::memcmp(&value, &doubles[i], sizeof value)) << i;
    }
    double nan = 0;
    EXPECT_TRUE(loaded.R_double(L"NaN", nan));
    EXPECT_TRUE(std::isnan(nan));
    int value = 0;
    EXPECT_TRUE(loaded.R_int(L"Min", value));
    EXPECT_EQ(std::numeric_limits<int>::min(), value);
    EXPECT_TRUE(loaded.R_int(L"Max", value));
    EXPECT_EQ(std::numeric_limits<int>::max(), value);
    int zone[4] = {};
    EXPECT_TRUE(loaded.R_int4(L"Zone", zone));
    EXPECT_EQ(-1, zone[0]);
    EXPECT_EQ(2147483647, zone[2]);
    EXPECT_EQ(-2147483647 - 1, zone[3]);

    const wchar_t* badInts[] = {L"", L"abc", L"12x", L"2147483648", L"-2147483649", L"1.5", L"--1", L"+"};
    for (const wchar_t* bad : badInts) {
        script.SetKeyValue(L"Bad", bad);
        int untouched = 77;
        EXPECT_FALSE(script.R_int(L"Bad", untouched)) << bad;
        EXPECT_EQ(77, untouched);
        BOOL flag = 5;
        EXPECT_FALSE(script.R_BOOL(L"Bad", flag)) << bad;
        EXPECT_EQ(5, flag);
    }
    const wchar_t* badDoubles[] = {L"", L"1,5", L"0x", L"1e", L"one", L"1.0 2"};
    for (const wchar_t* bad : badDoubles) {
        script.SetKeyValue(L"Bad", bad);
        double untouched = 7.5;
        EXPECT_FALSE(script.R_double(L"Bad", untouched)) << bad;
        EXPECT_EQ(7.5, untouched);
    }
    const wchar_t* badQuads[] = {L"1,2,3", L"1,2,3,4,5", L"1,,3,4", L"1,2,3,x"};
    for (const wchar_t* bad : badQuads) {
        script.SetKeyValue(L"Bad", bad);
        int a = 9, b = 9, c = 9, d = 9;
        EXPECT_FALSE(script.R_int4(L"Bad", a, b, c, d)) << bad;
        EXPECT_EQ(9, a + b + c + d - 27);
    }
    script.SetKeyValue(L"Hand", L" 1 , -2,3 ,4 ");
    int a = 0, b = 0, c = 0, d = 0;
    EXPECT_TRUE(script.R_int4(L"Hand", a, b, c, d));
    EXPECT_EQ(-2, b);
    BOOL flag = FALSE;
    script.SetKeyValue(L"Flag", L"True");
    EXPECT_TRUE(script.R_BOOL(L"Flag", flag));
    EXPECT_EQ(TRUE, flag);
    EXPECT_FALSE(script.R_int(L"Missing", value));
}

TEST(ZKScriptTest, LoadAcceptsHandWrittenTextAndRejectsCorruptText)
{
    CZKScript script;
    ASSERT_TRUE(script.LoadFromText("root = r\r\n\r\n  [ Main ]  \r\n\tName = \t x \\s\r\n[main]\nMore = 2"));
    std::wstring value;
    EXPECT_TRUE(script.GetKeyValue(L"root", value, 0));
    EXPECT_EQ(L"r", value);
    EXPECT_TRUE(script.GetKeyValue(L"Name", value, 0, L"Main"));
    EXPECT_EQ(L"x  ", value);
    EXPECT_TRUE(script.GetKeyValue(L"More", value, 0, L"MAIN")) << "a repeated header continues its section";

    const std::string corrupt[] = {
        "key without equals\n",     "[Unclosed\n",          "[Closed]trailing\n",  "k = bad \\q escape\n",
        "k = dangling \\",          "k = \\x4\n",           "k = \\U0000004G\n",   "k = \xC3\n",
        "k = \xC0\xAF overlong\n",  "k = \xED\xA0\x80\n",   "k = \xF4\x90\x80\x80", std::string("k = a\0b\n", 8)};
    for (const std::string& text : corrupt) {
        EXPECT_FALSE(script.LoadFromText(text)) << text;
        EXPECT_TRUE(script.GetKeyValue(L"Name", value, 0, L"Main")) << "a failed load keeps the contents";
    }
    EXPECT_TRUE(script.LoadFromText(""));
    EXPECT_FALSE(script.GetKeyValue(L"Name", value, 0, L"Main"));
}

TEST(ZKScriptTest, FilesAndBuffers)
{
    const std::string path = TempPath("settings.txt");
    {
        CZKScript script;
        script.SetDefaultSection(L"General");
        script.SetKeyValue(L"Name", L"\u00e9t\u00e9 \U0001F600");
        ASSERT_TRUE(script.Save(Wide(path)));
        EXPECT_FALSE(script.IsModified());
        EXPECT_FALSE(script.Save(L"/nonexistent-dir/x/settings.txt"));
    }
    const std::string bytes = ReadAll(path);
    EXPECT_EQ(kBom + "[General]\nName = \xC3\xA9t\xC3\xA9 \xF0\x9F\x98\x80\n", bytes);

    CZKScript loaded;
    ASSERT_TRUE(loaded.Load(Wide(path)));
    std::wstring value;
    EXPECT_TRUE(loaded.GetKeyValue(L"Name", value, 0, L"General"));
    EXPECT_EQ(L"\u00e9t\u00e9 \U0001F600", value);
    EXPECT_FALSE(loaded.Load(Wide(TempPath("missing.txt"))));

    WriteAll(TempPath("nobom.txt"), "[A]\nk = v\n");
    EXPECT_TRUE(loaded.Load(Wide(TempPath("nobom.txt"))));
    WriteAll(TempPath("binary.txt"), std::string("\xFF\xFE[\0A\0]\0", 8));
    EXPECT_FALSE(loaded.Load(Wide(TempPath("binary.txt"))));
    EXPECT_TRUE(loaded.GetKeyValue(L"k", value, 0, L"A"));

    CZKRBuffer buffer;
    ASSERT_TRUE(loaded.Save(buffer));
    const std::string held(reinterpret_cast<const char*>(buffer.GetPtr()), buffer.GetSize());
    EXPECT_EQ(kBom + "[A]\nk = v\n", held);
    CZKScript fromBuffer;
    ASSERT_TRUE(fromBuffer.Load(buffer));
    EXPECT_TRUE(fromBuffer.GetKeyValue(L"k", value, 0, L"A"));
    EXPECT_EQ(L"v", value);
    buffer.CopyFrom("\x01\x02\x80", 3);
    EXPECT_FALSE(fromBuffer.Load(buffer));
}

TEST(ZKScriptTest, AutoSaveWritesAModifiedScriptOnDestruction)
{
    const std::string path = TempPath("auto.txt");
    {
        CZKScript script;
        script.SetKeyValue(L"k", L"1", 0, L"S");
        ASSERT_TRUE(script.Save(Wide(path)));
        script.SetAutoSave(TRUE);
        script.SetKeyValue(L"k", L"2", 0, L"S");
    }
    {
        CZKScript script;
        ASSERT_TRUE(script.Load(Wide(path)));
        std::wstring value;
        EXPECT_TRUE(script.GetKeyValue(L"k", value, 0, L"S"));
        EXPECT_EQ(L"2", value);
        script.SetAutoSave(FALSE);
        script.SetKeyValue(L"k", L"3", 0, L"S");
    }
    CZKScript script;
    ASSERT_TRUE(script.Load(Wide(path)));
    std::wstring value;
    EXPECT_TRUE(script.GetKeyValue(L"k", value, 0, L"S"));
    EXPECT_EQ(L"2", value);
}

// Sections are found by name in any ASCII case, however many there are and
// wherever they were added.
TEST(ZKScriptTest, ManySectionsAreFoundInAnyCase)
{
    const int sections = 20000;
    std::string text = kBom;
    for (int i = 0; i < sections; ++i)
        text += "[Setup." + std::to_string(i) + "]\nValue = " + std::to_string(i) + "\n";
    // A repeated header, in another case, continues its section.
    text += "[SETUP.7]\nExtra = 1\n";
    CZKScript script;
    ASSERT_TRUE(script.LoadFromText(text));

    int value = -1;
    EXPECT_TRUE(script.R_int(L"Value", value, 0, L"setup.19999"));
    EXPECT_EQ(19999, value);
    EXPECT_TRUE(script.R_int(L"Extra", value, 0, L"Setup.7"));
    CZKStringList names;
    script.GetSectionNames(names);
    EXPECT_EQ(sections, names.GetCount());

    // The root section goes in front of the others and moves them along.
    EXPECT_TRUE(script.W_int(L"Top", 1, 0));
    EXPECT_TRUE(script.R_int(L"Value", value, 0, L"SETUP.0"));
    EXPECT_EQ(0, value);
    EXPECT_TRUE(script.W_int(L"Value", 5, 0, L"New"));
    EXPECT_TRUE(script.R_int(L"Value", value, 0, L"new"));
    EXPECT_EQ(5, value);
    script.RemoveAll();
    EXPECT_FALSE(script.HasSection(L"Setup.0"));
}
