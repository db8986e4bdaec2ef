// Answers DAT_EXTIMAGEINFO for one image: the standard items the source
// knows and the vendor items of its profile. Items of up to four bytes sit in
// the entry's Item; longer ones in a heap block the application frees.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ZKSimProfile.h"
#include "ZKSimScanSettings.h"

// What is known about the image just transferred.
struct ZK_SIM_IMAGE_FACTS
{
    ZK_SIM_IMAGE image;
    TW_UINT32 documentNumber = 1;
    TW_UINT32 pageNumber = 1;
    TW_UINT32 counter = 0; // the imprinter counter of the image's document
    std::string camera;
    TW_FRAME frame{};
    const std::map<TW_UINT16, std::string>* texts = nullptr; // text capabilities at the batch's start
};

class SZKSimExtImageInfo
{
public:
    // Entries the source does not know get TWRC_INFONOTSUPPORTED in their
    // CondCode. Fails (TWCC_BADVALUE) for a missing block or an absurd count.
    static TW_UINT16 Fill(TW_EXTIMAGEINFO* info, const ZK_SIM_IMAGE_FACTS& facts,
                          const std::vector<ZK_SIM_EXTINFO_ITEM>& vendorItems, TW_UINT16& condition);
    // The value of one item as raw bytes; false when the source does not know it.
    static bool Value(TW_UINT16 id, const ZK_SIM_IMAGE_FACTS& facts,
                      const std::vector<ZK_SIM_EXTINFO_ITEM>& vendorItems, TW_UINT16& itemType,
                      std::vector<uint8_t>& bytes);

private:
    static bool _Standard(TW_UINT16 id, const ZK_SIM_IMAGE_FACTS& facts, TW_UINT16& itemType,
                          std::vector<uint8_t>& bytes);
    static std::string _Expand(const std::string& text, const ZK_SIM_IMAGE_FACTS& facts);
    static void _Store(TW_INFO& entry, TW_UINT16 itemType, const std::vector<uint8_t>& bytes);
};
