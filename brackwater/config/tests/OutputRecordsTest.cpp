// The job output records: default naming formulas, legacy values of older
// scripts, the delimiter and e-mail text encodings, lists, legacy-output
// detection and the round trip of a fully populated output group.
#include <brackwater/QX_JOBCFG_OUTPUT_GROUP_TYPE.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKEnvResource.h>
#include <hollin/ZKPath.h>
#include <hollin/ZKScript.h>

#include "common/RecordSamples.h"
#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace
{
typedef QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE IndexInfo;

void SetVersion(CZKScript& script, const wchar_t* version)
{
    script.SetKeyValue(L"VersionNumber", version, 0, L"Version");
}

// Restores a variable of the process environment when the test ends.
class CScopedEnv
{
public:
    CScopedEnv(const char* name, const std::string& value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old, m_had = true;
        ::setenv(name, value.c_str(), 1);
    }
    ~CScopedEnv()
    {
        if (m_had)
            ::setenv(m_name, m_old.c_str(), 1);
        else
            ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::string m_old;
    bool m_had = false;
};
} // namespace

TEST(OutputFileInfo, DefaultFormulasPerUse)
{
    EXPECT_EQ(QX_JOBCFG_OUTPUT_FILEINFO_TYPE().strPathFormula,
              L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"<DOCUMENT_ID_8>");
    EXPECT_EQ(QX_JOBCFG_OUTPUT_FILEINFO_TYPE().strNameFormula,
              L"<IMAGE_SEQUENCENUMBER_8><DEFAULT_EXT>");
    QX_JOBCFG_OUTPUT_INDEXFILE_TYPE index;
    EXPECT_EQ(index.levelInfo[IndexInfo::LEVEL_BATCH].strPathFormula,
              L"<EXPORT_PATH>\"\\\"<BATCH_NAME>\"\\\"");
    EXPECT_EQ(index.levelInfo[IndexInfo::LEVEL_BATCH].strNameFormula, L"<BATCH_NAME>\".XML\"");
    EXPECT_EQ(index.levelInfo[IndexInfo::LEVEL_IMAGE].strNameFormula,
              L"<IMAGE_SEQUENCENUMBER_8>\".XML\"");
    EXPECT_EQ(QX_JOBCFG_OUTPUT_EMAILEX_TYPE().imageInfo[0].strNameFormula,
              L"<DOCUMENT_ID_8><DEFAULT_EXT>");
    EXPECT_EQ(QX_JOBCFG_OUTPUT_EMAIL_TYPE().strAttachName,
              L"<APP_NAME><BATCH_NAME><DATE_MMDDYY><TIME_12><DEFAULT_EXT>");
    EXPECT_EQ(QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE().paramFile.strNameFormula,
              L"\"Parameters.XML\"");

    // A slot keeps its own defaults through copy and reset.
    IndexInfo page = index.levelInfo[IndexInfo::LEVEL_PAGE];
    page.strNameFormula = L"x";
    page.reset();
    EXPECT_EQ(page.strNameFormula, L"<PAGE_SEQUENCENUMBER_8>\".XML\"");
    index.levelInfo[IndexInfo::LEVEL_DOCUMENT].set(page);
    index.levelInfo[IndexInfo::LEVEL_DOCUMENT].reset();
    EXPECT_EQ(index.levelInfo[IndexInfo::LEVEL_DOCUMENT].strNameFormula,
              L"<DOCUMENT_ID_8>\".XML\"");
}

TEST(OutputFileInfo, OlderScriptsTakeLegacyCountersAndPadding)
{
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE written;
    FillFileInfo(written, 1);
    CZKScript script;
    script.SetDefaultSection(L"Info");
    ASSERT_TRUE(written.toscript(script));

    for (const wchar_t* version : {L"", L"1.2.9.9"})
    {
        SetVersion(script, version);
        QX_JOBCFG_OUTPUT_FILEINFO_TYPE read;
        ASSERT_TRUE(read.fromscript(script));
        EXPECT_EQ(read.nImageResetFeature, 2);
        EXPECT_EQ(read.nImageBatchStartNumber, 1);
        EXPECT_EQ(read.nImageDocStartNumber, 1);
        EXPECT_EQ(read.nPageBatchStartNumber, 1);
        EXPECT_EQ(read.nPageDocStartNumber, 1);
        for (const auto& level : read.imageAddressLen)
        {
            EXPECT_TRUE(level.bEnable);
            EXPECT_EQ(level.nNumberLength, 8);
        }
    }

    SetVersion(script, L"1.3.0.0");
    QX_JOBCFG_OUTPUT_FILEINFO_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, written);
}

