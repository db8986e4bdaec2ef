// A scriptable source manager for the TWAIN layer's tests: it answers the
// triplets a test names with the return and condition codes it names, holds
// source events for MSG_PROCESSEVENT and takes no event callbacks. Tests load
// it a second time to reach the Fake* control functions.
//
// In scan mode its source lies as a test chooses (FakeDsmScan.h): absurd
// buffer sizes and image sizes, strips that never end, extended image info
// that its blocks cannot hold; scripted capability containers may be of any
// size whatever they claim.
#include "FakeDsmScan.h"

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

namespace
{
struct Answer
{
    TW_UINT16 rc;
    TW_UINT16 cc;
};

struct Container
{
    TW_UINT16 conType;
    std::vector<unsigned char> bytes;
};

struct FakeState
{
    std::mutex lock;
    int sources = 1;
    int cursor = 0;
    TW_UINT16 condition = TWCC_SUCCESS;
    std::map<TW_UINT16, Answer> answers; // by DAT, for triplets to the source
    std::deque<TW_UINT16> events;
    std::map<TW_UINT16, int> calls; // by DAT
    bool overrunStrips = false;      // memory strips claim more than the buffer
    std::map<std::pair<TW_UINT16, TW_UINT16>, int> messages; // calls by DAT and MSG
    std::map<TW_UINT16, unsigned> delays;                    // ms before a DAT is answered
    std::map<TW_UINT16, Container> containers;               // by capability
    bool scanning = false;
    FAKE_DSM_SCAN scan;
    int pending = 0;       // images still to transfer
    int stripsSent = 0;    // of the current image
    TW_UINT32 lastBufferLength = 0;
};

FakeState& State()
{
    static FakeState state;
    return state;
}

void FillSource(TW_IDENTITY& identity, int index)
{
    std::memset(&identity, 0, sizeof(identity));
    identity.Id = 100 + index;
    identity.ProtocolMajor = 1;
    identity.ProtocolMinor = 9;
    std::snprintf(identity.ProductName, sizeof(identity.ProductName), "Fake Source %d", index);
}

TW_UINT16 Fail(FakeState& state, TW_UINT16 cc)
{
    state.condition = cc;
    return TWRC_FAILURE;
}

TW_UINT16 ToDsm(FakeState& state, pTW_IDENTITY origin, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    auto* identity = static_cast<pTW_IDENTITY>(data);
    if (dat == DAT_PARENT)
    {
        if (msg == MSG_OPENDSM)
            origin->Id = 1;
        return TWRC_SUCCESS;
    }
    if (dat != DAT_IDENTITY)
        return Fail(state, TWCC_BADPROTOCOL);
    switch (msg)
    {
    case MSG_GETFIRST:
        state.cursor = 0;
        [[fallthrough]];
    case MSG_GETNEXT:
        if (state.cursor >= state.sources)
            return TWRC_ENDOFLIST;
        FillSource(*identity, state.cursor++);
        return TWRC_SUCCESS;
    case MSG_OPENDS:
    case MSG_GETDEFAULT:
    case MSG_USERSELECT:
        if (state.sources == 0)
            return Fail(state, TWCC_NODS);
        FillSource(*identity, 0);
        return TWRC_SUCCESS;
    case MSG_CLOSEDS:
        return TWRC_SUCCESS;
    default:
        return Fail(state, TWCC_BADPROTOCOL);
    }
}

bool IsCapabilityRead(TW_UINT16 msg)
{
    return msg == MSG_GET || msg == MSG_GETCURRENT || msg == MSG_GETDEFAULT || msg == MSG_QUERYSUPPORT;
}

// A scripted container, copied into a block of exactly its size.
bool AnswerScriptedContainer(FakeState& state, TW_UINT16 msg, TW_MEMREF data)
{
    auto* capability = static_cast<TW_CAPABILITY*>(data);
    auto found = state.containers.find(capability->Cap);
    if (found == state.containers.end() || !IsCapabilityRead(msg))
        return false;
    const std::vector<unsigned char>& bytes = found->second.bytes;
    void* block = std::malloc(bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty())
        std::memcpy(block, bytes.data(), bytes.size());
    capability->ConType = found->second.conType;
    capability->hContainer = block;
    return true;
}

void FillImageInfo(const FAKE_DSM_SCAN& scan, TW_IMAGEINFO& info)
{
    std::memset(&info, 0, sizeof(info));
    info.XResolution.Whole = info.YResolution.Whole = 200;
    info.ImageWidth = scan.width;
    info.ImageLength = scan.length;
    info.SamplesPerPixel = 1;
    info.BitsPerSample[0] = scan.bitsPerPixel;
    info.BitsPerPixel = scan.bitsPerPixel;
}

TW_UINT16 NextStrip(FakeState& state, TW_IMAGEMEMXFER& block)
{
    state.lastBufferLength = block.Memory.Length;
    // Real bytes into the application's buffer, never more than it offered.
    const TW_UINT32 written = state.scan.stripBytes < block.Memory.Length ? state.scan.stripBytes : block.Memory.Length;
    if (block.Memory.TheMem && written)
        std::memset(block.Memory.TheMem, 0xA5, written);
    block.BytesWritten = state.scan.stripBytes;
    block.Rows = state.scan.stripRows;
    block.BytesPerRow = state.scan.bytesPerRow;
    block.Compression = state.scan.compression;
    if (state.scan.reportYOffset)
        block.YOffset = static_cast<TW_UINT32>(state.stripsSent * static_cast<TW_INT32>(state.scan.stripRows) +
                                               state.scan.yOffsetSkew);
    if (state.scan.moveBuffer)
    {
        static unsigned char own[64];
        block.Memory.TheMem = own;
    }
    ++state.stripsSent;
    if (state.scan.strips >= 0 && state.stripsSent >= state.scan.strips)
    {
        state.stripsSent = 0;
        return TWRC_XFERDONE;
    }
    return TWRC_SUCCESS;
}

TW_UINT16 PendingTransfers(FakeState& state, TW_UINT16 msg, TW_PENDINGXFERS& pending)
{
    state.stripsSent = 0;
    if (msg == MSG_ENDXFER && state.pending > 0)
        --state.pending;
    if (msg == MSG_RESET)
        state.pending = 0;
    pending.Count = static_cast<TW_UINT16>(state.pending);
    return TWRC_SUCCESS;
}

void FillExtImageInfo(const FAKE_DSM_SCAN& scan, TW_EXTIMAGEINFO& block)
{
    unsigned char* first = reinterpret_cast<unsigned char*>(&block) + offsetof(TW_EXTIMAGEINFO, Info);
    auto* entries = reinterpret_cast<TW_INFO*>(first);
    for (TW_UINT32 i = 0; i < block.NumInfos && i < 64; ++i)
    {
        TW_INFO& entry = entries[i];
        if (entry.InfoID == TWEI_PAGENUMBER)
        {
            entry.ItemType = TWTY_UINT32;
            entry.NumItems = 1;
            entry.CondCode = TWRC_SUCCESS;
            entry.Item = 7;
        }
        if (entry.InfoID == TWEI_CAMERA && scan.cameraBlock)
        {
            entry.ItemType = scan.cameraType;
            entry.NumItems = scan.cameraItems;
            entry.CondCode = TWRC_SUCCESS;
            entry.Item = reinterpret_cast<TW_UINTPTR>(std::calloc(1, scan.cameraBlock));
        }
    }
}

// The source of a scan: every capability reads as the one-value 0 (inches
// for ICAP_UNITS) unless scripted, every set succeeds.
bool AnswerScan(FakeState& state, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, TW_UINT16& rc)
{
    rc = TWRC_SUCCESS;
    switch (dat)
    {
    case DAT_CAPABILITY:
        if (msg != MSG_SET)
        {
            auto* capability = static_cast<TW_CAPABILITY*>(data);
            auto* value = static_cast<TW_ONEVALUE*>(std::calloc(1, sizeof(TW_ONEVALUE)));
            value->ItemType = TWTY_UINT16;
            capability->ConType = TWON_ONEVALUE;
            capability->hContainer = value;
        }
        return true;
    case DAT_USERINTERFACE:
        if (msg == MSG_ENABLEDS)
            state.pending = state.scan.images;
        return true;
    case DAT_IMAGEINFO:
        FillImageInfo(state.scan, *static_cast<TW_IMAGEINFO*>(data));
        return true;
    case DAT_SETUPMEMXFER:
    {
        auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
        setup->MinBufSize = state.scan.minBufSize;
        setup->MaxBufSize = state.scan.maxBufSize;
        setup->Preferred = state.scan.preferred;
        return true;
    }
    case DAT_IMAGEMEMXFER:
        rc = NextStrip(state, *static_cast<TW_IMAGEMEMXFER*>(data));
        return true;
    case DAT_PENDINGXFERS:
        rc = PendingTransfers(state, msg, *static_cast<TW_PENDINGXFERS*>(data));
        return true;
    case DAT_EXTIMAGEINFO:
        FillExtImageInfo(state.scan, *static_cast<TW_EXTIMAGEINFO*>(data));
        return true;
    default:
        return false;
    }
}

TW_UINT16 ToSource(FakeState& state, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    if (dat == DAT_CALLBACK || dat == DAT_CALLBACK2)
        return Fail(state, TWCC_BADPROTOCOL);
    auto answer = state.answers.find(dat);
    if (answer != state.answers.end())
    {
        if (answer->second.rc == TWRC_FAILURE || answer->second.rc == TWRC_CANCEL)
            state.condition = answer->second.cc;
        return answer->second.rc;
    }
    if (dat == DAT_CAPABILITY && AnswerScriptedContainer(state, msg, data))
        return TWRC_SUCCESS;
    if (dat == DAT_EVENT && msg == MSG_PROCESSEVENT)
    {
        auto* event = static_cast<TW_EVENT*>(data);
        if (state.events.empty())
        {
            event->TWMessage = MSG_NULL;
            return TWRC_NOTDSEVENT;
        }
        event->TWMessage = state.events.front();
        state.events.pop_front();
        return TWRC_DSEVENT;
    }
    TW_UINT16 scanAnswer = TWRC_SUCCESS;
    if (state.scanning && AnswerScan(state, dat, msg, data, scanAnswer))
        return scanAnswer;
    if (state.overrunStrips && dat == DAT_CAPABILITY && msg == MSG_SET)
        return TWRC_SUCCESS; // the application keeps and frees its own container
    if (state.overrunStrips && dat == DAT_CAPABILITY)
    {
        // Every capability reads as the one-value 0 (inches for ICAP_UNITS),
        // enough for the transfer loop to start.
        auto* capability = static_cast<TW_CAPABILITY*>(data);
        auto* value = static_cast<TW_ONEVALUE*>(std::calloc(1, sizeof(TW_ONEVALUE)));
        value->ItemType = TWTY_UINT16;
        capability->ConType = TWON_ONEVALUE;
        capability->hContainer = value;
        return TWRC_SUCCESS;
    }
    if (dat == DAT_CAPABILITY)
        return Fail(state, TWCC_CAPUNSUPPORTED);
    if (state.overrunStrips && dat == DAT_SETUPMEMXFER)
    {
        auto* setup = static_cast<TW_SETUPMEMXFER*>(data);
        setup->MinBufSize = setup->MaxBufSize = setup->Preferred = 64;
        return TWRC_SUCCESS;
    }
    if (state.overrunStrips && dat == DAT_IMAGEMEMXFER)
    {
        static_cast<TW_IMAGEMEMXFER*>(data)->BytesWritten = 4096;
        return TWRC_XFERDONE;
    }
    return TWRC_SUCCESS;
}
} // namespace

