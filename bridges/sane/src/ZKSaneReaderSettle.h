// Backends that read through a helper thread cancel it asynchronously; one
// cancelled inside the allocator (as it starts or ends) leaves the process's
// heap locked for good. Called before every sane_cancel, this gives a reader
// that has just been started time to reach its first blocking write. It
// narrows the window; only the backend can close it.
#pragma once

#include <chrono>
#include <thread>

inline void ZKSaneLetReaderSettle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
}
