#include "ZKSimExtImageInfo.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "ZKSimItemCodec.h"

namespace
{
// The block is a bare heap block whose size we cannot check; no application
// asks for more items than this.
constexpr TW_UINT32 kMaxInfos = 1024;
constexpr size_t kInlineBytes = 4;

template <class T>
std::vector<uint8_t> Bytes(const T& value)
{
    std::vector<uint8_t> bytes(sizeof(T));
    std::memcpy(bytes.data(), &value, sizeof(T));
    return bytes;
}

std::vector<uint8_t> Text255(const std::string& text)
{
    std::vector<uint8_t> bytes(sizeof(TW_STR255), 0);
    std::memcpy(bytes.data(), text.data(), std::min(text.size(), bytes.size() - 1));
    return bytes;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with)
{
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}
} // namespace

bool SZKSimExtImageInfo::_Standard(TW_UINT16 id, const ZK_SIM_IMAGE_FACTS& facts, TW_UINT16& itemType,
                                   std::vector<uint8_t>& bytes)
{
    itemType = TWTY_UINT32;
    switch (id)
    {
    case TWEI_DOCUMENTNUMBER:
        bytes = Bytes<TW_UINT32>(facts.documentNumber);
        return true;
    case TWEI_PAGENUMBER:
        bytes = Bytes<TW_UINT32>(facts.pageNumber);
        return true;
    case TWEI_FRAMENUMBER:
        bytes = Bytes<TW_UINT32>(1);
        return true;
    case TWEI_PAPERCOUNT:
        bytes = Bytes<TW_UINT32>(static_cast<TW_UINT32>(facts.image.sheet));
        return true;
    case TWEI_SEGMENTNUMBER:
        bytes = Bytes<TW_UINT32>(static_cast<TW_UINT32>(facts.image.segment + 1));
        return true;
    case TWEI_LASTSEGMENT:
        itemType = TWTY_BOOL;
        bytes = Bytes<TW_BOOL>(facts.image.segment + 1 == facts.image.segments);
        return true;
    case TWEI_PAGESIDE:
        itemType = TWTY_UINT16;
        bytes = Bytes<TW_UINT16>(facts.image.side == 0 ? TWCS_TOP : TWCS_BOTTOM);
        return true;
    case TWEI_PIXELFLAVOR:
        itemType = TWTY_UINT16;
        bytes = Bytes<TW_UINT16>(TWPF_CHOCOLATE);
        return true;
    case TWEI_CAMERA:
        itemType = TWTY_STR255;
        bytes = Text255(facts.camera);
        return true;
    case TWEI_FRAME:
        itemType = TWTY_FRAME;
        bytes = Bytes(facts.frame);
        return true;
    default:
        return false;
    }
}

std::string SZKSimExtImageInfo::_Expand(const std::string& text, const ZK_SIM_IMAGE_FACTS& facts)
{
    std::string value = text;
    ReplaceAll(value, "{sheet}", std::to_string(facts.image.sheet));
    ReplaceAll(value, "{side}", facts.image.side == 0 ? "front" : "back");
    ReplaceAll(value, "{page}", std::to_string(facts.pageNumber));
    ReplaceAll(value, "{document}", std::to_string(facts.documentNumber));
    ReplaceAll(value, "{segment}", std::to_string(facts.image.segment + 1));
    ReplaceAll(value, "{camera}", facts.camera);
    ReplaceAll(value, "{counter}", std::to_string(facts.counter));
    ReplaceAll(value, "{sideno}", std::to_string(facts.image.side + 1));
    ReplaceAll(value, "{segments}", std::to_string(facts.image.segments));
    // What the imprinter was told to print, e.g. {cap:0x102B} for its suffix.
    if (facts.texts)
        for (const auto& [id, text] : *facts.texts)
        {
            char tag[16];
            std::snprintf(tag, sizeof(tag), "{cap:0x%04X}", static_cast<unsigned>(id));
            ReplaceAll(value, tag, text);
        }
    return value;
}

bool SZKSimExtImageInfo::Value(TW_UINT16 id, const ZK_SIM_IMAGE_FACTS& facts,
                               const std::vector<ZK_SIM_EXTINFO_ITEM>& vendorItems, TW_UINT16& itemType,
                               std::vector<uint8_t>& bytes)
{
    // Profile items come first so a profile may also redefine a standard one.
    for (const ZK_SIM_EXTINFO_ITEM& item : vendorItems)
        if (item.id == id)
        {
            itemType = item.itemType;
            return SZKSimItemCodec::Parse(item.itemType, _Expand(item.value, facts), bytes);
        }
    return _Standard(id, facts, itemType, bytes);
}

void SZKSimExtImageInfo::_Store(TW_INFO& entry, TW_UINT16 itemType, const std::vector<uint8_t>& bytes)
{
    TW_UINTPTR item = 0;
    if (bytes.size() <= kInlineBytes)
        std::memcpy(&item, bytes.data(), bytes.size());
    else if (void* block = std::malloc(bytes.size()))
    {
        std::memcpy(block, bytes.data(), bytes.size());
        item = reinterpret_cast<TW_UINTPTR>(block);
    }
    else
    {
        entry.NumItems = 0;
        entry.CondCode = TWRC_FAILURE;
        entry.Item = 0;
        return;
    }
    entry.ItemType = itemType;
    entry.NumItems = 1;
    entry.CondCode = TWRC_SUCCESS;
    entry.Item = item;
}

TW_UINT16 SZKSimExtImageInfo::Fill(TW_EXTIMAGEINFO* info, const ZK_SIM_IMAGE_FACTS& facts,
                                   const std::vector<ZK_SIM_EXTINFO_ITEM>& vendorItems, TW_UINT16& condition)
{
    if (!info || info->NumInfos > kMaxInfos)
    {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    // The entries run past the declared one-element array.
    auto* entries = reinterpret_cast<TW_INFO*>(reinterpret_cast<uint8_t*>(info) + offsetof(TW_EXTIMAGEINFO, Info));
    for (TW_UINT32 i = 0; i < info->NumInfos; ++i)
    {
        TW_INFO& entry = entries[i];
        TW_UINT16 itemType = 0;
        std::vector<uint8_t> bytes;
        if (Value(entry.InfoID, facts, vendorItems, itemType, bytes))
        {
            _Store(entry, itemType, bytes);
            continue;
        }
        entry.NumItems = 0;
        entry.CondCode = TWRC_INFONOTSUPPORTED;
        entry.Item = 0;
    }
    return TWRC_SUCCESS;
}
