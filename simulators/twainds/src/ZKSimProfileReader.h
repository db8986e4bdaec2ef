// Reads a scanner profile (a script file) into a CZKSimProfile.
//
//   [Identity]      Manufacturer, ProductFamily, ProductName, VersionInfo,
//                   VersionMajor, VersionMinor, ProtocolMajor, ProtocolMinor,
//                   Language, Country
//   [Device]        Sheets (paper in the feeder), UserInterface (OK|CANCEL),
//                   NoPaper (CLOSEDSREQ|WAIT|FAIL), Events (ASYNC|SYNC),
//                   CustomData (hex bytes), Camera (repeated, "/Camera_...")
//   [Cap.<name>]    one per capability: Id (0x...), Type (UINT16, FIX32, ...),
//                   Container (ONEVALUE|ENUMERATION|ARRAY|RANGE), Items,
//                   Current, Default, DefaultItems, Min, Max, Step,
//                   Operations (GET,GETCURRENT,GETDEFAULT,SET,RESET,QUERYSUPPORT)
//                   PageSize (A3|A4|A5|LETTER|LEGAL|<width> <height> inches),
//                   PageDelay (ms per image), LongPaper = <sheet> <segments>
//                   (repeated), FileName (default file-transfer target)
//   [Faults]        Fail = <DG> <DAT> <MSG> <condition code>  (repeated)
//                   Throw = <DG> <DAT> <MSG>                  (repeated)
//                   PaperJam, DoubleFeed, Offline, Cancel, RefuseMemory
//                   = <sheet>                                 (repeated)
//   [ExtInfo.<name>] vendor extended image info: Id, Type, Value
//   [CameraCap.<camera>.<name>] a capability as above whose values belong to
//                   one camera directory ("/Camera_Color_Top"); it answers
//                   while that directory is the current one
//   [Vendor]        the maker's vendor commands: Model, Info, Product, Number
//                   (device information), Profile = <index> | <id> | <name> |
//                   <text> (repeated), Settings = <index> <hex bytes>
//                   (repeated), BusyAnswers (no-wait MSG_ENDXFER answers
//                   0x8001 this often per image), Broken = DEVICEINFO |
//                   PROFILES | SETTINGS (repeated: answers of a bad driver)
#pragma once

#include <string>

#include "ZKSimProfile.h"

class CZKScript;

class SZKSimProfileReader
{
public:
    static bool Load(const std::string& path, CZKSimProfile& profile, std::string& error);
    static bool Read(const CZKScript& script, CZKSimProfile& profile, std::string& error);

private:
    static bool _ReadIdentity(const CZKScript& script, TW_IDENTITY& identity, std::string& error);
    static bool _ReadDevice(const CZKScript& script, CZKSimProfile& profile, std::string& error);
    static bool _ReadCapability(const CZKScript& script, const std::wstring& section, CZKSimCapability& cap,
                                std::string& error);
    static bool _ReadFaults(const CZKScript& script, CZKSimProfile& profile, std::string& error);
    static bool _ReadFeeding(const CZKScript& script, CZKSimProfile& profile, std::string& error);
    static bool _ReadSheetFaults(const CZKScript& script, CZKSimProfile& profile, std::string& error);
    static bool _ReadVendor(const CZKScript& script, ZK_SIM_VENDOR& vendor, std::string& error);
    static bool _ReadCameraCapability(const CZKScript& script, const std::wstring& section,
                                      ZK_SIM_CAMERA_CAP& cap, std::string& error);
    static bool _ReadExtInfo(const CZKScript& script, const std::wstring& section, ZK_SIM_EXTINFO_ITEM& item,
                             std::string& error);
};
