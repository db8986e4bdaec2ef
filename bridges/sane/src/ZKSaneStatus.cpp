#include "ZKSaneStatus.h"

ZK_SANE_STATUS_MEANING SZKSaneStatus::Meaning(SANE_Status status)
{
    switch (status)
    {
    case SANE_STATUS_GOOD:
    case SANE_STATUS_EOF:
        return {TWCC_SUCCESS, kNoDeviceEvent, false};
    case SANE_STATUS_NO_DOCS:
        return {TWCC_NOMEDIA, kNoDeviceEvent, true};
    case SANE_STATUS_JAMMED:
        return {TWCC_PAPERJAM, TWDE_PAPERJAM, false};
    case SANE_STATUS_COVER_OPEN:
        return {TWCC_INTERLOCK, TWDE_CHECKDEVICEONLINE, false};
    case SANE_STATUS_DEVICE_BUSY:
        // In use elsewhere: what TWAIN reports for a source it cannot share.
        return {TWCC_MAXCONNECTIONS, kNoDeviceEvent, false};
    case SANE_STATUS_IO_ERROR:
        return {TWCC_OPERATIONERROR, TWDE_DEVICEOFFLINE, false};
    case SANE_STATUS_NO_MEM:
        return {TWCC_LOWMEMORY, kNoDeviceEvent, false};
    case SANE_STATUS_ACCESS_DENIED:
        return {TWCC_DENIED, kNoDeviceEvent, false};
    case SANE_STATUS_INVAL:
    case SANE_STATUS_UNSUPPORTED:
        return {TWCC_BADVALUE, kNoDeviceEvent, false};
    default:
        return {TWCC_BUMMER, kNoDeviceEvent, false};
    }
}
