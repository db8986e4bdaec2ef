// The device event keys (HKEY_LOCAL_MACHINE, SYSTEM\CurrentControlSet\Control
// \Class\<internal name>\Events): reading the events, updating their
// launch lists, removing program registrations. Failures raise CZKException.
#pragma once

#include <mirelight/QX_IMAGEDEVICE_EVENT.h>

#include <string>
#include <vector>

class CQXDeviceEventKeys
{
public:
    // Relative to HKEY_LOCAL_MACHINE, as the event records carry it.
    static std::wstring EventsKeyPath(const std::wstring& internalName);
    static std::wstring FullKey(const std::wstring& keyPath);

    // Events in enumeration order; a key missing one of its values (or with
    // one of another type or too long) is skipped; a GUID that does not
    // convert raises.
    static std::vector<QX_IMAGEDEVICE_EVENT> ReadEvents(const std::wstring& internalName);

    // Removes every occurrence of appName from the launch list of every event
    // and, when adding, appends it once. All lists are read and checked
    // before the first is written, so a bad one changes nothing.
    static void UpdateLaunchLists(const std::wstring& internalName, const std::wstring& appName,
                                  bool add);

    // Deletes every subkey of every event key whose "Desc" is appName.
    static void DeleteProgramKeys(const std::wstring& internalName, const std::wstring& appName);

    // "{...}" or bare GUID text to a GUID; raises when it does not convert.
    static GUID ParseGuid(const std::wstring& text);

    // Without the blanks around it; raises when nothing is left.
    static std::wstring TrimmedName(const wchar_t* internalName);
};
