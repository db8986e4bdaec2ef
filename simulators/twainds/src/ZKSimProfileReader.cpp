#include "ZKSimProfileReader.h"

#include <cstring>
#include <sstream>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>

namespace
{
// Records why a configuration was refused.
bool Invalid(std::string& error, const std::string& why)
{
    error = why;
    return false;
}

const wchar_t kCapPrefix[] = L"Cap.";
const wchar_t kExtInfoPrefix[] = L"ExtInfo.";
const wchar_t kCameraCapPrefix[] = L"CameraCap.";

struct PaperSize
{
    const char* name;
    double width, height; // inches
};

const PaperSize kPaperSizes[] = {{"A3", 11.69, 16.54}, {"A4", 8.27, 11.69},  {"A5", 5.83, 8.27},
                                 {"LETTER", 8.5, 11}, {"LEGAL", 8.5, 14}};

struct SheetFaultKey
{
    const wchar_t* key;
    ZK_SIM_SHEET_FAULT::EKind kind;
};

const SheetFaultKey kSheetFaultKeys[] = {{L"PaperJam", ZK_SIM_SHEET_FAULT::PAPER_JAM},
                                         {L"DoubleFeed", ZK_SIM_SHEET_FAULT::DOUBLE_FEED},
                                         {L"Offline", ZK_SIM_SHEET_FAULT::OFFLINE},
                                         {L"Cancel", ZK_SIM_SHEET_FAULT::CANCEL},
                                         {L"RefuseMemory", ZK_SIM_SHEET_FAULT::REFUSE_MEMORY},
                                         {L"DamagedNative", ZK_SIM_SHEET_FAULT::DAMAGED_NATIVE}};

struct Named
{
    const char* name;
    TW_UINT16 value;
};

const Named kContainers[] = {
    {"ONEVALUE", TWON_ONEVALUE}, {"ENUMERATION", TWON_ENUMERATION}, {"ARRAY", TWON_ARRAY}, {"RANGE", TWON_RANGE}};

const Named kOperations[] = {{"GET", TWQC_GET},     {"SET", TWQC_SET},     {"GETDEFAULT", TWQC_GETDEFAULT},
                             {"GETCURRENT", TWQC_GETCURRENT}, {"RESET", TWQC_RESET}, {"QUERYSUPPORT", 0}};

bool Lookup(const Named* table, size_t count, const std::string& name, TW_UINT16& value)
{
    for (size_t i = 0; i < count; ++i)
        if (name == table[i].name)
        {
            value = table[i].value;
            return true;
        }
    return false;
}

bool Text(const CZKScript& script, const wchar_t* section, const wchar_t* key, std::string& value)
{
    std::wstring wide;
    if (!script.GetKeyValue(key, wide, 0, section))
        return false;
    value = SZKCommon::WCStoMBS(wide);
    return true;
}

bool Number(const std::string& text, unsigned long long max, unsigned long long& value)
{
    try
    {
        size_t used = 0;
        value = std::stoull(text, &used, 0);
        return used == text.size() && value <= max && text[0] != '-';
    }
    catch (...)
    {
        return false;
    }
}

// An optional numeric key; a present but malformed one is an error.
bool OptionalNumber(const CZKScript& script, const wchar_t* section, const wchar_t* key, unsigned long long max,
                    unsigned long long& value)
{
    std::string text;
    return !Text(script, section, key, text) || Number(text, max, value);
}

bool CopyName(const std::string& text, char* target, size_t size)
{
    if (text.size() >= size)
        return false;
    std::memset(target, 0, size);
    std::memcpy(target, text.data(), text.size());
    return true;
}

std::string Narrow(const std::wstring& text)
{
    return SZKCommon::WCStoMBS(text);
}

std::vector<std::string> Words(const std::string& text, char separator)
{
    std::vector<std::string> words;
    std::istringstream in(text);
    std::string word;
    if (separator == ' ')
    {
        while (in >> word)
            words.push_back(word);
        return words;
    }
    while (std::getline(in, word, separator))
    {
        size_t first = word.find_first_not_of(" \t");
        size_t last = word.find_last_not_of(" \t");
        words.push_back(first == std::string::npos ? std::string() : word.substr(first, last - first + 1));
    }
    return words;
}

bool HexBytes(const std::string& text, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    for (const std::string& word : Words(text, ' '))
    {
        unsigned long long value = 0;
        if (!Number("0x" + word, 0xFF, value))
            return false;
        bytes.push_back(static_cast<uint8_t>(value));
    }
    return true;
}

bool ParsePageSize(const std::string& text, CZKSimProfile& profile)
{
    for (const PaperSize& size : kPaperSizes)
        if (text == size.name)
        {
            profile.pageWidth = size.width;
            profile.pageHeight = size.height;
            return true;
        }
    std::istringstream in(text);
    double width = 0, height = 0;
    std::string rest;
    if (!(in >> width >> height) || (in >> rest) || width < 0.5 || height < 0.5 || width > 100 || height > 200)
        return false;
    profile.pageWidth = width;
    profile.pageHeight = height;
    return true;
}

bool ParseTriplet(const std::vector<std::string>& words, ZK_SIM_FAULT& fault)
{
    unsigned long long dg = 0, dat = 0, msg = 0;
    if (words.size() < 3 || !Number(words[0], 0xFFFFFFFFull, dg) || !Number(words[1], 0xFFFF, dat) ||
        !Number(words[2], 0xFFFF, msg))
        return false;
    fault.dg = static_cast<TW_UINT32>(dg);
    fault.dat = static_cast<TW_UINT16>(dat);
    fault.msg = static_cast<TW_UINT16>(msg);
    return true;
}
} // namespace

