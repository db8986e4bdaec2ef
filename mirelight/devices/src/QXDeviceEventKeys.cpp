#include "QXDeviceEventKeys.h"

#include <hollin/ZKDebugLog.h>
#include <hollin/ZKException.h>
#include <hollin/ZKUUID.h>
#include <wincompat/ZKRegistry.h>

#include <boost/algorithm/string/classification.hpp>
#include <boost/algorithm/string/join.hpp>
#include <boost/algorithm/string/split.hpp>

#include <algorithm>
#include <cwctype>
#include <utility>

namespace
{
const wchar_t* const kHive = L"HKEY_LOCAL_MACHINE\\";
const wchar_t* const kClassKey = L"SYSTEM\\CurrentControlSet\\Control\\Class\\";
const wchar_t* const kLaunchApplications = L"LaunchApplications";
// The platform reads these through fixed buffers: longer names and values
// do not read.
constexpr size_t kMaxKeyNameLength = 256;
constexpr size_t kMaxValueBytes = 512;

void Log(const std::wstring& text, int level = 0)
{
    SZKDebugLog::Log(text, level, "MIRELIGHT");
}

// A REG_SZ value that fits the value buffer (UTF-16 with its terminator).
bool QueryBoundedString(const CZKRegistry& registry, const std::wstring& key,
                        const std::wstring& name, std::wstring& out)
{
    std::wstring text;
    if (!registry.QueryString(key, name, text) || (text.size() + 1) * 2 > kMaxValueBytes)
        return false;
    out = text;
    return true;
}

std::wstring UpdatedList(const std::wstring& list, const std::wstring& appName, bool add)
{
    std::vector<std::wstring> items;
    boost::split(items, list, boost::is_any_of(L","));
    items.erase(std::remove(items.begin(), items.end(), appName), items.end());
    // An empty list splits into one empty item; it stays out of the result.
    if (items.size() == 1 && items.front().empty())
        items.clear();
    if (add)
        items.push_back(appName);
    return boost::join(items, L",");
}
} // namespace

std::wstring CQXDeviceEventKeys::EventsKeyPath(const std::wstring& internalName)
{
    return kClassKey + internalName + L"\\Events";
}

std::wstring CQXDeviceEventKeys::FullKey(const std::wstring& keyPath)
{
    return kHive + keyPath;
}

std::vector<QX_IMAGEDEVICE_EVENT> CQXDeviceEventKeys::ReadEvents(const std::wstring& internalName)
{
    CZKRegistry registry;
    const std::wstring eventsPath = EventsKeyPath(internalName);
    if (!registry.KeyExists(FullKey(eventsPath)))
        CZKException::Throw();
    std::vector<QX_IMAGEDEVICE_EVENT> events;
    for (const std::wstring& subkey : registry.EnumSubKeys(FullKey(eventsPath)))
    {
        QX_IMAGEDEVICE_EVENT event;
        event.strKeyPath = eventsPath + L"\\" + subkey;
        const std::wstring key = FullKey(event.strKeyPath);
        std::wstring guidText;
        if (subkey.size() > kMaxKeyNameLength ||
            !QueryBoundedString(registry, key, L"", event.strDescription) ||
            !QueryBoundedString(registry, key, L"GUID", guidText) ||
            !QueryBoundedString(registry, key, kLaunchApplications, event.strLaunchApplications))
        {
            Log(L"device event skipped (values missing or unreadable): " + event.strKeyPath, 1);
            continue;
        }
        event.guidEvent = ParseGuid(guidText);
        events.push_back(std::move(event));
    }
    return events;
}

void CQXDeviceEventKeys::UpdateLaunchLists(const std::wstring& internalName,
                                           const std::wstring& appName, bool add)
{
    CZKRegistry registry;
    std::vector<std::pair<std::wstring, std::wstring>> updates; // key, new list
    for (const QX_IMAGEDEVICE_EVENT& event : ReadEvents(internalName))
    {
        const std::wstring key = FullKey(event.strKeyPath);
        std::wstring list;
        if (!QueryBoundedString(registry, key, kLaunchApplications, list))
        {
            Log(L"launch list unreadable: " + event.strKeyPath);
            CZKException::Throw();
        }
        updates.emplace_back(key, UpdatedList(list, appName, add));
    }
    for (const auto& update : updates)
        if (!registry.SetString(update.first, kLaunchApplications, update.second))
            CZKException::Throw();
}

void CQXDeviceEventKeys::DeleteProgramKeys(const std::wstring& internalName,
                                           const std::wstring& appName)
{
    CZKRegistry registry;
    const std::wstring events = FullKey(EventsKeyPath(internalName));
    if (!registry.KeyExists(events))
        CZKException::Throw();
    for (const std::wstring& eventName : registry.EnumSubKeys(events))
    {
        const std::wstring eventKey = events + L"\\" + eventName;
        for (const std::wstring& programName : registry.EnumSubKeys(eventKey))
        {
            const std::wstring programKey = eventKey + L"\\" + programName;
            std::wstring description;
            if (registry.QueryString(programKey, L"Desc", description) && description == appName &&
                !registry.DeleteKey(programKey, true))
                CZKException::Throw();
        }
    }
}

GUID CQXDeviceEventKeys::ParseGuid(const std::wstring& text)
{
    std::wstring body = text;
    if (!body.empty() && body.front() == L'{')
        body.erase(0, 1);
    if (!body.empty() && body.back() == L'}')
        body.pop_back();
    GUID guid = SZKUUID::CreateNilUUID();
    if (!SZKUUID::StringToUUID(body, guid))
    {
        Log(L"malformed event GUID: " + text);
        CZKException::Throw();
    }
    return guid;
}

std::wstring CQXDeviceEventKeys::TrimmedName(const wchar_t* internalName)
{
    std::wstring name = internalName ? internalName : L"";
    auto blank = [](wchar_t c) { return std::iswspace(c) != 0; };
    name.erase(name.begin(), std::find_if_not(name.begin(), name.end(), blank));
    name.erase(std::find_if_not(name.rbegin(), name.rend(), blank).base(), name.end());
    if (name.empty())
        CZKException::Throw();
    return name;
}
