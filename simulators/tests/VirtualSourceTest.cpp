// The virtual data source through the manager: capabilities in every
// container, custom data, cameras, the user interface, the TWAIN state
// machine and the faults a profile injects.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "common/TwainCapability.h"
#include "common/TwainTempFolder.h"
#include "common/TwainTestApp.h"

namespace
{
const char kProduction[] = "ZK Virtual Production Duplex";
const char kDesktop[] = "ZK Virtual Desktop Simplex";
const char kLegacy[] = "ZK Virtual Legacy";

TW_FIX32 Fix(double value)
{
    auto fixed = static_cast<TW_INT32>(value * 65536.0);
    return TW_FIX32{static_cast<TW_INT16>(fixed >> 16), static_cast<TW_UINT16>(fixed & 0xFFFF)};
}

double Number(const TW_FIX32& value)
{
    return value.Whole + value.Frac / 65536.0;
}

// A sample profile with some lines changed.
std::string Edited(const std::string& sample, const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::ifstream in(TWAIN_TEST_FOLDERS::SampleProfiles() + "/" + sample);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const auto& change : changes)
    {
        size_t at = text.find(change.first);
        EXPECT_NE(std::string::npos, at) << change.first;
        if (at != std::string::npos)
            text.replace(at, change.first.size(), change.second);
    }
    return text;
}

class VirtualSourceTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CTwainTestApp::UseFolders(TWAIN_TEST_FOLDERS::DataSources(), TWAIN_TEST_FOLDERS::SampleProfiles());
        ASSERT_EQ(TWRC_SUCCESS, m_app.OpenDsm());
    }

    void Open(const char* product) { ASSERT_EQ(TWRC_SUCCESS, m_app.OpenSource(product)); }

    TW_UINT16 Cap(TW_UINT16 msg, CTwainCapability& cap)
    {
        return m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CAPABILITY, msg, &cap);
    }

    template <class T>
    TW_UINT16 SetOne(TW_UINT16 id, TW_UINT16 itemType, T value)
    {
        CTwainCapability cap(id, TWON_ONEVALUE, CTwainCapability::OneValue(itemType, &value, sizeof(value)));
        return Cap(MSG_SET, cap);
    }

    template <class T>
    T Current(TW_UINT16 id)
    {
        CTwainCapability cap(id);
        EXPECT_EQ(TWRC_SUCCESS, Cap(MSG_GETCURRENT, cap));
        EXPECT_EQ(TWON_ONEVALUE, cap.Get().ConType);
        return cap.ItemAt<T>(offsetof(TW_ONEVALUE, Item));
    }

    TW_UINT16 SourceCondition() { return m_app.Condition(&m_app.Source()); }

    TW_UINT16 Pending(TW_UINT16 msg)
    {
        TW_PENDINGXFERS pending{};
        EXPECT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_PENDINGXFERS, msg, &pending));
        return pending.Count;
    }

    CTwainTestApp m_app;
};
} // namespace

TEST_F(VirtualSourceTest, OneValueCapabilityGetsSetsAndResets)
{
    Open(kProduction);
    CTwainCapability get(CAP_XFERCOUNT);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, get));
    ASSERT_EQ(TWON_ONEVALUE, get.Get().ConType);
    EXPECT_EQ(TWTY_INT16, get.As<TW_ONEVALUE>()->ItemType);
    EXPECT_EQ(-1, get.ItemAt<TW_INT16>(2));

    EXPECT_EQ(TWRC_SUCCESS, SetOne<TW_INT16>(CAP_XFERCOUNT, TWTY_INT16, 5));
    EXPECT_EQ(5, Current<TW_INT16>(CAP_XFERCOUNT));
    CTwainCapability byDefault(CAP_XFERCOUNT);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GETDEFAULT, byDefault));
    EXPECT_EQ(-1, byDefault.ItemAt<TW_INT16>(2));

    CTwainCapability reset(CAP_XFERCOUNT);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_RESET, reset));
    EXPECT_EQ(-1, reset.ItemAt<TW_INT16>(2)) << "a reset answers with the value now current";
    EXPECT_EQ(-1, Current<TW_INT16>(CAP_XFERCOUNT));

    EXPECT_EQ(TWRC_FAILURE, SetOne<TW_UINT16>(CAP_XFERCOUNT, TWTY_UINT16, 5));
    EXPECT_EQ(TWCC_BADVALUE, SourceCondition()) << "the item type must match";
}

