// Barcode and OCR auto-indexing of a job: which pages are searched, the
// sample images the regions were drawn on, and the variables.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE.h>
#include <brackwater/QX_RANGE_L_TYPE.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKStringList.h>

#include <cstdint>
#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_AUTOINDEX_GROUP_TYPE
{
    BOOL bEnableExtractSize;
    QX_RANGE_L_TYPE extractSize;
    BOOL bSearchOnRear;
    int32_t nMaxItemsToExtract;
    CZKStringList sampleImages;
    std::wstring strSelectedImage;
    QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE barcodeVariables;
    QX_JOBCFG_AUTOINDEX_VARIABLELIST_TYPE ocrVariables;

    QX_JOBCFG_AUTOINDEX_GROUP_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_JOBCFG_AUTOINDEX_GROUP_TYPE)

    void reset();
    void set(const QX_JOBCFG_AUTOINDEX_GROUP_TYPE& other);
    int compare(const QX_JOBCFG_AUTOINDEX_GROUP_TYPE& other) const;
    BOOL check() const;
    void normalize();

    // Its own keys in the current section (one "SampleImages" line per
    // image), the barcode variables in the section "BARCODE" and the OCR
    // variables in "OCR".
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();

private:
    BOOL _WriteOwnKeys(CZKScript& script) const;
    bool _ReadOwnKeys(CZKScript& script);
};
