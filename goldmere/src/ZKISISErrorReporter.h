// The layer's process-wide error reporter: turns a failed toolkit status
// into an error id, a log line and an OnISISError call, unless reporting is
// off or the id is one the layer keeps quiet about.
#pragma once

#include <cstdint>

#include <wincompat/WinTypes.h>

class IZKISISEventObserver;

// The layer's own statuses (its range is -9000 to -8000).
enum EZKISISLayerError : int32_t
{
    ZKISIS_LAYER_APPLICATION_ERROR = -8001,
    ZKISIS_LAYER_WRONG_ANSWER_TYPE = -8002,
    ZKISIS_LAYER_TEXT_TOO_LONG = -8003,
    ZKISIS_LAYER_DATA_BEYOND_IMAGE = -8004,
    ZKISIS_LAYER_IMAGE_SEQUENCE = -8005,
    ZKISIS_LAYER_DRIVER_EXCEPTION = -8006
};

class CZKISISErrorReporter
{
public:
    static void SetObserver(IZKISISEventObserver* observer);
    static IZKISISEventObserver* GetObserver();
    static void Enable(BOOL enable);
    static WORD GetLastError();

    // TRUE for a status that is not a failure; otherwise reports it and
    // answers FALSE. source names the calling file ("ZKISISManager").
    static BOOL Check(int32_t status, const char* source, int line);

    // The 16-bit error id of a failed status.
    static int16_t ErrorId(int32_t status);
};

// Every toolkit call's status goes through this, with the call site.
#define ZKISIS_CHECK(status) CZKISISErrorReporter::Check((status), kReporterSource, __LINE__)
