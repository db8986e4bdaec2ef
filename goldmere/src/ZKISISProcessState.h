// The layer's process-wide state (EZKISISState), shared by all managers.
#pragma once

#include <goldmere/ZKISISTypes.h>

class SZKISISProcessState
{
public:
    static EZKISISState Get();
    static void Set(EZKISISState state);
};