bool SZKSimProfileReader::Load(const std::string& path, CZKSimProfile& profile, std::string& error)
{
    CZKScript script;
    if (!script.Load(SZKCommon::MBStoWCS(path)))
    {
        error = "cannot read " + path;
        return false;
    }
    return Read(script, profile, error);
}

bool SZKSimProfileReader::Read(const CZKScript& script, CZKSimProfile& profile, std::string& error)
{
    profile = CZKSimProfile();
    if (!_ReadIdentity(script, profile.identity, error) || !_ReadDevice(script, profile, error) ||
        !_ReadFeeding(script, profile, error) || !_ReadFaults(script, profile, error) ||
        !_ReadSheetFaults(script, profile, error) || !_ReadVendor(script, profile.vendor, error))
        return false;
    CZKStringList sections;
    script.GetSectionNames(sections);
    for (int i = 0; i < sections.GetCount(); ++i)
    {
        const std::wstring& section = sections.GetAt(i);
        if (section.compare(0, wcslen(kExtInfoPrefix), kExtInfoPrefix) == 0)
        {
            ZK_SIM_EXTINFO_ITEM item;
            if (!_ReadExtInfo(script, section, item, error))
            {
                error = Narrow(section) + ": " + error;
                return false;
            }
            profile.extInfo.push_back(item);
            continue;
        }
        if (section.compare(0, wcslen(kCameraCapPrefix), kCameraCapPrefix) == 0)
        {
            ZK_SIM_CAMERA_CAP cap;
            if (!_ReadCameraCapability(script, section, cap, error))
            {
                error = Narrow(section) + ": " + error;
                return false;
            }
            profile.cameraCapabilities.push_back(cap);
            continue;
        }
        if (section.compare(0, wcslen(kCapPrefix), kCapPrefix) != 0)
            continue;
        CZKSimCapability cap;
        if (!_ReadCapability(script, section, cap, error))
        {
            error = Narrow(section) + ": " + error;
            return false;
        }
        profile.capabilities.push_back(cap);
    }
    return true;
}

