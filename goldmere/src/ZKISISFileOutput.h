// The file output module ("ISISFPACK"): writes each image to a file whose
// name and format the observer gives before the image starts.
#pragma once

#include "ZKISISDriver.h"

class CZKISISFileOutput : public CZKISISDriver
{
public:
    CZKISISFileOutput(CZKISISScanSession* session, IZKISISEventObserver* observer);
    ~CZKISISFileOutput() override;

    BOOL Open();
    BOOL Close();

    // The file-format tag value for a format the application names.
    static long FileFormatTag(SHORT format);

private:
    static int32_t _ImageBegin(void* context, ZKISIS_MODULE* module);
    static int32_t _ImageEnd(void* context, ZKISIS_MODULE* module);
    int32_t _NameImageFile();
};
