#include "QXTWAINCameraAccess.h"

#include <mirelight/QX_SCANNER_CAMERAINFO.h>

#include <fennick/ZKTWHelper.h>
#include <fennick/ZKTWSourceManager.h>
#include <hollin/ZKCommon.h>
#include <twaindefs/ZKTwainConstants.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace
{
int32_t Rounded(double value)
{
    return static_cast<int32_t>(std::floor(value + 0.5));
}
} // namespace

BOOL CQXTWAINCameraAccess::_ChangeTo(int camera)
{
    if (camera < 0 || camera >= QX_SCANNER_CAMERAINFO::CAMERA_COUNT)
        return FALSE;
    char path[256] = {};
    const std::string name = SZKCommon::WCStoMBS(QX_SCANNER_CAMERAINFO::FILESYSTEM_NAMES[camera]);
    std::memcpy(path, name.data(), std::min(name.size(), sizeof(path) - 1));
    return ZKTWSucceeded(m_manager->ChangeDirectory(path)) ? TRUE : FALSE;
}

bool CQXTWAINCameraAccess::_CanSet(WORD cap)
{
    ZKTW_CAPABILITY_SUPPORT support;
    return m_manager->QueryCapSupport(cap, support) && support.bSet;
}

BOOL CQXTWAINCameraAccess::Read(int camera, QX_SCANNER_CAMERA& out)
{
    out.reset();
    const bool bitonal = IsBitonalCamera(camera);
    out.nColorMode = bitonal ? QX_SCANNER_CAMERA::MODE_BITONAL : QX_SCANNER_CAMERA::MODE_COLOR;
    if (!_ChangeTo(camera))
        return FALSE;
    TW_BOOL flag = 0;
    if (m_manager->GetCapOnevalue(CAP_CAMERAENABLED, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &flag) ==
        ZKTW_CAP_SUCCESS)
        out.bEnabled = flag ? 1 : 0;
    if (bitonal)
        out.nColorModeMask = QX_SCANNER_CAMERA::MODE_BITONAL;
    else
    {
        out.nColorModeMask = QX_SCANNER_CAMERA::MODE_GRAY | QX_SCANNER_CAMERA::MODE_COLOR;
        if (m_manager->GetCapOnevalue(CAP_GRAYMODE, ZKTW_GETCAP_CURRENT, TWTY_BOOL, &flag) ==
            ZKTW_CAP_FAILURE)
            return FALSE;
        out.nColorMode = flag ? QX_SCANNER_CAMERA::MODE_GRAY : QX_SCANNER_CAMERA::MODE_COLOR;
    }
    _ReadResolution(ICAP_XRESOLUTION, out.XResolution);
    _ReadResolution(ICAP_YRESOLUTION, out.YResolution);
    out.bAvailable = 1;
    if (bitonal)
    {
        out.advCaps.bHalftone = out.bEnabled;
        _ReadHalftones(out.advCaps);
        _ReadAdjustment(ICAP_THRESHOLD, out.advCaps.nThreshold, out.advCaps.bThresholdReadOnly);
        _ReadAdjustment(ICAP_CONTRAST, out.advCaps.nContrast, out.advCaps.bContrastReadOnly);
    }
    return TRUE;
}

BOOL CQXTWAINCameraAccess::_ReadResolution(WORD cap, QX_RES_TYPE& resolution)
{
    TW_FIX32 value{};
    if (m_manager->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &value) != ZKTW_CAP_SUCCESS)
        return FALSE;
    EZKTWImageUnit unit = ZKTW_UNIT_INCHES;
    m_manager->GetUnit(unit);
    // Dots per unit become dots per inch: times the units in an inch.
    double perInch = CZKTWHelper::Fix32ToDouble(value);
    if (unit != ZKTW_UNIT_INCHES && unit != ZKTW_UNIT_PIXELS)
        perInch *= CZKTWHelper::ConvertUnit(ZKTW_UNIT_INCHES, 1.0, unit);
    const int32_t dpi = Rounded(perInch);
    if (dpi < 0 || dpi > 0xFFFF)
        return FALSE;
    resolution.value = static_cast<WORD>(dpi);
    return TRUE;
}