bool SZKSimProfileReader::_ReadIdentity(const CZKScript& script, TW_IDENTITY& identity, std::string& error)
{
    const wchar_t* section = L"Identity";
    std::string manufacturer, family, product, info;
    if (!Text(script, section, L"ProductName", product) || product.empty())
        return Invalid(error, "Identity.ProductName is missing");
    Text(script, section, L"Manufacturer", manufacturer);
    Text(script, section, L"ProductFamily", family);
    Text(script, section, L"VersionInfo", info);
    if (!CopyName(product, identity.ProductName, sizeof(TW_STR32)) ||
        !CopyName(manufacturer, identity.Manufacturer, sizeof(TW_STR32)) ||
        !CopyName(family, identity.ProductFamily, sizeof(TW_STR32)) ||
        !CopyName(info, identity.Version.Info, sizeof(TW_STR32)))
        return Invalid(error, "an Identity text is longer than 33 bytes");
    unsigned long long major = 1, minor = 0, protocolMajor = 2, protocolMinor = 4, language = TWLG_ENGLISH,
                       country = TWCY_USA;
    if (!OptionalNumber(script, section, L"VersionMajor", 0xFFFF, major) ||
        !OptionalNumber(script, section, L"VersionMinor", 0xFFFF, minor) ||
        !OptionalNumber(script, section, L"ProtocolMajor", 0xFFFF, protocolMajor) ||
        !OptionalNumber(script, section, L"ProtocolMinor", 0xFFFF, protocolMinor) ||
        !OptionalNumber(script, section, L"Language", 0xFFFF, language) ||
        !OptionalNumber(script, section, L"Country", 0xFFFF, country))
        return Invalid(error, "an Identity number is malformed");
    identity.Version.MajorNum = static_cast<TW_UINT16>(major);
    identity.Version.MinorNum = static_cast<TW_UINT16>(minor);
    identity.Version.Language = static_cast<TW_UINT16>(language);
    identity.Version.Country = static_cast<TW_UINT16>(country);
    identity.ProtocolMajor = static_cast<TW_UINT16>(protocolMajor);
    identity.ProtocolMinor = static_cast<TW_UINT16>(protocolMinor);
    identity.SupportedGroups = DG_CONTROL | DG_IMAGE | DF_DS2;
    return true;
}

bool SZKSimProfileReader::_ReadDevice(const CZKScript& script, CZKSimProfile& profile, std::string& error)
{
    const wchar_t* section = L"Device";
    unsigned long long sheets = 0;
    if (!OptionalNumber(script, section, L"Sheets", 1000000, sheets))
        return Invalid(error, "Device.Sheets is malformed");
    profile.sheets = static_cast<int>(sheets);
    unsigned long long reload = 0;
    if (!OptionalNumber(script, section, L"Reload", 1000000, reload))
        return Invalid(error, "Device.Reload is malformed");
    profile.reloadSheets = static_cast<int>(reload);
    std::string text;
    if (Text(script, section, L"UserInterface", text))
    {
        if (text != "OK" && text != "CANCEL")
            return Invalid(error, "Device.UserInterface must be OK or CANCEL");
        profile.uiResult = text == "OK" ? CZKSimProfile::UI_OK : CZKSimProfile::UI_CANCEL;
    }
    if (Text(script, section, L"NoPaper", text))
    {
        if (text == "CLOSEDSREQ")
            profile.noPaper = CZKSimProfile::NOPAPER_CLOSEDSREQ;
        else if (text == "WAIT")
            profile.noPaper = CZKSimProfile::NOPAPER_WAIT;
        else if (text == "FAIL")
            profile.noPaper = CZKSimProfile::NOPAPER_FAIL;
        else
            return Invalid(error, "Device.NoPaper must be CLOSEDSREQ, WAIT or FAIL");
    }
    if (Text(script, section, L"Events", text))
    {
        if (text != "ASYNC" && text != "SYNC")
            return Invalid(error, "Device.Events must be ASYNC or SYNC");
        profile.asyncEvents = text == "ASYNC";
    }
    if (Text(script, section, L"CustomData", text) && !HexBytes(text, profile.customData))
        return Invalid(error, "Device.CustomData must be hex bytes");
    CZKScriptItemList cameras;
    if (script.FindKeyValues(section, L"Camera", cameras))
        for (int i = 0; i < cameras.GetCount(); ++i)
        {
            std::string camera = Narrow(cameras.GetItem(i)->GetValue());
            if (camera.empty() || camera[0] != '/' || camera.size() >= sizeof(TW_STR255))
                return Invalid(error, "Device.Camera must be a path like /Camera_Top");
            profile.cameras.push_back(camera);
        }
    return true;
}