TEST_F(VirtualSourceTest, OneValueWithAllowedValuesAndReadOnlyText)
{
    Open(kProduction);
    EXPECT_EQ(TWRC_SUCCESS, SetOne<TW_BOOL>(CAP_DUPLEXENABLED, TWTY_BOOL, 0));
    EXPECT_EQ(0, Current<TW_BOOL>(CAP_DUPLEXENABLED));
    EXPECT_EQ(TWRC_FAILURE, SetOne<TW_BOOL>(CAP_DUPLEXENABLED, TWTY_BOOL, 2));
    EXPECT_EQ(TWCC_BADVALUE, SourceCondition());

    CTwainCapability serial(CAP_SERIALNUMBER);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GETCURRENT, serial));
    EXPECT_STREQ("ZKV-PD-000123", reinterpret_cast<const char*>(serial.As<char>() + 2));
    TW_STR255 text = "X";
    CTwainCapability set(CAP_SERIALNUMBER, TWON_ONEVALUE, CTwainCapability::OneValue(TWTY_STR255, text, sizeof(text)));
    EXPECT_EQ(TWRC_FAILURE, Cap(MSG_SET, set));
    EXPECT_EQ(TWCC_CAPBADOPERATION, SourceCondition());
    CTwainCapability reset(CAP_SERIALNUMBER);
    EXPECT_EQ(TWRC_FAILURE, Cap(MSG_RESET, reset));
    EXPECT_EQ(TWCC_CAPBADOPERATION, SourceCondition());
}

TEST_F(VirtualSourceTest, EnumerationCapabilityReportsItemsAndIndexes)
{
    Open(kProduction);
    CTwainCapability get(ICAP_XRESOLUTION);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, get));
    ASSERT_EQ(TWON_ENUMERATION, get.Get().ConType);
    const TW_ENUMERATION* list = get.As<TW_ENUMERATION>();
    EXPECT_EQ(TWTY_FIX32, list->ItemType);
    ASSERT_EQ(7u, +list->NumItems);
    EXPECT_EQ(2u, +list->CurrentIndex);
    EXPECT_EQ(2u, +list->DefaultIndex);
    EXPECT_DOUBLE_EQ(600.0, Number(get.ItemAt<TW_FIX32>(14 + 6 * 4)));

    EXPECT_EQ(TWRC_SUCCESS, SetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(300)));
    EXPECT_DOUBLE_EQ(300.0, Number(Current<TW_FIX32>(ICAP_XRESOLUTION)));
    CTwainCapability after(ICAP_XRESOLUTION);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, after));
    EXPECT_EQ(4u, +after.As<TW_ENUMERATION>()->CurrentIndex);
    EXPECT_EQ(2u, +after.As<TW_ENUMERATION>()->DefaultIndex);

    EXPECT_EQ(TWRC_FAILURE, SetOne(ICAP_XRESOLUTION, TWTY_FIX32, Fix(333)));
    EXPECT_EQ(TWCC_BADVALUE, SourceCondition());

    // Setting with an enumeration takes the item at its current index.
    TW_FIX32 items[2] = {Fix(150), Fix(600)};
    auto* block = static_cast<char*>(std::calloc(1, sizeof(TW_ENUMERATION) + sizeof(items)));
    auto* offered = reinterpret_cast<TW_ENUMERATION*>(block);
    offered->ItemType = TWTY_FIX32;
    offered->NumItems = 2;
    offered->CurrentIndex = 1;
    std::memcpy(block + offsetof(TW_ENUMERATION, ItemList), items, sizeof(items));
    CTwainCapability byEnumeration(ICAP_XRESOLUTION, TWON_ENUMERATION, block);
    EXPECT_EQ(TWRC_SUCCESS, Cap(MSG_SET, byEnumeration));
    EXPECT_DOUBLE_EQ(600.0, Number(Current<TW_FIX32>(ICAP_XRESOLUTION)));
}

