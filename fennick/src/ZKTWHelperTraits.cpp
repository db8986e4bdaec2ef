// The capability and extended-image-info trait registries of CZKTWHelper.
#include <fennick/ZKTWHelper.h>

#include <map>
#include <mutex>

namespace
{
// Container masks: A array, E enumeration, O one value, R range.
constexpr WORD A = 1;
constexpr WORD E = 2;
constexpr WORD O = 4;
constexpr WORD R = 8;

struct BuiltInCapTrait
{
    WORD cap;
    WORD itemType;
    WORD getMask;
    WORD setMask;
};

// clang-format off
constexpr BuiltInCapTrait kBuiltInCapTraits[] = {
    {CAP_XFERCOUNT, TWTY_INT16, O, O},
    {ICAP_ZOOMFACTOR, TWTY_INT16, E | O | R, O},
    {ICAP_JPEGQUALITY, TWTY_INT16, E | O | R, E | O | R},
    {CAP_BATTERYMINUTES, TWTY_INT32, O | R, 0},
    {CAP_ALARMVOLUME, TWTY_INT32, O | R, O | R},
    {CAP_AUTOMATICCAPTURE, TWTY_INT32, O | R, O | R},
    {CAP_TIMEBEFOREFIRSTCAPTURE, TWTY_INT32, O | R, O | R},
    {CAP_TIMEBETWEENCAPTURES, TWTY_INT32, O | R, O | R},
    {ICAP_CUSTHALFTONE, TWTY_UINT8, A, A},
    {CAP_SUPPORTEDCAPS, TWTY_UINT16, A, 0},
    {ICAP_SUPPORTEDBARCODETYPES, TWTY_UINT16, A, 0},
    {CAP_ALARMS, TWTY_UINT16, A, A},
    {CAP_DEVICEEVENT, TWTY_UINT16, A, A},
    {CAP_EXTENDEDCAPS, TWTY_UINT16, A, A},
    {ICAP_BARCODESEARCHPRIORITIES, TWTY_UINT16, A, A},
    {ICAP_PATCHCODESEARCHPRIORITIES, TWTY_UINT16, A, A},
    {CAP_BATTERYPERCENTAGE, TWTY_UINT16, O, 0},
    {CAP_DUPLEX, TWTY_UINT16, O, 0},
    {CAP_CLEARBUFFERS, TWTY_UINT16, O, O},
    {CAP_FEEDERALIGNMENT, TWTY_UINT16, O, O},
    {CAP_FEEDERORDER, TWTY_UINT16, O, O},
    {ICAP_CCITTKFACTOR, TWTY_UINT16, O, O},
    {ICAP_FLIPROTATION, TWTY_UINT16, O, O},
    {ICAP_MAXFRAMES, TWTY_UINT16, O, O},
    {ICAP_SUPPORTEDPATCHCODETYPES, TWTY_UINT16, A | O, 0},
    {ICAP_FILTER, TWTY_UINT16, A | O, A | O},
    {CAP_JOBCONTROL, TWTY_UINT16, E | O, O},
    {CAP_POWERSUPPLY, TWTY_UINT16, E | O, O},
    {CAP_PRINTERMODE, TWTY_UINT16, E | O, O},
    {ICAP_BARCODESEARCHMODE, TWTY_UINT16, E | O, O},
    {ICAP_BITORDER, TWTY_UINT16, E | O, O},
    {ICAP_BITORDERCODES, TWTY_UINT16, E | O, O},
    {ICAP_LIGHTPATH, TWTY_UINT16, E | O, O},
    {ICAP_PATCHCODESEARCHMODE, TWTY_UINT16, E | O, O},
    {ICAP_PIXELFLAVOR, TWTY_UINT16, E | O, O},
    {ICAP_PIXELFLAVORCODES, TWTY_UINT16, E | O, O},
    {ACAP_AUDIOFILEFORMAT, TWTY_UINT16, E | O, E | O},
    {ACAP_XFERMECH, TWTY_UINT16, E | O, E | O},
    {CAP_LANGUAGE, TWTY_UINT16, E | O, E | O},
    {CAP_PRINTER, TWTY_UINT16, E | O, E | O},
    {ICAP_BITDEPTH, TWTY_UINT16, E | O, E | O},
    {ICAP_BITDEPTHREDUCTION, TWTY_UINT16, E | O, E | O},
    {ICAP_COMPRESSION, TWTY_UINT16, E | O, E | O},
    {ICAP_FLASHUSED2, TWTY_UINT16, E | O, E | O},
    {ICAP_IMAGEFILEFORMAT, TWTY_UINT16, E | O, E | O},
    {ICAP_IMAGEFILTER, TWTY_UINT16, E | O, E | O},
    {ICAP_JPEGPIXELTYPE, TWTY_UINT16, E | O, E | O},
    {ICAP_LIGHTSOURCE, TWTY_UINT16, E | O, E | O},
    {ICAP_NOISEFILTER, TWTY_UINT16, E | O, E | O},
    {ICAP_ORIENTATION, TWTY_UINT16, E | O, E | O},
    {ICAP_OVERSCAN, TWTY_UINT16, E | O, E | O},
    {ICAP_PIXELTYPE, TWTY_UINT16, E | O, E | O},
    {ICAP_PLANARCHUNKY, TWTY_UINT16, E | O, E | O},
    {ICAP_SUPPORTEDSIZES, TWTY_UINT16, E | O, E | O},
    {ICAP_UNITS, TWTY_UINT16, E | O, E | O},
    {ICAP_XFERMECH, TWTY_UINT16, E | O, E | O},
    {ICAP_TIMEFILL, TWTY_UINT16, O | R, O},
    {CAP_ENDORSER, TWTY_UINT32, O, O},
    {CAP_PRINTERINDEX, TWTY_UINT32, O, O},
    {ICAP_IMAGEDATASET, TWTY_UINT32, A | O | R, A | O | R},
    {CAP_MAXBATCHBUFFERS, TWTY_UINT32, E | O | R, O},
    {ICAP_BARCODEMAXRETRIES, TWTY_UINT32, E | O | R, O},
    {ICAP_BARCODEMAXSEARCHPRIORITIES, TWTY_UINT32, E | O | R, O},
    {ICAP_BARCODETIMEOUT, TWTY_UINT32, E | O | R, O},
    {ICAP_PATCHCODEMAXRETRIES, TWTY_UINT32, E | O | R, O},
    {ICAP_PATCHCODEMAXSEARCHPRIORITIES, TWTY_UINT32, E | O | R, O},
    {ICAP_PATCHCODETIMEOUT, TWTY_UINT32, E | O | R, O},
    {CAP_CAMERAPREVIEWUI, TWTY_BOOL, O, 0},
    {CAP_CUSTOMDSDATA, TWTY_BOOL, O, 0},
    {CAP_DEVICEONLINE, TWTY_BOOL, O, 0},
    {CAP_ENABLEDSUIONLY, TWTY_BOOL, O, 0},
    {CAP_FEEDERLOADED, TWTY_BOOL, O, 0},
    {CAP_PAPERDETECTABLE, TWTY_BOOL, O, 0},
    {CAP_UICONTROLLABLE, TWTY_BOOL, O, 0},
    {CAP_AUTOFEED, TWTY_BOOL, O, O},
    {CAP_AUTOSCAN, TWTY_BOOL, O, O},
    {CAP_CLEARPAGE, TWTY_BOOL, O, O},
    {CAP_DUPLEXENABLED, TWTY_BOOL, O, O},
    {CAP_FEEDERENABLED, TWTY_BOOL, O, O},
    {CAP_FEEDPAGE, TWTY_BOOL, O, O},
    {CAP_INDICATORS, TWTY_BOOL, O, O},
    {CAP_PRINTERENABLED, TWTY_BOOL, O, O},
    {CAP_REWINDPAGE, TWTY_BOOL, O, O},
    {CAP_THUMBNAILSENABLED, TWTY_BOOL, O, O},
    {ICAP_AUTOBRIGHT, TWTY_BOOL, O, O},
    {ICAP_AUTOMATICBORDERDETECTION, TWTY_BOOL, O, O},
    {ICAP_AUTOMATICDESKEW, TWTY_BOOL, O, O},
    {ICAP_AUTOMATICROTATE, TWTY_BOOL, O, O},
    {ICAP_BARCODEDETECTIONENABLED, TWTY_BOOL, O, O},
    {ICAP_EXTIMAGEINFO, TWTY_BOOL, O, O},
    {ICAP_FLASHUSED, TWTY_BOOL, O, O},
    {ICAP_PATCHCODEDETECTIONENABLED, TWTY_BOOL, O, O},
    {ICAP_TILES, TWTY_BOOL, O, O},
    {ICAP_UNDEFINEDIMAGESIZE, TWTY_BOOL, O, O},
    {ICAP_LAMPSTATE, TWTY_BOOL, E | O, O},
    {ICAP_MINIMUMHEIGHT, TWTY_FIX32, O, 0},
    {ICAP_MINIMUMWIDTH, TWTY_FIX32, O, 0},
    {ICAP_PHYSICALHEIGHT, TWTY_FIX32, O, 0},
    {ICAP_PHYSICALWIDTH, TWTY_FIX32, O, 0},
    {ICAP_GAMMA, TWTY_FIX32, O, O},
    {ICAP_XNATIVERESOLUTION, TWTY_FIX32, E | O, 0},
    {ICAP_YNATIVERESOLUTION, TWTY_FIX32, E | O, 0},
    {ICAP_ROTATION, TWTY_FIX32, E | O | R, O},
    {ICAP_BRIGHTNESS, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_CONTRAST, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_EXPOSURETIME, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_HIGHLIGHT, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_SHADOW, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_THRESHOLD, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_XRESOLUTION, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_XSCALING, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_YRESOLUTION, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_YSCALING, TWTY_FIX32, E | O | R, E | O | R},
    {ICAP_FRAMES, TWTY_FRAME, E | O, E | O},
    {CAP_TIMEDATE, TWTY_STR32, O, 0},
    {CAP_DEVICETIMEDATE, TWTY_STR32, O, O},
    {ICAP_HALFTONES, TWTY_STR32, A | E | O, A | E | O},
    {CAP_AUTHOR, TWTY_STR128, O, O},
    {CAP_SERIALNUMBER, TWTY_STR255, O, 0},
    {CAP_CAPTION, TWTY_STR255, O, O},
    {CAP_PRINTERSUFFIX, TWTY_STR255, O, O},
    {CAP_PRINTERSTRING, TWTY_STR255, E | O, E | O},
};

constexpr SZKTWEITrait kBuiltInEITraits[] = {
    {TWEI_DESKEWSTATUS, TWTY_UINT32},
    {TWEI_SKEWORIGINALANGLE, TWTY_UINT32},
    {TWEI_BOOKNAME, TWTY_STR255},
    {TWEI_CHAPTERNUMBER, TWTY_UINT32},
    {TWEI_DOCUMENTNUMBER, TWTY_UINT32},
    {TWEI_PAGENUMBER, TWTY_UINT32},
    {TWEI_CAMERA, TWTY_STR255},
    {TWEI_FRAMENUMBER, TWTY_UINT32},
    {TWEI_FRAME, TWTY_FRAME},
    {TWEI_PIXELFLAVOR, TWTY_UINT16},
};
// clang-format on

static_assert(sizeof(kBuiltInCapTraits) / sizeof(kBuiltInCapTraits[0]) == 122, "built-in capability traits");
static_assert(sizeof(kBuiltInEITraits) / sizeof(kBuiltInEITraits[0]) == 10, "built-in extended-image-info traits");

// Map nodes never move, so references handed out stay valid; the lock keeps
// lookups that add an entry from racing each other.
struct TraitRegistries
{
    std::mutex lock;
    std::map<WORD, SZKTWCapTrait> caps;
    std::map<WORD, SZKTWEITrait> infos;
};

TraitRegistries& Registries()
{
    static TraitRegistries registries;
    return registries;
}
} // namespace