bool SZKSimProfileReader::_ReadCapability(const CZKScript& script, const std::wstring& name, CZKSimCapability& cap,
                                          std::string& error)
{
    const wchar_t* section = name.c_str();
    std::string text;
    unsigned long long id = 0;
    if (!Text(script, section, L"Id", text) || !Number(text, 0xFFFF, id))
        return Invalid(error, "Id is missing or malformed");
    cap.SetId(static_cast<TW_UINT16>(id));
    TW_UINT16 itemType = 0;
    if (!Text(script, section, L"Type", text) || !SZKSimItemCodec::ParseType(text, itemType))
        return Invalid(error, "Type is missing or unknown");
    cap.SetItemType(itemType);
    TW_UINT16 conType = TWON_ONEVALUE;
    if (Text(script, section, L"Container", text) && !Lookup(kContainers, std::size(kContainers), text, conType))
        return Invalid(error, "Container is unknown");
    cap.SetContainer(conType);
    TW_INT32 operations = TWQC_GET | TWQC_GETCURRENT | TWQC_GETDEFAULT;
    if (Text(script, section, L"Operations", text))
    {
        operations = 0;
        for (const std::string& word : Words(text, ','))
        {
            TW_UINT16 bit = 0;
            if (!Lookup(kOperations, std::size(kOperations), word, bit))
                return Invalid(error, "Operations names an unknown operation: " + word);
            operations |= bit;
        }
    }
    cap.SetOperations(operations);
    std::vector<ZKSimItem> items;
    if (Text(script, section, L"Items", text))
    {
        if (!SZKSimItemCodec::ParseList(itemType, text, items))
            return Invalid(error, "Items do not fit the type");
        cap.SetItems(items);
    }
    if (Text(script, section, L"DefaultItems", text))
    {
        if (!SZKSimItemCodec::ParseList(itemType, text, items))
            return Invalid(error, "DefaultItems do not fit the type");
        cap.SetDefaultItems(items);
    }
    if (Text(script, section, L"Allowed", text))
    {
        if (!SZKSimItemCodec::ParseList(itemType, text, items))
            return Invalid(error, "Allowed does not fit the type");
        cap.SetAllowedItems(items);
    }
    ZKSimItem value, min, max, step;
    if (Text(script, section, L"Current", text))
    {
        if (!SZKSimItemCodec::Parse(itemType, text, value))
            return Invalid(error, "Current does not fit the type");
        cap.SetCurrent(value);
    }
    if (Text(script, section, L"Default", text))
    {
        if (!SZKSimItemCodec::Parse(itemType, text, value))
            return Invalid(error, "Default does not fit the type");
        cap.SetDefault(value);
    }
    if (conType == TWON_RANGE)
    {
        std::string minText, maxText, stepText;
        if (!Text(script, section, L"Min", minText) || !Text(script, section, L"Max", maxText) ||
            !Text(script, section, L"Step", stepText) || !SZKSimItemCodec::Parse(itemType, minText, min) ||
            !SZKSimItemCodec::Parse(itemType, maxText, max) || !SZKSimItemCodec::Parse(itemType, stepText, step))
            return Invalid(error, "Min, Max and Step must fit the type");
        cap.SetRange(min, max, step);
    }
    return cap.Validate(error);
}