TEST_F(VirtualSourceTest, EnumerationsOfTextAndFrames)
{
    Open(kProduction);
    CTwainCapability strings(CAP_PRINTERSTRING);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, strings));
    ASSERT_EQ(3u, +strings.As<TW_ENUMERATION>()->NumItems);
    EXPECT_STREQ("SCANNED, REVIEWED", strings.As<char>() + 14 + 2 * sizeof(TW_STR255));

    CTwainCapability frames(ICAP_FRAMES);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, frames));
    ASSERT_EQ(3u, +frames.As<TW_ENUMERATION>()->NumItems);
    TW_FRAME a4 = frames.ItemAt<TW_FRAME>(14 + sizeof(TW_FRAME));
    EXPECT_DOUBLE_EQ(8.25, Number(a4.Right));
    EXPECT_NEAR(11.7, Number(a4.Bottom), 1.0 / 65536);
}

TEST_F(VirtualSourceTest, ArrayCapabilityReplacesTheListAndResetsToTheDefault)
{
    Open(kProduction);
    const TW_UINT16 patchTypes = 0x8003;
    CTwainCapability get(patchTypes);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, get));
    ASSERT_EQ(TWON_ARRAY, get.Get().ConType);
    ASSERT_EQ(5u, +get.As<TW_ARRAY>()->NumItems);
    EXPECT_EQ(6, get.ItemAt<TW_UINT16>(6 + 4 * 2));

    TW_UINT16 chosen[2] = {2, 4};
    CTwainCapability set(patchTypes, TWON_ARRAY, CTwainCapability::Array(TWTY_UINT16, chosen, 2, 2));
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_SET, set));
    CTwainCapability now(patchTypes);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GETCURRENT, now));
    ASSERT_EQ(2u, +now.As<TW_ARRAY>()->NumItems);
    EXPECT_EQ(4, now.ItemAt<TW_UINT16>(8));
    CTwainCapability byDefault(patchTypes);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GETDEFAULT, byDefault));
    EXPECT_EQ(5u, +byDefault.As<TW_ARRAY>()->NumItems);

    CTwainCapability reset(patchTypes);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_RESET, reset));
    EXPECT_EQ(5u, +reset.As<TW_ARRAY>()->NumItems);

    CTwainCapability empty(patchTypes, TWON_ARRAY, CTwainCapability::Array(TWTY_UINT16, chosen, 0, 2));
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_SET, empty));
    CTwainCapability none(patchTypes);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, none));
    EXPECT_EQ(0u, +none.As<TW_ARRAY>()->NumItems);
}

TEST_F(VirtualSourceTest, RangeCapabilityChecksBoundsAndSteps)
{
    Open(kProduction);
    CTwainCapability get(ICAP_BRIGHTNESS);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, get));
    ASSERT_EQ(TWON_RANGE, get.Get().ConType);
    const TW_RANGE* range = get.As<TW_RANGE>();
    EXPECT_EQ(TWTY_FIX32, range->ItemType);
    EXPECT_DOUBLE_EQ(-1000.0, Number(get.ItemAt<TW_FIX32>(offsetof(TW_RANGE, MinValue))));
    EXPECT_DOUBLE_EQ(1000.0, Number(get.ItemAt<TW_FIX32>(offsetof(TW_RANGE, MaxValue))));
    EXPECT_DOUBLE_EQ(10.0, Number(get.ItemAt<TW_FIX32>(offsetof(TW_RANGE, StepSize))));

    EXPECT_EQ(TWRC_SUCCESS, SetOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(-250)));
    EXPECT_DOUBLE_EQ(-250.0, Number(Current<TW_FIX32>(ICAP_BRIGHTNESS)));
    EXPECT_EQ(TWRC_FAILURE, SetOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(255)));
    EXPECT_EQ(TWCC_BADVALUE, SourceCondition());
    EXPECT_EQ(TWRC_FAILURE, SetOne(ICAP_BRIGHTNESS, TWTY_FIX32, Fix(1010)));

    const TW_UINT16 sharpening = 0x8004;
    auto* block = static_cast<TW_RANGE*>(std::calloc(1, sizeof(TW_RANGE)));
    block->ItemType = TWTY_INT32;
    block->CurrentValue = 7;
    CTwainCapability byRange(sharpening, TWON_RANGE, block);
    EXPECT_EQ(TWRC_SUCCESS, Cap(MSG_SET, byRange));
    EXPECT_EQ(7, Current<TW_INT32>(sharpening));
}

