#include "ZKSimIsisProfileReader.h"

#include <cstdlib>
#include <cstring>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>
#include <hollin/ZKScriptItem.h>
#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>

namespace
{
struct NamedFault
{
    const char* name;
    ZK_SIM_ISIS_FAULT::EKind kind;
};

const NamedFault kFaults[] = {{"PaperJam", ZK_SIM_ISIS_FAULT::PAPER_JAM},
                              {"DoubleFeed", ZK_SIM_ISIS_FAULT::DOUBLE_FEED},
                              {"OutOfMemory", ZK_SIM_ISIS_FAULT::OUT_OF_MEMORY},
                              {"Cancel", ZK_SIM_ISIS_FAULT::CANCEL},
                              {"Throw", ZK_SIM_ISIS_FAULT::THROW},
                              {"Stall", ZK_SIM_ISIS_FAULT::STALL},
                              {"LongBlock", ZK_SIM_ISIS_FAULT::LONG_BLOCK},
                              {"EndWithoutBegin", ZK_SIM_ISIS_FAULT::END_WITHOUT_BEGIN},
                              {"WrongType", ZK_SIM_ISIS_FAULT::WRONG_TYPE},
                              {"WrongLength", ZK_SIM_ISIS_FAULT::WRONG_LENGTH}};

struct PaperSize
{
    const char* name;
    double width, height;
};

const PaperSize kPaperSizes[] = {{"A4", 8.27, 11.69}, {"A5", 5.83, 8.27}, {"A6", 4.13, 5.83},
                                 {"LETTER", 8.5, 11}, {"LEGAL", 8.5, 14}};

class Reader
{
public:
    Reader(const CZKScript& script, ZK_SIM_ISIS_PROFILE& profile, std::string& error)
        : m_script(script), m_profile(profile), m_error(error)
    {
    }

    bool Run()
    {
        if (!_ReadDriver())
            return false;
        CZKStringList sections;
        m_script.GetSectionNames(sections);
        for (int i = 0; i < sections.GetCount(); ++i)
            if (sections.GetAt(i).rfind(L"Tag.", 0) == 0 && !_ReadTag(sections.GetAt(i)))
                return false;
        _CreateWindows();
        for (int i = 0; i < sections.GetCount(); ++i)
            if (sections.GetAt(i).rfind(L"Window.", 0) == 0 && !_ReadWindow(sections.GetAt(i)))
                return false;
        return true;
    }

private:
    bool _Fail(const std::string& why)
    {
        m_error = why;
        return false;
    }

    std::string _Text(const wchar_t* section, const wchar_t* key) const
    {
        std::wstring value;
        m_script.GetKeyValue(key, value, 0, section);
        return SZKCommon::WCStoMBS(value);
    }

    bool _ReadDriver()
    {
        CZKScriptItemList models;
        if (!m_script.FindKeyValues(L"Driver", L"Model", models))
            return _Fail("no Model in [Driver]");
        for (int i = 0; i < models.GetCount(); ++i)
            m_profile.models.push_back(SZKCommon::WCStoMBS(models.GetItem(i)->GetValue()));
        const std::string sheets = _Text(L"Driver", L"Sheets");
        m_profile.sheets = sheets.empty() ? 1 : std::atoi(sheets.c_str());
        m_profile.distinctSheets = std::atoi(_Text(L"Driver", L"DistinctSheets").c_str());
        const std::string block = _Text(L"Driver", L"BlockSize");
        if (!block.empty())
            m_profile.blockSize = static_cast<uint32_t>(std::strtoul(block.c_str(), nullptr, 10));
        if (m_profile.blockSize == 0 || m_profile.sheets < 0)
            return _Fail("bad Sheets or BlockSize");
        const std::string stall = _Text(L"Driver", L"StallMs");
        if (!stall.empty())
            m_profile.stallMs = static_cast<uint32_t>(std::strtoul(stall.c_str(), nullptr, 10));
        const std::string setup = _Text(L"Driver", L"SetupAnswer");
        m_profile.setupAnswer = setup.empty() ? 0 : std::atoi(setup.c_str());
        return _ReadPageSize(_Text(L"Driver", L"PageSize")) && _ReadFaults();
    }

    bool _ReadPageSize(const std::string& text)
    {
        if (text.empty())
            return true;
        for (const PaperSize& size : kPaperSizes)
            if (strcasecmp(size.name, text.c_str()) == 0)
            {
                m_profile.pageWidth = size.width;
                m_profile.pageHeight = size.height;
                return true;
            }
        if (std::sscanf(text.c_str(), "%lf x %lf", &m_profile.pageWidth, &m_profile.pageHeight) != 2 ||
            m_profile.pageWidth <= 0 || m_profile.pageHeight <= 0)
            return _Fail("bad PageSize " + text);
        return true;
    }

    bool _ReadFaults()
    {
        CZKScriptItemList faults;
        m_script.FindKeyValues(L"Driver", L"Fault", faults);
        for (int i = 0; i < faults.GetCount(); ++i)
        {
            const std::string text = SZKCommon::WCStoMBS(faults.GetItem(i)->GetValue());
            char name[32] = {};
            int number = 0;
            if (std::sscanf(text.c_str(), "%31s %d", name, &number) != 2)
                return _Fail("bad Fault " + text);
            bool known = false;
            for (const NamedFault& fault : kFaults)
                if (strcasecmp(fault.name, name) == 0)
                {
                    ZK_SIM_ISIS_FAULT entry;
                    entry.kind = fault.kind;
                    entry.sheet = entry.tag = number;
                    m_profile.faults.push_back(entry);
                    known = true;
                }
            if (!known)
                return _Fail("unknown Fault " + text);
        }
        return true;
    }

