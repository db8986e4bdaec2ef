// A scriptable source manager for the TWAIN layer's tests: it answers the
// triplets a test names with the return and condition codes it names, holds
// source events for MSG_PROCESSEVENT and takes no event callbacks. Tests load
// it a second time to reach the Fake* control functions.
#include <twaindefs/ZKTwainDefs.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <mutex>

namespace
{
struct Answer
{
    TW_UINT16 rc;
    TW_UINT16 cc;
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
    std::lock_guard<std::mutex> guard(state.lock);
    ++state.calls[dat];
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