TEST_F(VirtualSourceTest, QuerySupportAndSupportedCaps)
{
    Open(kProduction);
    CTwainCapability all(ICAP_XRESOLUTION, TWON_ONEVALUE);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_QUERYSUPPORT, all));
    EXPECT_EQ(TWTY_INT32, all.As<TW_ONEVALUE>()->ItemType);
    EXPECT_EQ(TWQC_GET | TWQC_SET | TWQC_GETDEFAULT | TWQC_GETCURRENT | TWQC_RESET, all.ItemAt<TW_INT32>(2));
    CTwainCapability readOnly(CAP_DUPLEX, TWON_ONEVALUE);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_QUERYSUPPORT, readOnly));
    EXPECT_EQ(TWQC_GET | TWQC_GETDEFAULT | TWQC_GETCURRENT, readOnly.ItemAt<TW_INT32>(2));
    CTwainCapability unknown(ICAP_ZOOMFACTOR, TWON_ONEVALUE);
    EXPECT_EQ(TWRC_FAILURE, Cap(MSG_QUERYSUPPORT, unknown));
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, SourceCondition());

    CTwainCapability supported(CAP_SUPPORTEDCAPS);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GET, supported));
    ASSERT_EQ(TWON_ARRAY, supported.Get().ConType);
    const TW_UINT32 count = supported.As<TW_ARRAY>()->NumItems;
    std::vector<TW_UINT16> ids(count);
    std::memcpy(ids.data(), supported.As<char>() + 6, count * 2);
    EXPECT_EQ(27u, count);
    for (TW_UINT16 id : {ICAP_XFERMECH, ICAP_BRIGHTNESS, CAP_SUPPORTEDCAPS, TW_UINT16(0x8001), TW_UINT16(0x8006)})
        EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), id)) << std::hex << id;
}

TEST_F(VirtualSourceTest, ProfileWithoutTransferMechanism)
{
    Open(kLegacy);
    EXPECT_EQ(TWRC_FAILURE, SetOne<TW_UINT16>(ICAP_XFERMECH, TWTY_UINT16, TWSX_MEMORY));
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, SourceCondition());
    CTwainCapability query(ICAP_XFERMECH, TWON_ONEVALUE);
    EXPECT_EQ(TWRC_FAILURE, Cap(MSG_QUERYSUPPORT, query));
    EXPECT_EQ(TWCC_CAPUNSUPPORTED, SourceCondition());
}

TEST_F(VirtualSourceTest, CustomDataRoundTrips)
{
    Open(kProduction);
    TW_CUSTOMDSDATA initial{};
    ASSERT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, &initial));
    ASSERT_EQ(6u, +initial.InfoLength);
    EXPECT_EQ(0, std::memcmp("\x5A\x4B\x01\x00\x02\x00", initial.hData, 6));
    std::free(initial.hData);

    const char blob[] = "opaque\0settings";
    void* mine = std::malloc(sizeof(blob));
    std::memcpy(mine, blob, sizeof(blob));
    TW_CUSTOMDSDATA set{sizeof(blob), mine};
    ASSERT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CUSTOMDSDATA, MSG_SET, &set));
    std::free(mine); // the source keeps a copy

    TW_CUSTOMDSDATA back{};
    ASSERT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, &back));
    ASSERT_EQ(sizeof(blob), +back.InfoLength);
    EXPECT_EQ(0, std::memcmp(blob, back.hData, sizeof(blob)));
    std::free(back.hData);

    TW_CUSTOMDSDATA broken{4, nullptr};
    EXPECT_EQ(TWRC_FAILURE, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CUSTOMDSDATA, MSG_SET, &broken));
    EXPECT_EQ(TWCC_BADVALUE, SourceCondition());
}

