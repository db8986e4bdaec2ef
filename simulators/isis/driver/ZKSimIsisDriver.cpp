#include "ZKSimIsisDriver.h"

#include <cstdio>
#include <cstring>
#include <new>
#include <stdexcept>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItem.h>
#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>

#include "ZKSimIsisProfileReader.h"

namespace
{
std::wstring ValueText(const ZK_SIM_TAG& tag)
{
    const ZK_SIM_TAG_VALUE& value = tag.values.front();
    if (tag.type == ZKISIS_TYPE_ASCII)
        return SZKCommon::MBStoWCS(value.text);
    if (tag.type == ZKISIS_TYPE_RATIONAL)
        return std::to_wstring(value.rational.numerator) + L"/" + std::to_wstring(value.rational.denominator);
    return std::to_wstring(value.longValue);
}

void SaveStore(CZKScript& script, const wchar_t* section, const CZKSimTagStore& store)
{
    for (const auto& entry : store.Tags())
        if (entry.second.type != ZKISIS_TYPE_POINTER && !entry.second.readOnly)
            script.SetKeyValue(std::to_wstring(entry.first).c_str(), ValueText(entry.second), 0, section);
}

bool LoadStore(const CZKScript& script, const wchar_t* section, CZKSimTagStore& store)
{
    CZKScriptItemList items;
    script.GetSectionItems(section, items);
    for (int i = 0; i < items.GetCount(); ++i)
    {
        const uint16_t id = static_cast<uint16_t>(std::wcstol(items.GetItem(i)->GetKey().c_str(), nullptr, 10));
        const ZK_SIM_TAG* tag = store.Find(id);
        if (!tag)
            return false;
        const std::string text = SZKCommon::WCStoMBS(items.GetItem(i)->GetValue());
        int32_t status = ZKISIS_ERR_BAD_VALUE;
        if (tag->type == ZKISIS_TYPE_ASCII)
            status = store.Handle(ZKISIS_MSG_SET_ASCII, id, const_cast<char*>(text.c_str()));
        else
        {
            ZKISIS_RATIONAL value = {0, 1};
            if (std::sscanf(text.c_str(), "%d/%d", &value.numerator, &value.denominator) >= 1)
                status = store.Handle(ZKISIS_MSG_SET_RATIONAL, id, &value);
        }
        if (status != ZKISIS_OK)
            return false;
    }
    return true;
}
} // namespace

CZKSimIsisDriver* CZKSimIsisDriver::Create(const std::string& driverPath)
{
    CZKSimIsisDriver* driver = new (std::nothrow) CZKSimIsisDriver;
    std::string error;
    if (!driver || !SZKSimIsisProfileReader::Read(SZKSimIsisProfileReader::ProfilePath(driverPath), driver->m_profile, error))
    {
        if (!error.empty())
            std::fprintf(stderr, "virtual ISIS driver %s: %s\n", driverPath.c_str(), error.c_str());
        delete driver;
        return nullptr;
    }
    const size_t slash = driverPath.find_last_of('/');
    driver->m_name = driverPath.substr(slash == std::string::npos ? 0 : slash + 1);
    return driver;
}

int32_t CZKSimIsisDriver::Message(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data)
{
    switch (message)
    {
    case ZKISIS_MSG_INIT: return ZKISIS_OK;
    case ZKISIS_MSG_SETUP: return m_profile.setupAnswer;
    case ZKISIS_MSG_SAVE_CONFIG: return _SaveConfig(static_cast<const ZKISIS_CONFIG_FILE*>(data));
    case ZKISIS_MSG_LOAD_CONFIG: return _LoadConfig(static_cast<const ZKISIS_CONFIG_FILE*>(data));
    case ZKISIS_MSG_RESET_CONFIG: return _AllStores(ZKISIS_MSG_SET_ALL_DEFAULT);
    case ZKISIS_MSG_SET_ALL_DEFAULT:
    case ZKISIS_MSG_SAVE_TAGS:
    case ZKISIS_MSG_FLUSH_TAGS:
    case ZKISIS_MSG_RESTORE_TAGS: return _AllStores(message);
    case ZKISIS_MSG_SCAN_START: return _StartScan();
    case ZKISIS_MSG_SCAN_PAGE: return _ScanSheet(module);
    case ZKISIS_MSG_SCAN_END: m_sheetsLeft = 0; return ZKISIS_OK;
    default: break;
    }
    if (CZKSimTagStore::IsTagMessage(message))
        return _Tag(message, param, data);
    return ZKISIS_ERR_BAD_MESSAGE;
}

