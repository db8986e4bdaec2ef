// A data source that accepts exactly what the TWAIN standard lets a source
// manager send a source, and nothing else: a null origin or a triplet no
// source is ever sent (a manager's own listing messages, DAT_PARENT, ...)
// ends the process with a message, so the test that caused it fails. It has
// no scanner behind it: capabilities are unsupported and everything else a
// scanner would do fails, which is all a source manager may assume anyway.
#include "StrictSourceReport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <set>
#include <utility>

namespace
{
using Triplet = std::pair<TW_UINT16, TW_UINT16>; // DAT, MSG

const std::set<Triplet>& ControlTriplets()
{
    static const std::set<Triplet> triplets = {
        {DAT_CAPABILITY, MSG_GET}, {DAT_CAPABILITY, MSG_GETCURRENT}, {DAT_CAPABILITY, MSG_GETDEFAULT},
        {DAT_CAPABILITY, MSG_GETHELP}, {DAT_CAPABILITY, MSG_GETLABEL}, {DAT_CAPABILITY, MSG_GETLABELENUM},
        {DAT_CAPABILITY, MSG_QUERYSUPPORT}, {DAT_CAPABILITY, MSG_RESET}, {DAT_CAPABILITY, MSG_RESETALL},
        {DAT_CAPABILITY, MSG_SET}, {DAT_CAPABILITY, MSG_SETCONSTRAINT}, {DAT_CUSTOMDSDATA, MSG_GET},
        {DAT_CUSTOMDSDATA, MSG_SET}, {DAT_DEVICEEVENT, MSG_GET}, {DAT_ENTRYPOINT, MSG_SET},
        {DAT_EVENT, MSG_PROCESSEVENT}, {DAT_FILESYSTEM, MSG_AUTOMATICCAPTUREDIRECTORY},
        {DAT_FILESYSTEM, MSG_CHANGEDIRECTORY}, {DAT_FILESYSTEM, MSG_COPY}, {DAT_FILESYSTEM, MSG_CREATEDIRECTORY},
        {DAT_FILESYSTEM, MSG_DELETE}, {DAT_FILESYSTEM, MSG_FORMATMEDIA}, {DAT_FILESYSTEM, MSG_GETCLOSE},
        {DAT_FILESYSTEM, MSG_GETFIRSTFILE}, {DAT_FILESYSTEM, MSG_GETINFO}, {DAT_FILESYSTEM, MSG_GETNEXTFILE},
        {DAT_FILESYSTEM, MSG_RENAME}, {DAT_IDENTITY, MSG_GET}, {DAT_IDENTITY, MSG_OPENDS},
        {DAT_IDENTITY, MSG_CLOSEDS}, {DAT_PASSTHRU, MSG_PASSTHRU}, {DAT_PENDINGXFERS, MSG_ENDXFER},
        {DAT_PENDINGXFERS, MSG_GET}, {DAT_PENDINGXFERS, MSG_RESET}, {DAT_PENDINGXFERS, MSG_STOPFEEDER},
        {DAT_SETUPFILEXFER, MSG_GET}, {DAT_SETUPFILEXFER, MSG_GETDEFAULT}, {DAT_SETUPFILEXFER, MSG_RESET},
        {DAT_SETUPFILEXFER, MSG_SET}, {DAT_SETUPMEMXFER, MSG_GET}, {DAT_STATUS, MSG_GET},
        {DAT_STATUSUTF8, MSG_GET}, {DAT_USERINTERFACE, MSG_DISABLEDS}, {DAT_USERINTERFACE, MSG_ENABLEDS},
        {DAT_USERINTERFACE, MSG_ENABLEDSUIONLY}, {DAT_XFERGROUP, MSG_GET}, {DAT_XFERGROUP, MSG_SET},
        {DAT_METRICS, MSG_GET}, {DAT_TWAINDIRECT, MSG_SETTASK}};
    return triplets;
}

const std::set<Triplet>& ImageTriplets()
{
    static const std::set<Triplet> triplets = {
        {DAT_CIECOLOR, MSG_GET}, {DAT_EXTIMAGEINFO, MSG_GET}, {DAT_GRAYRESPONSE, MSG_RESET},
        {DAT_GRAYRESPONSE, MSG_SET}, {DAT_ICCPROFILE, MSG_GET}, {DAT_IMAGEFILEXFER, MSG_GET},
        {DAT_IMAGEINFO, MSG_GET}, {DAT_IMAGELAYOUT, MSG_GET}, {DAT_IMAGELAYOUT, MSG_GETDEFAULT},
        {DAT_IMAGELAYOUT, MSG_RESET}, {DAT_IMAGELAYOUT, MSG_SET}, {DAT_IMAGEMEMFILEXFER, MSG_GET},
        {DAT_IMAGEMEMXFER, MSG_GET}, {DAT_IMAGENATIVEXFER, MSG_GET}, {DAT_JPEGCOMPRESSION, MSG_GET},
        {DAT_JPEGCOMPRESSION, MSG_GETDEFAULT}, {DAT_JPEGCOMPRESSION, MSG_RESET}, {DAT_JPEGCOMPRESSION, MSG_SET},
        {DAT_PALETTE8, MSG_GET}, {DAT_PALETTE8, MSG_GETDEFAULT}, {DAT_PALETTE8, MSG_RESET},
        {DAT_PALETTE8, MSG_SET}, {DAT_RGBRESPONSE, MSG_RESET}, {DAT_RGBRESPONSE, MSG_SET}};
    return triplets;
}

bool IsStandard(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg)
{
    // Vendor extensions are the source's to answer, not a protocol error.
    if (dat >= DAT_CUSTOMBASE || msg >= MSG_CUSTOMBASE)
        return dg == DG_CONTROL || dg == DG_IMAGE;
    if (dg == DG_CONTROL)
        return ControlTriplets().count({dat, msg}) > 0;
    if (dg == DG_IMAGE)
        return ImageTriplets().count({dat, msg}) > 0;
    return false;
}

[[noreturn]] void Violation(const char* what, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg)
{
    std::fprintf(stderr, "strict source: %s (DG 0x%x DAT 0x%x MSG 0x%x)\n", what, static_cast<unsigned>(dg),
                 static_cast<unsigned>(dat), static_cast<unsigned>(msg));
    std::fflush(stderr);
    std::abort();
}

struct StrictState
{
    std::mutex lock;
    STRICT_SOURCE_REPORT report{};
    std::set<TW_UINT32> openFor;            // application Ids with a session
    std::map<TW_UINT32, TW_UINT16> conditions; // by application Id
};

StrictState& State()
{
    static StrictState state;
    return state;
}

TW_UINT16 Fail(StrictState& state, const TW_IDENTITY& origin, TW_UINT16 condition)
{
    state.conditions[origin.Id] = condition;
    return TWRC_FAILURE;
}

TW_UINT16 Identify(StrictState& state, pTW_IDENTITY origin, pTW_IDENTITY identity)
{
    ++state.report.identifications;
    state.report.identifiedBy = *origin;
    // A source may treat its origin as scratch space; a manager that hands
    // over its application's own record would see this.
    std::strncpy(origin->ProductName, "scribbled by the source", sizeof(origin->ProductName) - 1);
    if (!identity)
        return Fail(state, *origin, TWCC_BADVALUE);
    std::memset(identity, 0, sizeof(*identity));
    identity->Version.MajorNum = 1;
    identity->Version.Language = TWLG_ENGLISH;
    identity->Version.Country = TWCY_USA;
    std::strcpy(identity->Version.Info, "strict 1.0");
    identity->ProtocolMajor = TWON_PROTOCOLMAJOR;
    identity->ProtocolMinor = TWON_PROTOCOLMINOR;
    identity->SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
    std::strcpy(identity->Manufacturer, "ZK Tests");
    std::strcpy(identity->ProductFamily, "Strict");
    std::strcpy(identity->ProductName, "ZK Strict Source");
    return TWRC_SUCCESS;
}

TW_UINT16 Status(StrictState& state, const TW_IDENTITY& origin, TW_STATUS* status)
{
    ++state.report.statusQueries;
    if (!status)
        return TWRC_FAILURE;
    auto found = state.conditions.find(origin.Id);
    status->ConditionCode = found == state.conditions.end() ? TWCC_SUCCESS : found->second;
    status->Data = 0;
    state.conditions.erase(origin.Id);
    return TWRC_SUCCESS;
}

TW_UINT16 Session(StrictState& state, pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg)
{
    const bool open = state.openFor.count(origin->Id) > 0;
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_OPENDS)
    {
        ++state.report.opens;
        state.report.openedBy = *origin;
        if (open)
            return Fail(state, *origin, TWCC_SEQERROR);
        state.openFor.insert(origin->Id);
        return TWRC_SUCCESS;
    }
    if (!open) // a manager forwards nothing else to a source that is not open
        Violation("triplet for a source that is not open", dg, dat, msg);
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_CLOSEDS)
    {
        state.openFor.erase(origin->Id);
        return TWRC_SUCCESS;
    }
    if (dg == DG_CONTROL && dat == DAT_CAPABILITY)
        return Fail(state, *origin, TWCC_CAPUNSUPPORTED);
    return Fail(state, *origin, TWCC_BADPROTOCOL);
}
} // namespace