TEST(OutputIndexFile, DelimiterEncoding)
{
    EXPECT_EQ(IndexInfo::EncodeDelimiter(2, L"ignored"), L"<tab>");
    EXPECT_EQ(IndexInfo::EncodeDelimiter(1, L""), L"<space>");
    EXPECT_EQ(IndexInfo::EncodeDelimiter(0, L" \t"), L"<space><tab>");
    EXPECT_EQ(IndexInfo::EncodeDelimiter(7, L";|"), L";|");
    EXPECT_EQ(IndexInfo::DecodeDelimiter(L"<space><tab>x<tab"), L" \tx<tab");

    IndexInfo info;
    info.nDelimiterType = 0;
    info.strDelimiter = L" \t";
    CZKScript script;
    script.SetDefaultSection(L"Index");
    ASSERT_TRUE(info.toscript(script));
    std::wstring stored;
    ASSERT_TRUE(script.GetKeyValue(L"Delimiter", stored, 0, L"Index"));
    EXPECT_EQ(stored, L"<space><tab>");
    IndexInfo read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read.strDelimiter, L" \t");
}

TEST(OutputIndexFile, RewritingKeepsOneLinePerIndexItem)
{
    IndexInfo info;
    FillIndexInfo(info, 0);
    CZKScript script;
    script.SetDefaultSection(L"Index");
    ASSERT_TRUE(info.toscript(script));
    info.indexItems.RemoveAt(0);
    ASSERT_TRUE(info.toscript(script));
    IndexInfo read;
    ASSERT_TRUE(read.fromscript(script));
    ASSERT_EQ(read.indexItems.GetCount(), 1);
    EXPECT_EQ(read.indexItems.GetAt(0), L" padded ");
}

TEST(OutputEmail, LineBreaksTravelAsBackspaceWithoutMarker)
{
    QX_JOBCFG_OUTPUT_EMAIL_TYPE mail;
    mail.strTitle = L"a\r\nb#";
    mail.strBcc = L"";
    CZKScript script;
    ASSERT_TRUE(mail.toscript(script));
    std::wstring stored;
    ASSERT_TRUE(script.GetKeyValue(L"title", stored));
    EXPECT_EQ(stored, L"a\x0008"
                      L"b#");
    QX_JOBCFG_OUTPUT_EMAIL_TYPE read;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_EQ(read, mail);
}

TEST(OutputFlags, KindAndLevelBits)
{
    QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE image;
    image.all_check(TRUE);
    image.color_check(TRUE);
    EXPECT_EQ(image.nFlags, 9);
    image.all_check(FALSE);
    EXPECT_FALSE(image.all_ischecked());
    EXPECT_TRUE(image.color_ischecked());

    QX_JOBCFG_OUTPUT_INDEXFILE_TYPE index;
    index.batch_check(TRUE);
    index.image_check(TRUE);
    EXPECT_EQ(index.nFlag, 9);
    EXPECT_FALSE(index.page_ischecked());

    QX_JOBCFG_OUTPUT_SYSTEM_TYPE system;
    system.colorGrayscale_check(TRUE);
    system.blackWhite_check(TRUE);
    system.blackWhite_check(FALSE);
    EXPECT_EQ(system.nImageFileFlags, 4);
}

TEST(OutputGroup, FullRoundTripAndByteIdenticalRewrite)
{
    const QX_JOBCFG_OUTPUT_GROUP_TYPE written = SampleOutputGroup(HaveTestPlugin());
    ASSERT_TRUE(written.check());
    CZKScript script;
    SetVersion(script, L"1.3.0.0");
    ASSERT_TRUE(written.toscript(script));
    const std::string text = script.SaveToText();

    CZKScript loaded;
    ASSERT_TRUE(loaded.LoadFromText(text));
    QX_JOBCFG_OUTPUT_GROUP_TYPE read;
    ASSERT_TRUE(read.fromscript(loaded));
    EXPECT_EQ(read, written);
    EXPECT_TRUE(read.files.is_file_enable());
    EXPECT_TRUE(read.systems.is_system_enable());

    // Written again over what it was read from, and into a fresh script.
    ASSERT_TRUE(read.toscript(loaded));
    EXPECT_EQ(loaded.SaveToText(), text);
    CZKScript fresh;
    SetVersion(fresh, L"1.3.0.0");
    ASSERT_TRUE(read.toscript(fresh));
    EXPECT_EQ(fresh.SaveToText(), text);
}

