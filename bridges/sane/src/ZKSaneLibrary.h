// libsane's lifetime in this process: initialised while someone uses it,
// left again when the last user goes, so an idle bridge holds no backend,
// no device and no USB or network probe open.
#pragma once

#include <string>
#include <vector>

struct ZK_SANE_DEVICE_INFO
{
    std::string name; // "test:0"
    std::string vendor;
    std::string model;
    std::string type;
};

class CZKSaneLibrary
{
public:
    // One use of the library; sane_init on the first, sane_exit after the last.
    CZKSaneLibrary();
    ~CZKSaneLibrary();
    CZKSaneLibrary(const CZKSaneLibrary&) = delete;
    CZKSaneLibrary& operator=(const CZKSaneLibrary&) = delete;

    bool IsReady() const { return m_ready; }
    // Local devices only: network backends may wait long for answers.
    std::vector<ZK_SANE_DEVICE_INFO> Devices() const;

private:
    bool m_ready = false;
};
