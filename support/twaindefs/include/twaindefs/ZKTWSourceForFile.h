// For data-source files copied under several names: one source object per
// file path as the manager loaded it, each a scanner of its own, made on
// first use and kept for the life of the process.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>

template <class Source> Source& ZKTWSourceForFile(const std::string& sourceFile)
{
    static std::mutex lock;
    static std::map<std::string, std::unique_ptr<Source>> sources;
    std::lock_guard<std::mutex> guard(lock);
    std::unique_ptr<Source>& source = sources[sourceFile];
    if (!source)
        source = std::make_unique<Source>(sourceFile);
    return *source;
}
