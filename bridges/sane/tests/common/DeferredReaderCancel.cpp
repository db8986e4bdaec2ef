// SANE's test backend reads every page through a helper thread that makes
// itself cancellable at any instruction, and cancels it as soon as the last
// bytes of a page have been read, while the thread may still be freeing its
// buffer. A thread cancelled inside the allocator leaves the heap locked and
// the process hangs at its next allocation, about once in ten thousand pages.
// Defined in the test programs (and preloaded into the tool they run), this
// keeps every such thread's cancellation deferred: the reader then ends at
// its next blocking write, or finishes on its own.
#include "DeferredReaderCancel.h"

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>

namespace
{
std::atomic<int> g_deferrals{0};
}

extern "C" __attribute__((visibility("default"))) int pthread_setcanceltype(int type, int* oldType)
{
    using SetCancelType = int (*)(int, int*);
    static const auto next = reinterpret_cast<SetCancelType>(dlsym(RTLD_NEXT, "pthread_setcanceltype"));
    if (!next)
    {
        if (oldType)
            *oldType = PTHREAD_CANCEL_DEFERRED;
        return 0;
    }
    if (type == PTHREAD_CANCEL_ASYNCHRONOUS)
        ++g_deferrals;
    return next(PTHREAD_CANCEL_DEFERRED, oldType);
}

extern "C" int ZKSaneDeferredCancellations()
{
    return g_deferrals;
}
