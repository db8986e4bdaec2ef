// The toolkit environment: text values by section and key, for the process.
#pragma once

#include <map>
#include <mutex>
#include <string>

class CZKSimEnvironment
{
public:
    static CZKSimEnvironment& Instance();
    void Put(const std::string& section, const std::string& key, const std::string& value);
    bool Get(const std::string& section, const std::string& key, std::string& value) const;

private:
    mutable std::mutex m_lock;
    std::map<std::string, std::string> m_values; // "section\nkey" -> value
};
