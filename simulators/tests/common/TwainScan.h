// A scanning session for the transfer tests: a virtual production scanner
// with a chosen feeder, set up through raw capability calls, and the pages
// it is expected to deliver.
#pragma once

#include <string>
#include <vector>

#include <pellmark/ZKBitmapHandle.h>

#include "common/TwainTempFolder.h"
#include "common/TwainTestApp.h"

class CTwainScan
{
public:
    static constexpr const char* kProduct = "ZK Virtual Production Duplex";

    // deviceLines go into [Device] (Sheets first); sections are appended.
    CTwainScan(int sheets, const std::string& deviceLines = "", const std::string& sections = "");

    bool SetUint16(TW_UINT16 capability, TW_UINT16 value);
    bool SetResolution(double dpi);
    bool SetDeviceEvents(const std::vector<TW_UINT16>& events);
    TW_UINT16 ReadUint16(TW_UINT16 capability);
    // Enables without a dialog and waits for MSG_XFERREADY.
    bool Start();
    TW_UINT16 Image(TW_UINT16 dat, TW_MEMREF data) { return m_app.Call(&m_app.Source(), DG_IMAGE, dat, MSG_GET, data); }
    TW_UINT16 Control(TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data)
    {
        return m_app.Call(&m_app.Source(), DG_CONTROL, dat, msg, data);
    }
    // The pending count after the message; -2 when it failed.
    int Pending(TW_UINT16 msg);
    TW_UINT16 Condition() { return m_app.Condition(&m_app.Source()); }
    CTwainTestApp& App() { return m_app; }
    const std::string& Folder() const { return m_profiles.Path(); }

    // The page the generator makes for this scanner at the given format.
    static CZKBitmapHandle Expected(int sheet, int side, int segment, LONG width, LONG height, int bitsPerPixel,
                                    LONG dpi);

private:
    CTwainTempFolder m_profiles;
    CTwainTestApp m_app;
};
