#include "ZKISISProcessState.h"

#include <atomic>

namespace
{
std::atomic<EZKISISState> g_state{ZKISIS_STATE_NOT_INITIALISED};
}

EZKISISState SZKISISProcessState::Get()
{
    return g_state.load();
}

void SZKISISProcessState::Set(EZKISISState state)
{
    g_state.store(state);
}
