#include "ZKSimEnvironment.h"

CZKSimEnvironment& CZKSimEnvironment::Instance()
{
    static CZKSimEnvironment environment;
    return environment;
}

void CZKSimEnvironment::Put(const std::string& section, const std::string& key, const std::string& value)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_values[section + '\n' + key] = value;
}

bool CZKSimEnvironment::Get(const std::string& section, const std::string& key, std::string& value) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    auto it = m_values.find(section + '\n' + key);
    if (it == m_values.end())
        return false;
    value = it->second;
    return true;
}
