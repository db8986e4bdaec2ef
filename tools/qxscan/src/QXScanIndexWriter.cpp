#include "QXScanIndexWriter.h"

#include <hollin/ZKCommon.h>

#include <nlohmann/json.hpp>

namespace
{
struct TAG_NAME
{
    DWORD tag;
    const char* name;
};

// The scanner's numbered tags under names a reader of the index understands.
const TAG_NAME kTagNames[] = {
    {1, "backSide"},         {3, "deskew"},         {4, "deskewAngle"},
    {5, "multifeed"},        {100, "documentCount"}, {200, "batch"},
    {201, "chapter"},        {202, "document"},      {203, "pageNumber"},
    {300, "imprinterCounter"}, {301, "imprintedText"}, {400, "level"},
    {403, "imageAddress"},   {500, "patchCode"},
};

std::string TagName(DWORD tag)
{
    for (const TAG_NAME& entry : kTagNames)
        if (entry.tag == tag)
            return entry.name;
    return "tag" + std::to_string(tag);
}

const char* SideName(int side)
{
    return side == 1 ? "front" : side == 2 ? "back" : "unknown";
}

const char* FormatName(int format)
{
    static const char* const names[] = {"unknown", "raw", "jpeg", "g4", "g3-1d", "g3-1d-noeol", "g3-2d"};
    return format >= 0 && format <= 6 ? names[format] : "unknown";
}

nlohmann::json Tags(const CZKTagHolder& tags)
{
    nlohmann::json object = nlohmann::json::object();
    for (DWORD tag : tags.GetTags())
    {
        std::wstring text;
        LONG number = 0;
        if (tags.IsText(tag) && tags.GetValue(tag, text))
            object[TagName(tag)] = SZKCommon::WCStoMBS(text);
        else if (tags.GetValue(tag, number))
            object[TagName(tag)] = number;
    }
    return object;
}
} // namespace

bool CQXScanIndexWriter::Open(const std::string& path)
{
    m_out.open(path, std::ios::binary | std::ios::trunc);
    return m_out.is_open();
}

bool CQXScanIndexWriter::Add(int image, const QXSCAN_IMAGE& delivered, const std::string& file, int page,
                             size_t bytes)
{
    const QX_SCANNER_IMAGE_INFO& info = delivered.info;
    const nlohmann::json line = {
        {"image", image},
        {"file", file},
        {"pageInFile", page},
        {"side", SideName(info.imageSide.value)},
        {"width", info.ImageWidth},
        {"height", info.ImageLength},
        {"bitsPerPixel", info.BitsPerPixel},
        {"xResolution", info.XResolution},
        {"yResolution", info.YResolution},
        {"format", FormatName(info.imageFormat.value)},
        {"bytes", bytes},
        {"tags", Tags(delivered.tags)},
    };
    m_out << line.dump() << '\n';
    m_out.flush();
    return m_out.good();
}