TEST_F(VirtualSourceTest, CamerasAreDirectories)
{
    Open(kProduction);
    TW_FILESYSTEM fs{};
    std::strcpy(fs.InputName, "/Camera_Bitonal_Top");
    ASSERT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    std::strcpy(fs.InputName, "/Camera_Infrared");
    EXPECT_EQ(TWRC_FAILURE, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    EXPECT_EQ(TWCC_FILENOTFOUND, SourceCondition());

    std::strcpy(fs.InputName, "/");
    ASSERT_EQ(TWRC_SUCCESS, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    std::vector<std::string> names;
    std::vector<TW_INT32> types;
    for (TW_UINT16 msg = MSG_GETFIRSTFILE;
         m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, msg, &fs) == TWRC_SUCCESS; msg = MSG_GETNEXTFILE)
    {
        names.push_back(fs.OutputName);
        types.push_back(+fs.FileType);
    }
    ASSERT_EQ(4u, names.size());
    EXPECT_EQ("/Camera_Color_Bottom", names[3]);
    EXPECT_EQ(TWFY_CAMERATOP, types[0]);
    EXPECT_EQ(TWFY_CAMERABOTTOM, types[1]);

    // A name that fills the field without its terminator is read within bounds.
    std::memset(fs.InputName, 'A', sizeof(fs.InputName));
    EXPECT_EQ(TWRC_FAILURE, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
}

TEST_F(VirtualSourceTest, SourceWithoutCamerasHasNoFileSystem)
{
    Open(kDesktop);
    TW_FILESYSTEM fs{};
    std::strcpy(fs.InputName, "/Camera_Bitonal_Top");
    EXPECT_EQ(TWRC_FAILURE, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_FILESYSTEM, MSG_CHANGEDIRECTORY, &fs));
    EXPECT_EQ(TWCC_BADPROTOCOL, SourceCondition());
}

TEST_F(VirtualSourceTest, UserInterfaceSessionsCloseAsTheProfileSays)
{
    Open(kProduction);
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDSUIONLY, true));
    EXPECT_EQ(MSG_CLOSEDSOK, m_app.WaitForEvent());
    ASSERT_EQ(TWRC_SUCCESS, m_app.Disable());
    ASSERT_EQ(TWRC_SUCCESS, m_app.CloseSource());

    Open(kDesktop);
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, true));
    EXPECT_EQ(MSG_CLOSEDSREQ, m_app.WaitForEvent()) << "this profile's user cancels";
    ASSERT_EQ(TWRC_SUCCESS, m_app.Disable());
}

TEST_F(VirtualSourceTest, StateMachineRefusesTripletsOutOfOrder)
{
    Open(kProduction);
    EXPECT_EQ(TWRC_FAILURE, m_app.Disable());
    EXPECT_EQ(TWCC_SEQERROR, SourceCondition());
    EXPECT_EQ(TWRC_FAILURE, m_app.Enable(MSG_ENABLEDSUIONLY + 0x10, false));
    EXPECT_EQ(TWCC_BADPROTOCOL, SourceCondition());

    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDSUIONLY, true)); // state 5
    EXPECT_EQ(TWRC_FAILURE, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(TWCC_SEQERROR, SourceCondition());
    EXPECT_EQ(TWRC_FAILURE, SetOne<TW_INT16>(CAP_XFERCOUNT, TWTY_INT16, 1));
    EXPECT_EQ(TWCC_SEQERROR, SourceCondition());
    EXPECT_EQ(-1, Current<TW_INT16>(CAP_XFERCOUNT)) << "reading stays allowed";
    TW_CUSTOMDSDATA data{};
    EXPECT_EQ(TWRC_FAILURE, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_CUSTOMDSDATA, MSG_GET, &data));
    EXPECT_EQ(TWCC_SEQERROR, SourceCondition());
    EXPECT_EQ(TWRC_FAILURE, m_app.CloseSource());
    EXPECT_EQ(TWCC_SEQERROR, m_app.Condition()) << "the manager passes on the source's refusal";
    EXPECT_EQ(MSG_CLOSEDSOK, m_app.WaitForEvent());
    EXPECT_EQ(TWRC_SUCCESS, m_app.Disable());
    EXPECT_EQ(TWRC_SUCCESS, m_app.CloseSource());
}