bool SZKSimProfileReader::_ReadFaults(const CZKScript& script, CZKSimProfile& profile, std::string& error)
{
    CZKScriptItemList items;
    if (script.FindKeyValues(L"Faults", L"Fail", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            std::vector<std::string> words = Words(Narrow(items.GetItem(i)->GetValue()), ' ');
            ZK_SIM_FAULT fault;
            unsigned long long condition = 0;
            if (words.size() != 4 || !ParseTriplet(words, fault) || !Number(words[3], 0xFFFF, condition))
                return Invalid(error, "Faults.Fail must be <DG> <DAT> <MSG> <condition code>");
            fault.condition = static_cast<TW_UINT16>(condition);
            profile.faults.push_back(fault);
        }
    if (script.FindKeyValues(L"Faults", L"Throw", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            std::vector<std::string> words = Words(Narrow(items.GetItem(i)->GetValue()), ' ');
            ZK_SIM_FAULT fault;
            if (words.size() != 3 || !ParseTriplet(words, fault))
                return Invalid(error, "Faults.Throw must be <DG> <DAT> <MSG>");
            fault.throws = true;
            profile.faults.push_back(fault);
        }
    return true;
}

bool SZKSimProfileReader::_ReadFeeding(const CZKScript& script, CZKSimProfile& profile, std::string& error)
{
    const wchar_t* section = L"Device";
    std::string text;
    if (Text(script, section, L"PageSize", text) && !ParsePageSize(text, profile))
        return Invalid(error, "Device.PageSize must be A3, A4, A5, LETTER, LEGAL or <width> <height> in inches");
    unsigned long long delay = 0;
    if (!OptionalNumber(script, section, L"PageDelay", 60000, delay))
        return Invalid(error, "Device.PageDelay must be milliseconds");
    profile.pageDelayMs = static_cast<int>(delay);
    Text(script, section, L"FileName", profile.fileName);
    if (Text(script, section, L"NativeFormat", text))
    {
        if (text != "DIB" && text != "TIFF")
            return Invalid(error, "Device.NativeFormat must be DIB or TIFF");
        profile.nativeTiff = text == "TIFF";
    }
    CZKScriptItemList items;
    if (script.FindKeyValues(section, L"LongPaper", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            std::vector<std::string> words = Words(Narrow(items.GetItem(i)->GetValue()), ' ');
            unsigned long long sheet = 0, segments = 0;
            if (words.size() != 2 || !Number(words[0], 1000000, sheet) || !Number(words[1], 1000, segments) ||
                sheet == 0 || segments == 0)
                return Invalid(error, "Device.LongPaper must be <sheet> <segments>");
            profile.longSheets.emplace_back(static_cast<int>(sheet), static_cast<int>(segments));
        }
    return true;
}

bool SZKSimProfileReader::_ReadSheetFaults(const CZKScript& script, CZKSimProfile& profile, std::string& error)
{
    for (const SheetFaultKey& key : kSheetFaultKeys)
    {
        CZKScriptItemList items;
        if (!script.FindKeyValues(L"Faults", key.key, items))
            continue;
        for (int i = 0; i < items.GetCount(); ++i)
        {
            unsigned long long sheet = 0;
            if (!Number(Narrow(items.GetItem(i)->GetValue()), 1000000, sheet) || sheet == 0)
                return Invalid(error, "Faults." + Narrow(key.key) + " must be a sheet number from 1");
            ZK_SIM_SHEET_FAULT fault;
            fault.kind = key.kind;
            fault.sheet = static_cast<int>(sheet);
            profile.sheetFaults.push_back(fault);
        }
    }
    return true;
}

bool SZKSimProfileReader::_ReadExtInfo(const CZKScript& script, const std::wstring& name, ZK_SIM_EXTINFO_ITEM& item,
                                       std::string& error)
{
    const wchar_t* section = name.c_str();
    std::string text;
    unsigned long long id = 0;
    if (!Text(script, section, L"Id", text) || !Number(text, 0xFFFF, id))
        return Invalid(error, "Id is missing or malformed");
    item.id = static_cast<TW_UINT16>(id);
    if (!Text(script, section, L"Type", text) || !SZKSimItemCodec::ParseType(text, item.itemType))
        return Invalid(error, "Type is missing or unknown");
    if (!Text(script, section, L"Value", item.value))
        return Invalid(error, "Value is missing");
    return true;
}

bool SZKSimProfileReader::_ReadCameraCapability(const CZKScript& script, const std::wstring& section,
                                                ZK_SIM_CAMERA_CAP& cap, std::string& error)
{
    const std::wstring rest = section.substr(wcslen(kCameraCapPrefix));
    const size_t dot = rest.find(L'.');
    if (dot == std::wstring::npos || dot == 0)
        return Invalid(error, "the section must be CameraCap.<camera>.<name>");
    cap.camera = Narrow(rest.substr(0, dot));
    return _ReadCapability(script, section, cap.cap, error);
}

bool SZKSimProfileReader::_ReadVendor(const CZKScript& script, ZK_SIM_VENDOR& vendor, std::string& error)
{
    const wchar_t* section = L"Vendor";
    vendor = ZK_SIM_VENDOR();
    if (!script.HasSection(section))
        return true;
    vendor.present = true;
    unsigned long long number = 0;
    if (!OptionalNumber(script, section, L"Model", 0x7FFFFFFF, number))
        return Invalid(error, "Vendor.Model is malformed");
    vendor.model = static_cast<int32_t>(number);
    number = 0;
    if (!OptionalNumber(script, section, L"Number", 0x7FFFFFFF, number))
        return Invalid(error, "Vendor.Number is malformed");
    vendor.number = static_cast<int32_t>(number);
    number = 0;
    if (!OptionalNumber(script, section, L"BusyAnswers", 1000, number))
        return Invalid(error, "Vendor.BusyAnswers is malformed");
    vendor.busyAnswers = static_cast<int>(number);
    Text(script, section, L"Info", vendor.info);
    Text(script, section, L"Product", vendor.product);
    CZKScriptItemList items;
    if (script.FindKeyValues(section, L"Profile", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            const std::vector<std::string> parts = Words(Narrow(items.GetItem(i)->GetValue()), '|');
            ZK_SIM_VENDOR_PROFILE profile;
            if (parts.size() != 4 || !Number(parts[0], 0xFFFF, number))
                return Invalid(error, "Vendor.Profile must be <index> | <id> | <name> | <text>");
            profile.index = static_cast<TW_UINT16>(number);
            profile.id = parts[1];
            profile.name = parts[2];
            profile.text = parts[3];
            vendor.profiles.push_back(profile);
        }
    if (script.FindKeyValues(section, L"Settings", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            const std::string text = Narrow(items.GetItem(i)->GetValue());
            const size_t space = text.find(' ');
            std::vector<uint8_t> bytes;
            if (space == std::string::npos || !Number(text.substr(0, space), 0xFFFF, number) ||
                !HexBytes(text.substr(space + 1), bytes))
                return Invalid(error, "Vendor.Settings must be <index> <hex bytes>");
            vendor.settings[static_cast<TW_UINT16>(number)] = bytes;
        }
    if (script.FindKeyValues(section, L"Broken", items))
        for (int i = 0; i < items.GetCount(); ++i)
        {
            const std::string what = Narrow(items.GetItem(i)->GetValue());
            if (what == "DEVICEINFO")
                vendor.unterminatedDeviceInfo = true;
            else if (what == "PROFILES")
                vendor.unterminatedProfileList = true;
            else if (what == "SETTINGS")
                vendor.overstatedSettings = true;
            else
                return Invalid(error, "Vendor.Broken must be DEVICEINFO, PROFILES or SETTINGS");
        }
    return true;
}
