// Static operations shared by the scanner implementations, the settings
// adapters and the application: scanner families, protocol-qualified names,
// patch codes, camera records and image conversion.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <mirelight/QXScannerTypes.h>
#include <mirelight/QX_IMPRINTER_EXPRESSION.h>
#include <mirelight/QX_SCANNER_CAMERAINFO.h>
#include <mirelight/QX_SCANNER_IMAGE_INFO.h>
#include <mirelight/QX_SCANNER_INFO.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class CZKBitmapHandle;
class CZKBuffer;

class MIRELIGHT_EXPORT CQXScannerHelper
{
public:
    // The family row of a product name, ignoring case; the "generic" row for
    // an unknown or empty name.
    static const QX_SCANNER_INFO& QueryScannerInfo(const wchar_t* name);

    // "isis:<driver>" gives ISIS, "twain:<product>" or a bare name TWAIN.
    // The prefixes are lower case only. FALSE for an empty text.
    static BOOL ExtractProtocolAndName(const wchar_t* qualified, EQXScannerProtocol& protocol,
                                       std::wstring& name);

    // Patch codes 0..4 and 6 stay, 5 and 99 become 5, anything else 255.
    static void TranslatePatchCode(unsigned int code, QX_PATCH_TYPE& patch);

    // Fills the configuration's camera slots: 0 front bitonal, 1 rear
    // bitonal, 2 front colour, 3 rear colour.
    static BOOL ConvertCameraInfo(QX_SCANNER_CAMERAINFO& cameras, QX_SCNCFG_CONFIGDATA_TYPE& config);

    // Any delivered image (raw rows in bitmap layout, JPEG or CCITT) into a
    // bitmap, reduced by scale (1 keeps the size). A raw buffer shorter than
    // the bitmap is refused.
    static BOOL ConvertToBitmap(CZKBuffer& data, const QX_SCANNER_IMAGE_INFO& info, CZKBitmapHandle& bitmap,
                                int scale);

    // A default-value expression evaluated into the UTF-8 text an imprinter
    // prints. Text longer than maxLength bytes fails, or with truncate is
    // cut to at most maxLength bytes without splitting a character.
    static BOOL TranslateExpression(const wchar_t* expression, std::string& text, WORD maxLength, BOOL truncate);
    // The same into a fixed buffer, zero-filled and always terminated
    // (at most 255 bytes of text).
    static BOOL TranslateExpression(const wchar_t* expression, char (&text)[256], WORD maxLength, BOOL truncate);

    // An imprinter formula: nothing but <name> tokens, each the strName of
    // one of the expressions, at most maxItems tokens printing at most
    // maxLength characters (expressions of unknown length do not count).
    static BOOL ValidateFormula(const wchar_t* formula, const std::vector<QX_IMPRINTER_EXPRESSION>& expressions,
                                unsigned maxItems, unsigned maxLength);

protected:
    CQXScannerHelper() = default;
};