int32_t CZKSimIsisDriver::_Tag(uint32_t message, uint32_t param, void* data)
{
    const uint16_t tag = static_cast<uint16_t>(param & 0xFFFF);
    if (const ZK_SIM_ISIS_FAULT* fault = _Fault(ZK_SIM_ISIS_FAULT::WRONG_TYPE, tag))
        return _FaultyAnswer(*fault, message, param, data);
    if (const ZK_SIM_ISIS_FAULT* fault = _Fault(ZK_SIM_ISIS_FAULT::WRONG_LENGTH, tag))
        return _FaultyAnswer(*fault, message, param, data);
    return _StoreFor(tag).Handle(message, param, data);
}

// A driver that answers what it was not asked: numbers of another type, or
// texts longer than the length it announced and than the buffer given.
int32_t CZKSimIsisDriver::_FaultyAnswer(const ZK_SIM_ISIS_FAULT& fault, uint32_t message, uint32_t param, void* data)
{
    const int32_t status = _StoreFor(fault.tag).Handle(message, param, data);
    if (fault.kind == ZK_SIM_ISIS_FAULT::WRONG_TYPE &&
        (message == ZKISIS_MSG_GET_LONG || message == ZKISIS_MSG_GET_RATIONAL) && data)
    {
        static_cast<ZKISIS_VALUE*>(data)->type = ZKISIS_TYPE_ASCII;
        return ZKISIS_OK;
    }
    if (fault.kind != ZK_SIM_ISIS_FAULT::WRONG_LENGTH || !data)
        return status;
    if (message == ZKISIS_MSG_GET_LENGTH && status == ZKISIS_OK)
        *static_cast<int32_t*>(data) = 1;
    if (message == ZKISIS_MSG_GET_ASCII)
    {
        ZKISIS_TEXT* text = static_cast<ZKISIS_TEXT*>(data);
        const std::string value = _StoreFor(fault.tag).Text(fault.tag);
        if (text->buffer && text->size > 0)
        {
            const size_t copied = std::min<size_t>(value.size(), text->size);
            std::memcpy(text->buffer, value.data(), copied); // no room left for the NUL
        }
        text->length = static_cast<uint32_t>(value.size());
        return ZKISIS_OK;
    }
    return status;
}

CZKSimTagStore& CZKSimIsisDriver::_StoreFor(uint16_t tag)
{
    if (m_profile.windowTags.count(tag))
    {
        auto window = m_profile.windows.find(static_cast<int32_t>(m_profile.tags.Number(ZKISIS_TAG_WINDOW, 0)));
        if (window != m_profile.windows.end())
            return window->second;
    }
    return m_profile.tags;
}

int32_t CZKSimIsisDriver::_AllStores(uint32_t message)
{
    m_profile.tags.Handle(message, 0, nullptr);
    for (auto& window : m_profile.windows)
        window.second.Handle(message, 0, nullptr);
    return ZKISIS_OK;
}

int32_t CZKSimIsisDriver::_SaveConfig(const ZKISIS_CONFIG_FILE* file) const
{
    if (!file || !file->path || !file->application || std::strcmp(file->application, "ISIS") != 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    CZKScript script;
    SaveStore(script, L"Driver", m_profile.tags);
    for (const auto& window : m_profile.windows)
        SaveStore(script, (L"Window." + std::to_wstring(window.first)).c_str(), window.second);
    return script.Save(SZKCommon::MBStoWCS(file->path)) ? ZKISIS_OK : ZKISIS_ERR_FILE;
}

// All or nothing: a file that does not fit leaves the settings as they were.
int32_t CZKSimIsisDriver::_LoadConfig(const ZKISIS_CONFIG_FILE* file)
{
    if (!file || !file->path || !file->application || std::strcmp(file->application, "ISIS") != 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    CZKScript script;
    if (!script.Load(SZKCommon::MBStoWCS(file->path)) || !script.HasSection(L"Driver"))
        return ZKISIS_ERR_BAD_VALUE;
    ZK_SIM_ISIS_PROFILE loaded = m_profile;
    if (!LoadStore(script, L"Driver", loaded.tags))
        return ZKISIS_ERR_BAD_VALUE;
    for (auto& window : loaded.windows)
        if (!LoadStore(script, (L"Window." + std::to_wstring(window.first)).c_str(), window.second))
            return ZKISIS_ERR_BAD_VALUE;
    m_profile.tags = loaded.tags;
    m_profile.windows = loaded.windows;
    return ZKISIS_OK;
}

const ZK_SIM_ISIS_FAULT* CZKSimIsisDriver::_Fault(ZK_SIM_ISIS_FAULT::EKind kind, int sheetOrTag) const
{
    for (const ZK_SIM_ISIS_FAULT& fault : m_profile.faults)
        if (fault.kind == kind && fault.sheet == sheetOrTag)
            return &fault;
    return nullptr;
}

int32_t CZKSimIsisDriver::_ScanType() const
{
    return static_cast<int32_t>(m_profile.tags.Number(ZKISIS_TAG_SCAN_TYPE, 3));
}
