#include "common/TwainScan.h"

#include <fstream>
#include <iterator>

#include "ZKSimPageGenerator.h"
#include "common/TwainCapability.h"

CTwainScan::CTwainScan(int sheets, const std::string& deviceLines, const std::string& sections)
{
    std::ifstream in(TWAIN_TEST_FOLDERS::SampleProfiles() + "/production_duplex.profile");
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string sample = "Sheets = 10";
    const size_t at = text.find(sample);
    if (at != std::string::npos)
        text.replace(at, sample.size(), "Sheets = " + std::to_string(sheets) + "\n" + deviceLines);
    m_profiles.Write("a.profile", text + "\n" + sections);
    CTwainTestApp::UseProfiles(m_profiles.Path());
    // Listing makes the source read the profile folder again.
    if (m_app.OpenDsm() == TWRC_SUCCESS && !m_app.ListSources().empty())
        m_app.OpenSource(kProduct);
}

bool CTwainScan::SetUint16(TW_UINT16 capability, TW_UINT16 value)
{
    CTwainCapability cap(capability, TWON_ONEVALUE, CTwainCapability::OneValue(TWTY_UINT16, &value, sizeof(value)));
    return Control(DAT_CAPABILITY, MSG_SET, &cap) == TWRC_SUCCESS;
}

bool CTwainScan::SetResolution(double dpi)
{
    const TW_FIX32 value{static_cast<TW_INT16>(dpi), 0};
    for (TW_UINT16 id : {ICAP_XRESOLUTION, ICAP_YRESOLUTION})
    {
        CTwainCapability cap(id, TWON_ONEVALUE, CTwainCapability::OneValue(TWTY_FIX32, &value, sizeof(value)));
        if (Control(DAT_CAPABILITY, MSG_SET, &cap) != TWRC_SUCCESS)
            return false;
    }
    return true;
}

bool CTwainScan::SetDeviceEvents(const std::vector<TW_UINT16>& events)
{
    CTwainCapability cap(CAP_DEVICEEVENT, TWON_ARRAY,
                         CTwainCapability::Array(TWTY_UINT16, events.data(), events.size(), sizeof(TW_UINT16)));
    return Control(DAT_CAPABILITY, MSG_SET, &cap) == TWRC_SUCCESS;
}

TW_UINT16 CTwainScan::ReadUint16(TW_UINT16 capability)
{
    CTwainCapability cap(capability);
    if (Control(DAT_CAPABILITY, MSG_GETCURRENT, &cap) != TWRC_SUCCESS)
        return 0xFFFF;
    return cap.ItemAt<TW_UINT16>(offsetof(TW_ONEVALUE, Item));
}

bool CTwainScan::Start()
{
    return m_app.Enable(MSG_ENABLEDS, false) == TWRC_SUCCESS && m_app.WaitForEvent() == MSG_XFERREADY;
}

int CTwainScan::Pending(TW_UINT16 msg)
{
    TW_PENDINGXFERS pending{};
    if (Control(DAT_PENDINGXFERS, msg, &pending) != TWRC_SUCCESS)
        return -2;
    return pending.Count;
}

CZKBitmapHandle CTwainScan::Expected(int sheet, int side, int segment, LONG width, LONG height, int bitsPerPixel,
                                     LONG dpi)
{
    ZK_SIM_PAGE_FORMAT format;
    format.width = width;
    format.height = height;
    format.bitsPerPixel = bitsPerPixel;
    format.xDpi = format.yDpi = dpi;
    CZKBitmapHandle page;
    SZKSimPageGenerator::Generate(format, SZKSimPageGenerator::Seed(kProduct, sheet, side, segment), page);
    return page;
}