void CZKTWHelper::AddCapTrait(WORD cap, WORD itemType, WORD getConMask, WORD setConMask)
{
    TraitRegistries& registries = Registries();
    std::lock_guard<std::mutex> guard(registries.lock);
    registries.caps.emplace(cap, SZKTWCapTrait(cap, itemType, TWSizeOf(itemType), getConMask, setConMask));
}

SZKTWCapTrait& CZKTWHelper::_QueryCapTrait(WORD cap)
{
    TraitRegistries& registries = Registries();
    std::lock_guard<std::mutex> guard(registries.lock);
    return registries.caps.emplace(cap, SZKTWCapTrait{}).first->second;
}

void CZKTWHelper::AddEITrait(WORD infoId, WORD itemType)
{
    TraitRegistries& registries = Registries();
    std::lock_guard<std::mutex> guard(registries.lock);
    registries.infos.emplace(infoId, SZKTWEITrait{infoId, itemType});
}

const SZKTWEITrait& CZKTWHelper::QueryEITrait(WORD infoId)
{
    TraitRegistries& registries = Registries();
    std::lock_guard<std::mutex> guard(registries.lock);
    return registries.infos.emplace(infoId, SZKTWEITrait{}).first->second;
}

BOOL CZKTWHelper::IsCapTypeMatched(WORD cap, WORD itemType)
{
    return _QueryCapTrait(cap).ItemType == itemType;
}

namespace
{
BOOL IsConTypeAllowed(WORD mask, WORD conType)
{
    if (mask != 0 && conType == TWON_ONEVALUE)
        return TRUE;
    return (mask & CZKTWHelper::_GetContainerTypeMask(conType)) ? TRUE : FALSE;
}
} // namespace

BOOL CZKTWHelper::IsCapGetConTypeAllowed(WORD cap, WORD conType)
{
    return IsConTypeAllowed(_QueryCapTrait(cap).GetConMask, conType);
}

BOOL CZKTWHelper::IsCapSetConTypeAllowed(WORD cap, WORD conType)
{
    return IsConTypeAllowed(_QueryCapTrait(cap).SetConMask, conType);
}

void CZKTWHelper::InitializeTraits()
{
    for (const BuiltInCapTrait& trait : kBuiltInCapTraits)
        AddCapTrait(trait.cap, trait.itemType, trait.getMask, trait.setMask);
    for (const SZKTWEITrait& trait : kBuiltInEITraits)
        AddEITrait(trait.InfoID, trait.ItemType);
}