TEST(OutputGroup, KeysAndSectionsAsStored)
{
    const QX_JOBCFG_OUTPUT_GROUP_TYPE written = SampleOutputGroup(false);
    CZKScript script;
    ASSERT_TRUE(written.toscript(script));
    int count = 0;
    EXPECT_TRUE(script.R_int(L"FileCount", count, 0, L"Files"));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(script.R_int(L"Flags", count, 0, L"File1.Image"));
    EXPECT_TRUE(script.R_int(L"numberlength", count, 0, L"File0.Image.All.Document"));
    EXPECT_TRUE(script.R_int(L"numberlength", count, 0, L"File0.Index.Page.ImageAddressLevel3"));
    EXPECT_TRUE(script.R_int(L"BlackWhiteImageFiless_GroupMode", count, 0, L"System0"));
    EXPECT_TRUE(script.R_int(L"Flag", count, 0, L"System0.Index"));
    EXPECT_TRUE(script.R_int(L"MaxAttachmentSize", count, 0, L"Email.Email"));
    EXPECT_TRUE(script.HasSection(L"Email.Image.Color"));
    EXPECT_TRUE(script.R_int(L"Enable", count, 0, L"AutoOrientaionRear"));
    EXPECT_TRUE(script.R_int(L"Aggressiveness", count, 0, L"bgColorSmoothFront"));
    EXPECT_TRUE(script.R_int(L"ImageStampDiff", count, 0, L"ImageStamping"));
    EXPECT_TRUE(script.R_int(L"FontWeight", count, 0, L"ImageStampingRear"));
    EXPECT_TRUE(script.R_int(L"Rotation", count, 0, L"RotationFront"));
    EXPECT_EQ(count, 3);
    EXPECT_TRUE(script.R_int(L"FrontPieces", count, 0, L"Split.SplitConfig"));
    EXPECT_TRUE(script.R_int(L"Enable", count, 0, L"Split"));
    EXPECT_TRUE(script.R_int(L"EnableXMLParams", count, 0, L"Invoke"));
    EXPECT_TRUE(script.HasSection(L"Invoke.Params"));
    EXPECT_TRUE(script.R_int(L"Enable", count, 0, L"OpenByDef"));
}

TEST(OutputGroup, OlderScriptsTakeLegacyStampAndInvokeValues)
{
    QX_JOBCFG_OUTPUT_GROUP_TYPE written = SampleOutputGroup(false);
    written.imageStamp.bImageStampDiff = FALSE;
    CZKScript script;
    ASSERT_TRUE(written.toscript(script));
    SetVersion(script, L"1.2.0.0");
    script.RemoveKey(L"ImageStampDiff", 0, L"ImageStamping");
    script.RemoveKey(L"EnableXMLParams", 0, L"Invoke");

    // Read over a record holding the newer values: they give way to the
    // legacy ones.
    QX_JOBCFG_OUTPUT_GROUP_TYPE read = written;
    ASSERT_TRUE(read.fromscript(script));
    EXPECT_TRUE(read.imageStamp.bImageStampDiff);
    EXPECT_FALSE(read.invoke.bEnableXMLParams);
    EXPECT_EQ(read.invoke.paramFile, QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE().paramFile);
    EXPECT_EQ(read.invoke.strProgramName, L"/usr/bin/post");
}

TEST(OutputGroup, FailedReadLeavesDefaults)
{
    const QX_JOBCFG_OUTPUT_GROUP_TYPE written = SampleOutputGroup(false);
    CZKScript script;
    SetVersion(script, L"1.3.0.0");
    ASSERT_TRUE(written.toscript(script));
    script.RemoveKey(L"PathFormula", 0, L"File1.Index.Image");

    QX_JOBCFG_OUTPUT_GROUP_TYPE read = written;
    EXPECT_FALSE(read.fromscript(script));
    EXPECT_EQ(read, QX_JOBCFG_OUTPUT_GROUP_TYPE());
    EXPECT_EQ(read.files.GetCount(), 0);
}