extern "C" {
__attribute__((visibility("default"))) TW_UINT16 DSM_Entry(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32,
                                                            TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
{
    FakeState& state = State();
    unsigned delay = 0;
    {
        std::lock_guard<std::mutex> guard(state.lock);
        auto found = state.delays.find(dat);
        delay = found == state.delays.end() ? 0 : found->second;
    }
    // Outside the lock: a slow source must not block the test's controls.
    if (delay)
        std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    std::lock_guard<std::mutex> guard(state.lock);
    ++state.calls[dat];
    ++state.messages[{dat, msg}];
    if (dat == DAT_STATUS)
    {
        static_cast<TW_STATUS*>(data)->ConditionCode = state.condition;
        state.condition = TWCC_SUCCESS;
        return TWRC_SUCCESS;
    }
    if (!origin)
        return TWRC_FAILURE;
    return dest ? ToSource(state, dat, msg, data) : ToDsm(state, origin, dat, msg, data);
}

__attribute__((visibility("default"))) void FakeDsm_Reset(int sources)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.sources = sources;
    state.cursor = 0;
    state.condition = TWCC_SUCCESS;
    state.answers.clear();
    state.events.clear();
    state.calls.clear();
    state.overrunStrips = false;
    state.messages.clear();
    state.delays.clear();
    state.containers.clear();
    state.scanning = false;
    state.scan = FAKE_DSM_SCAN{};
    state.pending = 0;
    state.stripsSent = 0;
    state.lastBufferLength = 0;
}

__attribute__((visibility("default"))) void FakeDsm_Scan(const FAKE_DSM_SCAN* scan)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.scanning = scan != nullptr;
    if (scan)
        state.scan = *scan;
}

