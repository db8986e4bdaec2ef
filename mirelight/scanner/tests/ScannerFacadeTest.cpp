// The facade's own rules, driven through scripted protocol implementations.
#include <mirelight/QXScanner.h>

#include <mirelight/QXScannerImpl.h>

#include <hollin/ZKRBuffer.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace
{
// A protocol implementation whose answers the test sets; it records what the
// facade asked of it.
class ScriptedImpl : public CQXScannerImpl
{
public:
    explicit ScriptedImpl(EQXScannerProtocol protocol) : protocol(protocol) {}

    EQXScannerProtocol protocol;
    BOOL initializeResult = TRUE;
    int initializeCalls = 0;
    bool open = false;
    bool online = true;
    BOOL openResult = TRUE;
    BOOL loadResult = TRUE;
    std::map<EQXScannerCapability, int> capabilities;
    std::vector<QX_SCANNER_NAMELIST_ITEM> scanners;
    BOOL queryResult = TRUE;
    std::wstring openedName;
    DWORD lastTag = 0;
    DWORD lastIndex = 0;
    void* lastPointer = nullptr;
    CQXScannerSessionManager sessionManager;
    std::vector<std::string> calls;

    EQXScannerProtocol GetProtocol() const override { return protocol; }
    BOOL Initialize() override
    {
        ++initializeCalls;
        return initializeResult;
    }
    void Uninitialize() override { calls.push_back("Uninitialize"); }
    BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) override
    {
        list = scanners;
        return queryResult;
    }
    BOOL GetDefaultScanner(std::wstring&) override { return FALSE; }
    BOOL UISelectScanner(std::wstring&, HWND) override { return FALSE; }
    void GetCurrentScanner(std::wstring& name) override { name = openedName; }
    EQXScannerFamily GetCurrentScannerFamily() override { return QX_SCANNER_FAMILY_GENERIC; }
    BOOL IsOpen() override { return open ? TRUE : FALSE; }
    BOOL IsOnline() override
    {
        calls.push_back("IsOnline");
        return online ? TRUE : FALSE;
    }
    EQXScannerUIReturnCode Setup(HWND, EQXScannerGUISetupType) override { return QX_SCANNER_UI_CANCEL; }
    BOOL Acquire(HWND, int) override { return TRUE; }
    void CancelAcquire(BOOL) override {}
    BOOL IsAcquiring() override { return FALSE; }
    BOOL SwitchCaptureSide(EQXCaptureSide) override { return TRUE; }
    BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return TRUE; }
    BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE&) override { return TRUE; }
    BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, CZKBuffer*) override { return TRUE; }
    BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE&, std::wstring&) override { return TRUE; }
    CQXScannerSessionManager GetSessionManager() override { return sessionManager; }
    BOOL SetTagValue(DWORD tag, DWORD index, void* value) override
    {
        lastTag = tag;
        lastIndex = index;
        lastPointer = value;
        return TRUE;
    }
    BOOL GetTagValue(DWORD tag, DWORD index, void* result) override
    {
        lastTag = tag;
        lastIndex = index;
        lastPointer = result;
        if (tag == 42)
            *static_cast<int*>(result) = 1234;
        return TRUE;
    }
    BOOL LoadCapabilities() override
    {
        for (const auto& entry : capabilities)
            _SetCapability(entry.first, entry.second);
        return loadResult;
    }
    BOOL OpenScanner(const wchar_t* name) override
    {
        if (!openResult)
            return FALSE;
        openedName = name;
        open = true;
        return TRUE;
    }
    void CloseScanner() override
    {
        open = false;
        openedName.clear();
    }
};

class TestScanner : public CQXScanner
{
public:
    TestScanner(ScriptedImpl* twain, ScriptedImpl* isis) : CQXScanner(twain, isis) {}
    CQXScannerImpl* Current() const { return _GetImpl(); }
};

class ScannerFacadeTest : public ::testing::Test
{
protected:
    ScriptedImpl* twain = new ScriptedImpl(QX_SCANNER_PROTOCOL_TWAIN);
    ScriptedImpl* isis = new ScriptedImpl(QX_SCANNER_PROTOCOL_ISIS);
    TestScanner scanner{twain, isis};
};