TEST(OutputGroup, CheckAndNormalizeReachNestedRecords)
{
    QX_JOBCFG_OUTPUT_GROUP_TYPE g;
    EXPECT_TRUE(g.check());
    g.email.imageInfo[2].duplicateHandle.value = 9;
    g.imageEdgeFill[0].dMarginLeft = -1.0;
    g.autoDeletion.deletion.nColorGrayscaleContentRef[0] = 150;
    g.print.nNumberOfCopies = 0;
    EXPECT_FALSE(g.check());
    g.normalize();
    EXPECT_TRUE(g.check());
    EXPECT_EQ(g.email.imageInfo[2].duplicateHandle.value, 3);
    EXPECT_EQ(g.imageEdgeFill[0].dMarginLeft, 0.0);
    EXPECT_EQ(g.autoDeletion.deletion.nColorGrayscaleContentRef[0], 100);
    EXPECT_EQ(g.print.nNumberOfCopies, 1);
}

TEST(OutputPrint, FileRoundTripAndGarbledFile)
{
    CTempFolder folder;
    QX_JOBCFG_OUTPUT_PRINT_TYPE print;
    print.bEnable = TRUE;
    print.strPortName = L"lp0";
    print.nNumberOfCopies = 2;
    ASSERT_TRUE(print.tofile(folder.File("print.zks")));
    QX_JOBCFG_OUTPUT_PRINT_TYPE read;
    ASSERT_TRUE(read.fromfile(folder.File("print.zks")));
    EXPECT_EQ(read, print);
    EXPECT_TRUE(read.is_print_enable());

    std::FILE* f = std::fopen((folder.Path() + "/bad.zks").c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("[Print]\nEnable = 1\nnot a line\n", f);
    std::fclose(f);
    EXPECT_FALSE(read.fromfile(folder.File("bad.zks")));
    EXPECT_EQ(read, QX_JOBCFG_OUTPUT_PRINT_TYPE());
    EXPECT_FALSE(read.fromfile(folder.File("missing.zks")));
}

TEST(OutputGroup, LegacySystemOutputDetection)
{
    if (!HaveTestPlugin())
        GTEST_SKIP() << "test plug-in not built";
    CTempFolder folder;
    std::wstring names[2] = {L"libqxsysoutput.so", L"LIBQXSYSOUTPUTD.SO"};
    // The shipped names, unless the environment resource names others.
    std::wstring configured;
    ASSERT_TRUE(SZKEnvResource::GetEnvStringValue(L"LEGACY_SYSTEM_OUTPUT_PLUGIN", configured));
    EXPECT_EQ(configured, names[0]);

    const std::string copy = folder.Path() + "/" + SZKPath::ToNative(names[1]);
    std::filesystem::copy_file(SZKPath::ToNative(TestPluginPath()), copy);
    QX_JOBCFG_OUTPUT_GROUP_TYPE g;
    auto* other = new QX_JOBCFG_OUTPUT_SYSTEM_TYPE;
    other->bEnable = TRUE;
    ASSERT_TRUE(other->plugin.Connect(TestPluginPath()));
    g.systems.Add(other);
    auto* legacy = new QX_JOBCFG_OUTPUT_SYSTEM_TYPE;
    ASSERT_TRUE(legacy->plugin.Connect(std::wstring(copy.begin(), copy.end())));
    g.systems.Add(legacy);
    EXPECT_FALSE(g.IsWithLegacySystemOutput()); // the matching system is disabled
    legacy->bEnable = TRUE;
    EXPECT_TRUE(g.IsWithLegacySystemOutput());

    // A site that renamed the plug-in names it in the environment resource.
    const std::string resource = folder.Path() + "/env.zks";
    std::FILE* f = std::fopen(resource.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fputs("[Environment]\nLEGACY_SYSTEM_OUTPUT_PLUGIN_DEBUG = other.so\n", f);
    std::fclose(f);
    CScopedEnv env("ZK_ENV_RESOURCE", resource);
    EXPECT_FALSE(g.IsWithLegacySystemOutput());
}