__attribute__((visibility("default"))) void FakeDsm_Container(TW_UINT16 cap, TW_UINT16 conType,
                                                              const void* bytes, TW_UINT32 size)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    const auto* begin = static_cast<const unsigned char*>(bytes);
    state.containers[cap] = Container{conType, std::vector<unsigned char>(begin, begin + size)};
}

__attribute__((visibility("default"))) void FakeDsm_Delay(TW_UINT16 dat, unsigned ms)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.delays[dat] = ms;
}

__attribute__((visibility("default"))) int FakeDsm_MessageCalls(TW_UINT16 dat, TW_UINT16 msg)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.messages[{dat, msg}];
}

__attribute__((visibility("default"))) TW_UINT32 FakeDsm_LastBufferLength()
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.lastBufferLength;
}

__attribute__((visibility("default"))) void FakeDsm_OverrunStrips(int on)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.overrunStrips = on != 0;
}

__attribute__((visibility("default"))) void FakeDsm_Answer(TW_UINT16 dat, TW_UINT16 rc, TW_UINT16 cc)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.answers[dat] = Answer{rc, cc};
}

__attribute__((visibility("default"))) void FakeDsm_QueueEvent(TW_UINT16 msg)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    state.events.push_back(msg);
}

__attribute__((visibility("default"))) int FakeDsm_Calls(TW_UINT16 dat)
{
    FakeState& state = State();
    std::lock_guard<std::mutex> guard(state.lock);
    return state.calls[dat];
}
}
