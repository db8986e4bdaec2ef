// What the strict test source saw, for the tests that load it a second time
// (the loader hands back the same library) to read it.
#pragma once

#include <twaindefs/ZKTwainDefs.h>

struct STRICT_SOURCE_REPORT
{
    int identifications;         // DAT_IDENTITY / MSG_GET
    TW_IDENTITY identifiedBy;    // the origin of the last one
    int opens;                   // DAT_IDENTITY / MSG_OPENDS
    TW_IDENTITY openedBy;        // the origin of the last one
    int entryPoints;             // DAT_ENTRYPOINT / MSG_SET
    int statusQueries;           // DAT_STATUS / MSG_GET
};

extern "C" {
typedef void (*STRICT_SOURCE_READ)(STRICT_SOURCE_REPORT*);
typedef void (*STRICT_SOURCE_RESET)();
}
