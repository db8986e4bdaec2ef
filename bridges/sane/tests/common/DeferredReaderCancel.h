// Keeps the test backend's reader threads from being cancelled at an
// arbitrary instruction (see DeferredReaderCancel.cpp).
#pragma once

// How many threads asked for asynchronous cancellation and were kept deferred.
extern "C" int ZKSaneDeferredCancellations();
