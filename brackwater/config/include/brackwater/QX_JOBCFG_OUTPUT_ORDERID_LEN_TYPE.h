// Whether a counter in an output name is zero-padded, and to how many digits.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE
{
    static constexpr int32_t DEFAULT_LENGTH = 8;

    BOOL bEnable;
    int32_t nNumberLength; // digits; at least 1

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_ORDERID_LEN_TYPE);

protected:
    void init();
};