TEST_F(VirtualSourceTest, TransferReadyLeadsToPendingTransfersPerSide)
{
    Open(kProduction);
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(MSG_XFERREADY, m_app.WaitForEvent());
    EXPECT_EQ(20, Pending(MSG_GET)) << "ten sheets, both sides";
    EXPECT_EQ(TWRC_FAILURE, m_app.Disable()) << "state 6 must end its transfers first";
    EXPECT_EQ(19, Pending(MSG_ENDXFER));
    EXPECT_EQ(18, Pending(MSG_ENDXFER));
    EXPECT_EQ(0, Pending(MSG_RESET));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Disable());

    EXPECT_EQ(TWRC_SUCCESS, SetOne<TW_BOOL>(CAP_DUPLEXENABLED, TWTY_BOOL, 0));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(MSG_XFERREADY, m_app.WaitForEvent());
    EXPECT_EQ(9, Pending(MSG_GET)) << "one sheet went through, one side each now";
    EXPECT_EQ(1, Pending(MSG_STOPFEEDER));
    EXPECT_EQ(0, Pending(MSG_ENDXFER));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Disable());
}

TEST_F(VirtualSourceTest, EmptyFeederDependsOnTheProfile)
{
    Open(kLegacy);
    ASSERT_EQ(TWRC_FAILURE, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(TWCC_NOMEDIA, SourceCondition());
    ASSERT_EQ(TWRC_SUCCESS, m_app.CloseSource());

    CTwainTempFolder profiles;
    profiles.Write("a.profile", Edited("desktop_simplex.profile", {{"Sheets = 3", "Sheets = 0"},
                                                                   {"Events = ASYNC", "Events = SYNC"}}));
    ASSERT_EQ(TWRC_SUCCESS, m_app.CloseDsm());
    CTwainTestApp::UseProfiles(profiles.Path());
    ASSERT_EQ(TWRC_SUCCESS, m_app.OpenDsm());
    Open(kDesktop);
    CTwainCapability loaded(CAP_FEEDERLOADED);
    ASSERT_EQ(TWRC_SUCCESS, Cap(MSG_GETCURRENT, loaded));
    EXPECT_EQ(0, loaded.ItemAt<TW_BOOL>(2));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, false));
    TW_EVENT event{nullptr, MSG_NULL};
    EXPECT_EQ(TWRC_DSEVENT, m_app.Call(&m_app.Source(), DG_CONTROL, DAT_EVENT, MSG_PROCESSEVENT, &event))
        << "synchronous events are held before the enabling call returns";
    EXPECT_EQ(MSG_CLOSEDSREQ, event.TWMessage);
}