extern "C" {
__attribute__((visibility("default"))) TW_UINT16 DS_Entry(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat,
                                                           TW_UINT16 msg, TW_MEMREF data)
{
    if (!origin)
        Violation("null origin", dg, dat, msg);
    if (!IsStandard(dg, dat, msg))
        Violation("non-standard triplet", dg, dat, msg);
    StrictState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    if (dg == DG_CONTROL && dat == DAT_IDENTITY && msg == MSG_GET)
        return Identify(state, origin, static_cast<pTW_IDENTITY>(data));
    if (dg == DG_CONTROL && dat == DAT_STATUS && msg == MSG_GET)
        return Status(state, *origin, static_cast<TW_STATUS*>(data));
    if (dg == DG_CONTROL && dat == DAT_ENTRYPOINT)
    {
        ++state.report.entryPoints;
        return TWRC_SUCCESS;
    }
    return Session(state, origin, dg, dat, msg);
}

__attribute__((visibility("default"))) void StrictSource_Read(STRICT_SOURCE_REPORT* report)
{
    StrictState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    *report = state.report;
}

__attribute__((visibility("default"))) void StrictSource_Reset()
{
    StrictState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.report = STRICT_SOURCE_REPORT{};
    state.openFor.clear();
    state.conditions.clear();
}
}
