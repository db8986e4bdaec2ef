// A snapshot of the scan windows of the open driver: the first and second
// window of each side, which the driver offers, which the current scan type
// uses, and each one's main settings.
#pragma once

#include <vector>

#include <goldmere/ZKISISTypes.h>
#include <goldmere/goldmere_export.h>

class CZKISISScannerDriver;

class GOLDMERE_EXPORT CZKISISWindowsList
{
public:
    // Four entries: windows 1, 2, -1, -2, nothing available.
    CZKISISWindowsList();
    virtual ~CZKISISWindowsList() = default;
    CZKISISWindowsList(const CZKISISWindowsList&) = default;
    CZKISISWindowsList& operator=(const CZKISISWindowsList&) = default;

    BOOL CreateList(CZKISISScannerDriver* driver);
    BOOL RetrieveExtraInfo(CZKISISScannerDriver* driver);

    BOOL GetAllWinodws(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const;
    BOOL GetAllAvailableWindows(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const;
    BOOL GetAllEnableWindows(std::vector<ZK_ISIS_WINDOWSINFO>& windows) const;
    int GetAllAvailableWindowsCount() const;
    int GetAllEnableWindowsCount() const;

    CZKISISWindowsList& CopyFrom(const CZKISISWindowsList& other);
    CZKISISWindowsList& CopyFrom(const std::vector<ZK_ISIS_WINDOWSINFO>& windows);

    // The entry of a window id; nullptr for an id other than 1, 2, -1, -2.
    ZK_ISIS_WINDOWSINFO* Find(long windowId);

protected:
    BOOL _GetCurrentScanOneWindow(ZK_ISIS_WINDOWSINFO& info, CZKISISScannerDriver* driver, long windowId);

private:
    BOOL _MarkEnabled(CZKISISScannerDriver* driver);
    void _EnableFirst(bool front, long count);

    std::vector<ZK_ISIS_WINDOWSINFO> m_windows;
};
