#include "QXScanFeatureReport.h"

#include "QXScanReportValue.h"

#include <mirelight/QXScanner.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_IMAGEADDRESS_FORMAT.h>
#include <hollin/ZKCommon.h>

namespace
{
const char* LevelName(WORD mark)
{
    switch (mark)
    {
    case QX_IMAGEADDRESS_FORMAT::MARK_FIXED:
        return "fixed";
    case QX_IMAGEADDRESS_FORMAT::MARK_LEVEL3:
        return "level3";
    case QX_IMAGEADDRESS_FORMAT::MARK_LEVEL2:
        return "level2";
    case QX_IMAGEADDRESS_FORMAT::MARK_LEVEL1:
        return "level1";
    default:
        return nullptr;
    }
}

const char* FillName(int32_t leadingZeros)
{
    switch (leadingZeros)
    {
    case QX_IMAGEADDRESS_FORMAT::LZF_ZEROS:
        return "zeros";
    case QX_IMAGEADDRESS_FORMAT::LZF_SPACES:
        return "spaces";
    default:
        return "none";
    }
}

// The used slots in order, e.g. "fixed:4 level3:2 level1:6".
nlohmann::ordered_json AddressFormat(const QX_IMAGEADDRESS_FORMAT& format)
{
    std::string layout;
    for (const QX_IMAGEADDRESS_FORMAT::SLOT& slot : format.slots)
        if (const char* level = LevelName(slot.mark))
            layout += (layout.empty() ? "" : " ") + std::string(level) + ":" +
                      std::to_string(slot.length);
    return {{"layout", layout}, {"fill", FillName(format.nLeadingZerosFormat)}};
}

nlohmann::ordered_json Imprinter(CQXScanner& scanner)
{
    unsigned int counter = 0;
    return {{"enabled", SQXScanReportValue::Number(scanner, 4)},
            {"counter", scanner.GetTagValue(1010, counter) ? nlohmann::ordered_json(counter)
                                                           : nlohmann::ordered_json()}};
}

nlohmann::ordered_json ImageAddress(CQXScanner& scanner)
{
    nlohmann::ordered_json shown = {{"active", SQXScanReportValue::Number(scanner, 1007)}};
    QX_IMAGEADDRESS_FORMAT format;
    if (scanner.GetTagValue(1009, static_cast<void*>(&format)))
        shown["format"] = AddressFormat(format);
    QX_IMAGEADDRESS address;
    std::wstring text;
    if (scanner.GetTagValue(1008, static_cast<void*>(&address)) && address.ToStdString(text))
        shown["current"] = SZKCommon::WCStoMBS(text);
    return shown;
}
} // namespace

nlohmann::ordered_json CQXScanFeatureReport::Read(CQXScanner& scanner)
{
    CQXScannerSettingsManipulator settings(scanner.GetCurrentScannerFamily());
    nlohmann::ordered_json features = {
        {"imprinter", settings.GetImprinterAdapter() != nullptr},
        {"imageAddress", settings.GetImageAddressAdapter() != nullptr},
        {"batchCounter", settings.GetBatchAdapter() != nullptr},
        {"patchReader", settings.GetPatchAdapter() != nullptr},
    };
    return {{"settings", features},
            {"imprinter", Imprinter(scanner)},
            {"imageAddress", ImageAddress(scanner)}};
}
