#include <hollin/ZKVWXform.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKScript.h>

#include <charconv>
#include <climits>
#include <cmath>
#include <vector>

namespace
{
constexpr size_t kFieldCount = 7;

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text)
    {
        if (c > 0x7F)
            return std::string(); // fields are plain ASCII numbers
        out += static_cast<char>(c);
    }
    return out;
}

bool ParseDouble(const std::wstring& text, double& value)
{
    const std::string s = Narrow(text);
    if (s.empty())
        return false;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    return result.ec == std::errc() && result.ptr == s.data() + s.size();
}

bool ParseLong(const std::wstring& text, long long low, long long high, long long& value)
{
    const std::string s = Narrow(text);
    if (s.empty())
        return false;
    const auto result = std::from_chars(s.data(), s.data() + s.size(), value);
    return result.ec == std::errc() && result.ptr == s.data() + s.size() && value >= low && value <= high;
}

std::wstring FormatDouble(double value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return SZKCommon::MBStoWCS(std::string(text, result.ptr));
}

bool IsQuarterTurn(long long degrees)
{
    return degrees == 0 || degrees == 90 || degrees == 180 || degrees == 270;
}
} // namespace

BOOL CZKVWXform::IsValid() const
{
    return std::isfinite(dZoom) && dZoom > 0 && IsQuarterTurn(nRotation) && (bFlipHorizontal == 0 || bFlipHorizontal == 1) &&
                   (bFlipVertical == 0 || bFlipVertical == 1) && nFitMode >= ZKVW_FIT_NONE && nFitMode <= ZKVW_FIT_PAGE
               ? TRUE
               : FALSE;
}

std::wstring CZKVWXform::ToString() const
{
    return FormatDouble(dZoom) + L',' + std::to_wstring(nRotation) + L',' + std::to_wstring(bFlipHorizontal) + L',' +
           std::to_wstring(bFlipVertical) + L',' + std::to_wstring(nOffsetX) + L',' + std::to_wstring(nOffsetY) +
           L',' + std::to_wstring(nFitMode);
}

BOOL CZKVWXform::FromString(const std::wstring& text)
{
    const std::vector<std::wstring> fields = SZKCommon::SplitCommandLine(text, L',');
    if (fields.size() != kFieldCount)
        return FALSE;
    CZKVWXform parsed;
    long long rotation = 0, flipH = 0, flipV = 0, x = 0, y = 0, fit = 0;
    if (!ParseDouble(fields[0], parsed.dZoom) || !ParseLong(fields[1], 0, 270, rotation) ||
        !ParseLong(fields[2], 0, 1, flipH) || !ParseLong(fields[3], 0, 1, flipV) ||
        !ParseLong(fields[4], INT32_MIN, INT32_MAX, x) || !ParseLong(fields[5], INT32_MIN, INT32_MAX, y) ||
        !ParseLong(fields[6], ZKVW_FIT_NONE, ZKVW_FIT_PAGE, fit))
        return FALSE;
    parsed.nRotation = static_cast<int>(rotation);
    parsed.bFlipHorizontal = static_cast<BOOL>(flipH);
    parsed.bFlipVertical = static_cast<BOOL>(flipV);
    parsed.nOffsetX = static_cast<LONG>(x);
    parsed.nOffsetY = static_cast<LONG>(y);
    parsed.nFitMode = static_cast<int>(fit);
    if (!parsed.IsValid())
        return FALSE;
    *this = parsed;
    return TRUE;
}

BOOL CZKVWXform::SaveToScript(CZKScript& script, const wchar_t* key, int flag, const wchar_t* section) const
{
    if (!IsValid())
        return FALSE; // what could not be loaded back is not written
    return script.SetKeyValue(key, ToString(), flag, section);
}

BOOL CZKVWXform::LoadFromScript(const CZKScript& script, const wchar_t* key, int flag, const wchar_t* section)
{
    std::wstring text;
    return script.GetKeyValue(key, text, flag, section) ? FromString(text) : FALSE;
}

bool CZKVWXform::operator==(const CZKVWXform& other) const
{
    return dZoom == other.dZoom && nRotation == other.nRotation && bFlipHorizontal == other.bFlipHorizontal &&
           bFlipVertical == other.bFlipVertical && nOffsetX == other.nOffsetX && nOffsetY == other.nOffsetY &&
           nFitMode == other.nFitMode;
}
