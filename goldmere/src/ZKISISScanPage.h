// The page module ("ISISPAGE"): hands each image of the chain to the scan
// session as a begin, data blocks and an end.
#pragma once

#include "ZKISISDriver.h"

class CZKISISScanPage : public CZKISISDriver
{
public:
    CZKISISScanPage(CZKISISScanSession* session, IZKISISEventObserver* observer);
    ~CZKISISScanPage() override;

    BOOL Open();
    BOOL Close();
    BOOL Link(ZKISIS_MODULE* next);
    void Unlink();
};