TEST_F(VirtualSourceTest, InjectedConditionCodes)
{
    CTwainTempFolder profiles;
    profiles.CopyFrom(TWAIN_TEST_FOLDERS::SampleProfiles() + "/production_duplex.profile", "a.profile");
    profiles.CopyFrom(TWAIN_TEST_FOLDERS::SampleProfiles() + "/desktop_simplex.profile", "b.profile");
    std::ofstream(profiles.Path() + "/a.profile", std::ios::app)
        << "\n[Faults]\nFail = 0x1 0x1 0x2 0x17\nFail = 0x1 0x9 0x502 0x14\n";
    std::ofstream(profiles.Path() + "/b.profile", std::ios::app) << "\n[Faults]\nFail = 0x1 0x3 0x401 0x17\n";
    ASSERT_EQ(TWRC_SUCCESS, m_app.CloseDsm());
    CTwainTestApp::UseProfiles(profiles.Path());
    ASSERT_EQ(TWRC_SUCCESS, m_app.OpenDsm());

    EXPECT_EQ(TWRC_FAILURE, m_app.OpenSource(kDesktop));
    EXPECT_EQ(TWCC_CHECKDEVICEONLINE, m_app.Condition());

    Open(kProduction);
    CTwainCapability cap(ICAP_XRESOLUTION);
    EXPECT_EQ(TWRC_FAILURE, Cap(MSG_GETCURRENT, cap));
    EXPECT_EQ(TWCC_CHECKDEVICEONLINE, SourceCondition());
    EXPECT_EQ(TWRC_SUCCESS, Cap(MSG_GET, cap)) << "only the chosen triplet fails";
    EXPECT_EQ(TWRC_FAILURE, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(TWCC_PAPERJAM, SourceCondition());
}

TEST_F(VirtualSourceTest, EachApplicationHasItsOwnSession)
{
    CTwainTestApp second;
    ASSERT_EQ(TWRC_SUCCESS, second.OpenDsm());
    Open(kProduction);
    ASSERT_EQ(TWRC_SUCCESS, second.OpenSource(kProduction));
    EXPECT_EQ(TWRC_SUCCESS, SetOne<TW_INT16>(CAP_XFERCOUNT, TWTY_INT16, 3));
    CTwainCapability theirs(CAP_XFERCOUNT);
    ASSERT_EQ(TWRC_SUCCESS, second.Call(&second.Source(), DG_CONTROL, DAT_CAPABILITY, MSG_GETCURRENT, &theirs));
    EXPECT_EQ(-1, theirs.ItemAt<TW_INT16>(2));

    // Each scanner is a file of its own, so one application may hold two.
    CTwainTestApp third;
    ASSERT_EQ(TWRC_SUCCESS, third.OpenDsm());
    ASSERT_EQ(TWRC_SUCCESS, third.OpenSource(kDesktop));
    TW_IDENTITY desktop = third.Source();
    EXPECT_EQ(TWRC_SUCCESS, third.OpenSource(kProduction));
    EXPECT_EQ(TWRC_SUCCESS, third.Call(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_CLOSEDS, &desktop));
}

// A source manager identifies a source with its own or an application's
// identity as origin, before any session and in any state after.
TEST_F(VirtualSourceTest, IdentifiesItselfToAnyOriginInAnyState)
{
    // The file the manager loaded for the production scanner: loading it
    // again reaches the same source.
    void* file = dlopen((TWAIN_TEST_FOLDERS::DataSources() + "/production_duplex.ds").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(nullptr, file);
    auto entry = reinterpret_cast<DSENTRYPROC>(dlsym(file, "DS_Entry"));
    ASSERT_NE(nullptr, entry);
    TW_IDENTITY identity{};
    EXPECT_EQ(TWRC_SUCCESS, entry(nullptr, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity));
    EXPECT_STREQ(kProduction, identity.ProductName);
    TW_IDENTITY stranger = m_app.Identity();
    stranger.Id = 999999;
    EXPECT_EQ(TWRC_SUCCESS, entry(&stranger, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity));
    EXPECT_STREQ(kProduction, identity.ProductName);

    Open(kProduction);
    ASSERT_EQ(TWRC_SUCCESS, m_app.Enable(MSG_ENABLEDS, false));
    EXPECT_EQ(MSG_XFERREADY, m_app.WaitForEvent());
    TW_IDENTITY application = m_app.Identity();
    identity = TW_IDENTITY{};
    EXPECT_EQ(TWRC_SUCCESS, entry(&application, DG_CONTROL, DAT_IDENTITY, MSG_GET, &identity)) << "state 6";
    EXPECT_EQ(+m_app.Source().Id, +identity.Id) << "the identity the application opened";
    EXPECT_STREQ(kProduction, identity.ProductName);
    EXPECT_EQ(0, Pending(MSG_RESET));
    ASSERT_EQ(TWRC_SUCCESS, m_app.Disable());
    dlclose(file);
}