void CQXTWAINCameraAccess::_ReadHalftones(QX_SCANNER_CAMERA_ADVCAP_TW& caps)
{
    DWORD current = 0;
    DWORD fallback = 0;
    void* items = nullptr;
    unsigned count = 0;
    if (m_manager->GetCapEnumeration(ICAP_HALFTONES, ZKTW_GETCAP_GET, TWTY_STR32, current, fallback,
                                     &items, count) != ZKTW_CAP_SUCCESS)
        return;
    const auto* names = static_cast<const TW_STR32*>(items);
    for (unsigned i = 0; i < count; ++i)
    {
        const std::wstring name =
            SZKCommon::MBStoWCS(std::string(names[i], strnlen(names[i], sizeof(TW_STR32))));
        caps.halftones.AddTail(name);
        if (i == current)
            caps.strHalftone = name;
    }
    std::free(items);
}

void CQXTWAINCameraAccess::_ReadAdjustment(WORD cap, int32_t& value, BOOL& readOnly)
{
    TW_FIX32 current{};
    if (m_manager->GetCapOnevalue(cap, ZKTW_GETCAP_CURRENT, TWTY_FIX32, &current) ==
        ZKTW_CAP_SUCCESS)
        value = Rounded(CZKTWHelper::Fix32ToDouble(current));
    readOnly = _CanSet(cap) ? 0 : 1;
}

BOOL CQXTWAINCameraAccess::Write(int camera, const QX_SCANNER_CAMERA& in, DWORD options)
{
    if (!_ChangeTo(camera))
        return FALSE;
    const auto wanted = [options](DWORD bit)
    { return options == WRITE_ALL || (options & bit) != 0; };
    BOOL written = TRUE;
    if (wanted(WRITE_ENABLED))
    {
        const TW_BOOL enabled = in.bEnabled ? 1 : 0;
        written &=
            m_manager->SetCapOnevalue(CAP_CAMERAENABLED, TWTY_BOOL, &enabled) == ZKTW_CAP_SUCCESS;
    }
    if (!IsBitonalCamera(camera) && wanted(WRITE_COLORMODE))
    {
        const TW_BOOL gray = in.nColorMode == QX_SCANNER_CAMERA::MODE_GRAY ? 1 : 0;
        written &= m_manager->SetCapOnevalue(CAP_GRAYMODE, TWTY_BOOL, &gray) == ZKTW_CAP_SUCCESS;
    }
    if (IsBitonalCamera(camera) && wanted(WRITE_ADJUSTMENTS))
        written &= _WriteAdjustments(in.advCaps);
    return written ? TRUE : FALSE;
}

BOOL CQXTWAINCameraAccess::_WriteAdjustments(const QX_SCANNER_CAMERA_ADVCAP_TW& caps)
{
    BOOL written = TRUE;
    if (!caps.strHalftone.empty() && _CanSet(ICAP_HALFTONES))
    {
        TW_STR32 name = {};
        const std::string text = SZKCommon::WCStoMBS(caps.strHalftone);
        if (text.size() >= sizeof(name))
            return FALSE;
        std::memcpy(name, text.data(), text.size());
        written &= m_manager->SetCapOnevalue(ICAP_HALFTONES, TWTY_STR32, name) == ZKTW_CAP_SUCCESS;
    }
    for (const auto& adjustment : {std::make_pair(ICAP_THRESHOLD, caps.nThreshold),
                                   std::make_pair(ICAP_CONTRAST, caps.nContrast)})
    {
        if (!_CanSet(adjustment.first))
            continue;
        const TW_FIX32 value = CZKTWHelper::DoubleToFix32(adjustment.second);
        written &=
            m_manager->SetCapOnevalue(adjustment.first, TWTY_FIX32, &value) == ZKTW_CAP_SUCCESS;
    }
    return written;
}