QX_SCANNER_NAMELIST_ITEM Item(const wchar_t* name, EQXScannerProtocol protocol)
{
    QX_SCANNER_NAMELIST_ITEM item;
    item.name = name;
    item.driver = name;
    item.protocol = protocol;
    return item;
}

// Collects strips as both protocol implementations do before joining them.
class StripCollectingImpl : public ScriptedImpl
{
public:
    StripCollectingImpl() : ScriptedImpl(QX_SCANNER_PROTOCOL_TWAIN) {}
    void AddStrip(std::string& bytes) { m_strips.emplace_back(&bytes[0], bytes.size()); }
    BOOL Join(CZKRBuffer& image, size_t size) const { return _AttachJoinedStrips(image, size); }
};
} // namespace

TEST_F(ScannerFacadeTest, StartsWithTwainAndOpensUnderTheGivenProtocol)
{
    EXPECT_EQ(scanner.Current(), twain);
    ASSERT_TRUE(scanner.Open(L"DRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_EQ(scanner.Current(), isis);
    EXPECT_EQ(isis->openedName, L"DRIVER");
    EXPECT_TRUE(scanner.IsOpen());
}

TEST_F(ScannerFacadeTest, OpenWhileOpenIsRefusedEvenUnderTheOtherProtocol)
{
    ASSERT_TRUE(scanner.Open(L"Front Scanner", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(scanner.Open(L"DRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_EQ(scanner.Current(), twain);
    EXPECT_EQ(scanner.GetProtocol(), QX_SCANNER_PROTOCOL_TWAIN);
    EXPECT_TRUE(isis->openedName.empty());
}

TEST_F(ScannerFacadeTest, FailedOpenScannerFailsOpen)
{
    twain->openResult = FALSE;
    EXPECT_FALSE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(scanner.IsOpen());
}

TEST_F(ScannerFacadeTest, ChangeProtocolRules)
{
    EXPECT_TRUE(scanner.ChangeProtocol(QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_EQ(scanner.Current(), isis);
    // An unknown protocol is stored but the implementation stays.
    EXPECT_TRUE(scanner.ChangeProtocol(static_cast<EQXScannerProtocol>(7)));
    EXPECT_EQ(scanner.GetProtocol(), 7);
    EXPECT_EQ(scanner.Current(), isis);

    ASSERT_TRUE(scanner.Open(L"DRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_FALSE(scanner.ChangeProtocol(QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_EQ(scanner.Current(), isis);
    EXPECT_EQ(scanner.GetProtocol(), QX_SCANNER_PROTOCOL_ISIS);
}

TEST_F(ScannerFacadeTest, SessionManagerComesFromTheCurrentProtocol)
{
    // Only identity matters here: the facade never dereferences it.
    alignas(8) static char twainManager[8], isisManager[8];
    twain->sessionManager = reinterpret_cast<CZKTWSourceManager*>(twainManager);
    isis->sessionManager = reinterpret_cast<CZKISISManager*>(isisManager);
    EXPECT_EQ(scanner.GetSessionManager().GetTWAIN(), reinterpret_cast<CZKTWSourceManager*>(twainManager));
    EXPECT_EQ(scanner.GetSessionManager().GetISIS(), nullptr);
    ASSERT_TRUE(scanner.ChangeProtocol(QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_EQ(scanner.GetSessionManager().GetISIS(), reinterpret_cast<CZKISISManager*>(isisManager));
    // A facade of its own answers its TWAIN source manager, or its ISIS
    // manager under that protocol.
    CQXScanner own;
    EXPECT_NE(nullptr, own.GetSessionManager().GetTWAIN());
    EXPECT_EQ(nullptr, own.GetSessionManager().GetISIS());
    ASSERT_TRUE(own.ChangeProtocol(QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_NE(nullptr, own.GetSessionManager().GetISIS());
    EXPECT_EQ(nullptr, own.GetSessionManager().GetTWAIN());
}

TEST_F(ScannerFacadeTest, IsOpenAsksOnlineFirstAndNeedsBoth)
{
    ASSERT_TRUE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    twain->calls.clear();
    twain->online = false;
    EXPECT_FALSE(scanner.IsOpen());
    ASSERT_FALSE(twain->calls.empty());
    EXPECT_EQ(twain->calls.front(), "IsOnline");
    EXPECT_FALSE(scanner.IsOnline());
}

TEST_F(ScannerFacadeTest, CapabilityMaskSkipsMultistreamAndFollowsTheTable)
{
    twain->capabilities = {{QX_SCANNER_CAP_CUSTOMDATA, 1}, {QX_SCANNER_CAP_DUPLEX, 1},
                           {QX_SCANNER_CAP_IMPRINTER, 1},  {QX_SCANNER_CAP_VENDOR8015, 0},
                           {QX_SCANNER_CAP_DSCOMMAND, 0},  {QX_SCANNER_CAP_PROFILES, 0}};
    ASSERT_TRUE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    unsigned int mask = 99;
    EXPECT_TRUE(scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0x7u);
    scanner.Close();

    isis->capabilities = {{QX_SCANNER_CAP_CUSTOMDATA, 1}, {QX_SCANNER_CAP_MULTISTREAM, 1}};
    ASSERT_TRUE(scanner.Open(L"DRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_TRUE(scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0x1u);
    int value = 0;
    EXPECT_TRUE(scanner.GetCapability(QX_SCANNER_CAP_MULTISTREAM, value));
    EXPECT_EQ(value, 1);
    // A capability the implementation never stored reads as 0.
    value = 5;
    EXPECT_TRUE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));
    EXPECT_EQ(value, 0);

    isis->capabilities[QX_SCANNER_CAP_PROFILES] = 3;
    scanner.Close();
    ASSERT_TRUE(scanner.Open(L"DRIVER", QX_SCANNER_PROTOCOL_ISIS));
    EXPECT_TRUE(scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0x21u);
}

TEST_F(ScannerFacadeTest, CapabilitiesFailUntilLoadedAndAfterClose)
{
    int value = 7;
    unsigned int mask = 7;
    EXPECT_FALSE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(scanner.GetCapabilityMask(mask));
    EXPECT_EQ(mask, 0u);

    twain->capabilities = {{QX_SCANNER_CAP_DUPLEX, 1}};
    twain->loadResult = FALSE;
    // Open succeeds even though the capabilities could not be read.
    ASSERT_TRUE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));
    scanner.Close();

    twain->loadResult = TRUE;
    ASSERT_TRUE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_TRUE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));
    EXPECT_EQ(value, 1);
    scanner.Close();
    EXPECT_FALSE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));

    // The table was emptied: a new open that loads nothing reads 0.
    twain->capabilities.clear();
    ASSERT_TRUE(scanner.Open(L"x", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_TRUE(scanner.GetCapability(QX_SCANNER_CAP_DUPLEX, value));
    EXPECT_EQ(value, 0);
}

TEST_F(ScannerFacadeTest, ScannerListPutsTwainFirstAndSkipsFailedAnswers)
{
    std::vector<QX_SCANNER_NAMELIST_ITEM> list{Item(L"stale", QX_SCANNER_PROTOCOL_TWAIN)};
    twain->queryResult = FALSE;
    isis->queryResult = FALSE;
    EXPECT_FALSE(scanner.QueryAvailableScanners(list));
    EXPECT_TRUE(list.empty());

    twain->queryResult = TRUE;
    isis->queryResult = TRUE;
    twain->scanners = {Item(L"T1", QX_SCANNER_PROTOCOL_TWAIN), Item(L"T2", QX_SCANNER_PROTOCOL_TWAIN)};
    isis->scanners = {Item(L"I1", QX_SCANNER_PROTOCOL_ISIS)};
    scanner.ChangeProtocol(QX_SCANNER_PROTOCOL_ISIS); // order does not follow the current protocol
    ASSERT_TRUE(scanner.QueryAvailableScanners(list));
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, L"T1");
    EXPECT_EQ(list[1].name, L"T2");
    EXPECT_EQ(list[2].name, L"I1");
    EXPECT_EQ(list[2].protocol, QX_SCANNER_PROTOCOL_ISIS);

    // An implementation answering FALSE contributes nothing, even if it filled its list.
    twain->queryResult = FALSE;
    ASSERT_TRUE(scanner.QueryAvailableScanners(list));
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].name, L"I1");
}

TEST_F(ScannerFacadeTest, InitializeStopsAtTheFirstFailure)
{
    twain->initializeResult = FALSE;
    EXPECT_FALSE(scanner.Initialize());
    EXPECT_EQ(isis->initializeCalls, 0);
    twain->initializeResult = TRUE;
    isis->initializeResult = FALSE;
    EXPECT_FALSE(scanner.Initialize());
    EXPECT_EQ(isis->initializeCalls, 1);
    isis->initializeResult = TRUE;
    EXPECT_TRUE(scanner.Initialize());
}

TEST_F(ScannerFacadeTest, ObserverGoesToBothImplementations)
{
    struct NullObserver : IQXScannerEventObserver
    {
        void OnSessionBegin(QX_SCANNER_SESSION_BEGIN_INFO&) override {}
        void OnSessionEnd(QX_SCANNER_SESSION_END_INFO&) override {}
        void OnError(QX_SCANNER_ERROR_INFO&) override {}
        void OnImageFileBegin(QX_SCANNER_IMAGEFILE_BEGIN_INFO&) override {}
        void OnImageFileEnd(QX_SCANNER_IMAGEFILE_END_INFO&) override {}
        void OnImageData(QX_SCANNER_IMAGEDATA_INFO&) override {}
    } observer;
    scanner.SetObserver(&observer);
    EXPECT_EQ(twain->GetObserver(), &observer);
    EXPECT_EQ(isis->GetObserver(), &observer);
    EXPECT_EQ(scanner.GetObserver(), &observer);
}

TEST_F(ScannerFacadeTest, TagOverloadsPassScalarsByAddressAndPointersAsThemselves)
{
    EXPECT_TRUE(scanner.SetTagValue(5, 17));
    EXPECT_EQ(twain->lastTag, 5u);
    EXPECT_EQ(twain->lastIndex, 0u);
    EXPECT_NE(twain->lastPointer, nullptr);

    const wchar_t* text = L"abc";
    EXPECT_TRUE(scanner.SetTagValue(6, 2, text));
    EXPECT_EQ(twain->lastIndex, 2u);
    EXPECT_EQ(twain->lastPointer, text);

    int dummy = 0;
    EXPECT_TRUE(scanner.SetTagValue(7, static_cast<void*>(&dummy)));
    EXPECT_EQ(twain->lastPointer, &dummy);

    int value = 0;
    EXPECT_TRUE(scanner.GetTagValue(42, value));
    EXPECT_EQ(value, 1234);
    EXPECT_EQ(twain->lastPointer, &value);

    std::wstring name;
    EXPECT_TRUE(scanner.GetTagValue(8, 3, name));
    EXPECT_EQ(twain->lastPointer, &name);
    EXPECT_EQ(twain->lastIndex, 3u);
}

TEST(ScannerFacadeDefaultTest, WithoutProtocolLibrariesEverythingFailsCleanly)
{
    CQXScanner scanner;
    std::vector<QX_SCANNER_NAMELIST_ITEM> list;
    EXPECT_FALSE(scanner.Initialize());
    EXPECT_FALSE(scanner.QueryAvailableScanners(list));
    EXPECT_FALSE(scanner.Open(L"any", QX_SCANNER_PROTOCOL_TWAIN));
    EXPECT_FALSE(scanner.IsOpen());
    EXPECT_EQ(scanner.GetCurrentScannerFamily(), QX_SCANNER_FAMILY_NONE);
    EXPECT_EQ(scanner.Setup(nullptr, QX_SCANNER_GUISETUP_SETTINGS), QX_SCANNER_UI_FAILED);
    EXPECT_FALSE(scanner.Acquire(nullptr, -1));
    int value = 0;
    EXPECT_FALSE(scanner.GetTagValue(1, value));
    scanner.Close();
    scanner.Uninitialize();
}

TEST(ScannerImplStripsTest, StripsAreJoinedInOrderOnlyWhenTheyFitTheImageSize)
{
    std::string first = "abc";
    std::string second = "defg";
    StripCollectingImpl impl;
    impl.AddStrip(first);
    impl.AddStrip(second);

    CZKRBuffer image;
    ASSERT_EQ(TRUE, impl.Join(image, 7));
    EXPECT_EQ("abcdefg", std::string(reinterpret_cast<const char*>(image.GetPtr()), image.GetSize()));

    // Strips that add up to more than the image would overrun the block.
    CZKRBuffer tooSmall;
    EXPECT_EQ(FALSE, impl.Join(tooSmall, 6));
    EXPECT_EQ(0u, tooSmall.GetSize());
}
