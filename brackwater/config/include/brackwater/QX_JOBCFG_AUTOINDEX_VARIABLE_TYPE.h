// One automatically read index value: a region of the page searched for a
// barcode or read by OCR, how it is searched and recognised, and whether a
// change of the value separates documents or batches.
//
// File form (tofile/fromfile): a script file with two sections,
//   [Version]        VersionNumber = 1.3.0.0
//   [IndexVariable]  the keys of toscript
// so the file reads back with every key, the OCR ones included, and a
// variable exported by one station can be imported at another.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE.h>
#include <brackwater/QX_RECT_TYPE.h>
#include <brackwater/brackwater_export.h>
#include <hollin/ZKObject.h>

#include <cstdint>
#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE : public CZKObject
{
    // Bits of get_search_option.
    enum SEARCH_OPTION : DWORD
    {
        SEARCH_FRONT = 0x01,  // the front side is searched
        SEARCH_REAR = 0x02,   // the rear side is searched
        SEARCH_ROTATED = 0x04 // rotated codes are searched for too
    };

    std::wstring strLabel;
    QX_RECT_TYPE region; // in the job's length unit
    QX_RECT_TYPE regionPixel;
    BOOL bFront; // the region lies on the front side
    int32_t nPositionType;
    BOOL bRearSearch;
    BOOL bRotateSearch;
    BOOL bRotateBaseOnCode;
    QX_JOBCFG_SEPARATION_AUTOINDEX_TYPE separation;
    std::wstring strMask;
    std::wstring strTypeString;
    uint64_t ullType; // the recognition engine's flag set
    int32_t nOrientation;
    BOOL bCheckSum;
    BOOL bOCRFormatContained;
    std::wstring strOCRLanguageList;
    std::wstring strOCRFilter;
    std::wstring strUserDicPath;
    // The value read last while scanning, for separation on a change. Not
    // configuration: never stored and not compared.
    std::wstring strLastValue;

    QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE() { init(); }
    QX_DERIVED_RECORD_OPERATORS(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE, CZKObject)
    QX_RECORD_CLONE(QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE)

    void reset();
    void set(const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE& other);
    int compare(const QX_JOBCFG_AUTOINDEX_VARIABLE_TYPE& other) const;
    BOOL check() const { return separation.check(); }
    void normalize() { separation.normalize(); }

    // SEARCH_* bits: the side the region lies on, the rear when it is
    // searched as well, rotated search.
    DWORD get_search_option() const;

    // The OCR keys are read only from scripts of format 1.3.0.0 or later;
    // older scripts leave them off and empty.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

    BOOL tofile(const std::wstring& path) const;
    // A file that does not load or lacks a key leaves the defaults.
    BOOL fromfile(const std::wstring& path);

protected:
    void init();

private:
    bool _ReadOCRKeys(CZKScript& script);
};