    static bool _Value(int32_t type, const std::string& text, ZK_SIM_TAG_VALUE& value)
    {
        if (type == ZKISIS_TYPE_ASCII)
        {
            value.text = text;
            return true;
        }
        char* end = nullptr;
        const long number = std::strtol(text.c_str(), &end, 10);
        if (end == text.c_str())
            return false;
        long denominator = 1;
        if (*end == '/')
            denominator = std::strtol(end + 1, &end, 10);
        if (denominator == 0)
            return false;
        value.longValue = static_cast<int32_t>(number / denominator);
        value.rational = {static_cast<int32_t>(number), static_cast<int32_t>(denominator)};
        return true;
    }

    static bool _List(int32_t type, const std::string& text, std::vector<ZK_SIM_TAG_VALUE>& values)
    {
        values.clear();
        for (const std::wstring& item : SZKCommon::SplitCommandLine(SZKCommon::MBStoWCS(text), L','))
        {
            std::string trimmed = SZKCommon::WCStoMBS(item);
            trimmed.erase(0, trimmed.find_first_not_of(' '));
            ZK_SIM_TAG_VALUE value;
            if (!_Value(type, trimmed, value))
                return false;
            values.push_back(value);
        }
        return true;
    }

    bool _ReadTag(const std::wstring& section)
    {
        const std::string name = SZKCommon::WCStoMBS(section);
        const uint16_t id = static_cast<uint16_t>(std::atoi(name.c_str() + 4));
        ZK_SIM_TAG tag;
        const std::string type = _Text(section.c_str(), L"Type");
        tag.type = type == "RATIONAL" ? ZKISIS_TYPE_RATIONAL : type == "ASCII" ? ZKISIS_TYPE_ASCII : ZKISIS_TYPE_LONG;
        const std::string value = _Text(section.c_str(), L"Value");
        if (!value.empty() && !_Value(tag.type, value, tag.values.front()))
            return _Fail("bad Value in " + name);
        tag.defaults = tag.values;
        if (!_List(tag.type, _Text(section.c_str(), L"Choices"), tag.choices))
            return _Fail("bad Choices in " + name);
        const std::string range = _Text(section.c_str(), L"Range");
        if (!range.empty())
        {
            if (std::sscanf(range.c_str(), "%d , %d , %d", &tag.rangeMin, &tag.rangeMax, &tag.rangeStep) != 3)
                return _Fail("bad Range in " + name);
            tag.hasRange = true;
        }
        tag.readOnly = _Text(section.c_str(), L"ReadOnly") == "1";
        if (_Text(section.c_str(), L"PerWindow") == "1")
            m_profile.windowTags.insert(id);
        m_profile.tags.Define(id, tag);
        return true;
    }

    void _CreateWindows()
    {
        const ZK_SIM_TAG* window = m_profile.tags.Find(ZKISIS_TAG_WINDOW);
        if (!window)
            return;
        for (const ZK_SIM_TAG_VALUE& choice : window->choices)
        {
            if (choice.longValue == 0)
                continue;
            CZKSimTagStore& store = m_profile.windows[choice.longValue];
            for (uint16_t tag : m_profile.windowTags)
                store.Define(tag, *m_profile.tags.Find(tag));
        }
    }

    bool _ReadWindow(const std::wstring& section)
    {
        const std::string name = SZKCommon::WCStoMBS(section);
        auto window = m_profile.windows.find(std::atoi(name.c_str() + 7));
        if (window == m_profile.windows.end())
            return _Fail(name + " is not a choice of tag 1690");
        CZKScriptItemList items;
        m_script.GetSectionItems(section.c_str(), items);
        for (int i = 0; i < items.GetCount(); ++i)
        {
            const std::string key = SZKCommon::WCStoMBS(items.GetItem(i)->GetKey());
            const std::string value = SZKCommon::WCStoMBS(items.GetItem(i)->GetValue());
            ZK_SIM_TAG* tag = window->second.Find(static_cast<uint16_t>(std::atoi(key.c_str())));
            if (!tag)
                return _Fail("tag " + key + " of " + name + " is not PerWindow");
            const bool choices = key.find(".Choices") != std::string::npos;
            const bool read = choices ? _List(tag->type, value, tag->choices)
                                      : _Value(tag->type, value, tag->values.front());
            if (!read)
                return _Fail("bad " + key + " in " + name);
            tag->defaults = tag->values;
        }
        return true;
    }

    const CZKScript& m_script;
    ZK_SIM_ISIS_PROFILE& m_profile;
    std::string& m_error;
};
} // namespace

bool SZKSimIsisProfileReader::Read(const std::string& path, ZK_SIM_ISIS_PROFILE& profile, std::string& error)
{
    CZKScript script;
    if (!script.Load(SZKCommon::MBStoWCS(path)))
    {
        error = "cannot load " + path;
        return false;
    }
    return Reader(script, profile, error).Run();
}

std::string SZKSimIsisProfileReader::ProfilePath(const std::string& driverPath)
{
    const size_t dot = driverPath.find_last_of('.');
    const size_t slash = driverPath.find_last_of('/');
    const bool hasExtension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (hasExtension ? driverPath.substr(0, dot) : driverPath) + ".profile";
}
