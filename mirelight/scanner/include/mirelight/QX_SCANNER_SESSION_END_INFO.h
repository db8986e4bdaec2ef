// What the observer learns when a session ends: where numbering continues.
#pragma once

#include <brackwater/QX_IMAGEADDRESS.h>

struct QX_SCANNER_SESSION_END_INFO
{
    QX_IMAGEADDRESS imageAddress;
    int nNextCounter = 0; // last document count plus 1

    // The image address stays: it is the continuation point of the next run.
    void Reset() { nNextCounter = 0; }
};
