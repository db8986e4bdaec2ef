// The scanner configuration file. A refused file must leave the record at
// its defaults; an accepted one must write a file that reads back and
// writes the same bytes again.
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>

#include "common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzTempFile input("scanner.cfg", data, size);
    if (!input.IsWritten())
        return 0;
    QX_SCNCFG_CONFIGDATA_TYPE config;
    if (!config.fromfile(input.Path()))
    {
        if (config != QX_SCNCFG_CONFIGDATA_TYPE())
            FuzzFail("a refused file left a configuration behind");
        return 0;
    }
    config.check();
    config.GetCaptureSide();

    CFuzzTempFile first("scanner-1.cfg");
    CFuzzTempFile second("scanner-2.cfg");
    QX_SCNCFG_CONFIGDATA_TYPE reread;
    if (!config.tofile(first.Path()) || !reread.fromfile(first.Path()) || !reread.tofile(second.Path()))
        FuzzFail("a loaded configuration does not write and read back");
    if (first.Contents() != second.Contents())
        FuzzFail("a configuration file changes on a read/write round trip");
    return 0;
}
