// The job's scanner-group file with the advanced configuration inside. A
// refused file must leave the record at its defaults; an accepted one must
// write a file that reads back and writes the same bytes again.
#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>

#include "common/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzTempFile input("group.cfg", data, size);
    if (!input.IsWritten())
        return 0;
    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    if (!group.fromfile(input.Path()))
    {
        if (group != QX_JOBCFG_SCANNER_GROUP_TYPE())
            FuzzFail("a refused file left a scanner group behind");
        return 0;
    }
    group.check();

    CFuzzTempFile first("group-1.cfg");
    CFuzzTempFile second("group-2.cfg");
    QX_JOBCFG_SCANNER_GROUP_TYPE reread;
    if (!group.tofile(first.Path()) || !reread.fromfile(first.Path()) || !reread.tofile(second.Path()))
        FuzzFail("a loaded scanner group does not write and read back");
    if (first.Contents() != second.Contents())
        FuzzFail("a scanner-group file changes on a read/write round trip");
    return 0;
}
