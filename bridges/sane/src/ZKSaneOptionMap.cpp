#include "ZKSaneOptionMap.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "ZKSaneFix32.h"
#include "ZKSaneStatus.h"

namespace
{
constexpr double kMmPerInch = 25.4;

bool Contains(std::string text, const char* part)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text.find(part) != std::string::npos;
}

// An image adjustment: the SANE option's own range is spread over TWAIN's.
struct ADJUSTMENT
{
    TW_UINT16 cap;
    const char* option;
    double min;
    double max;
};
const ADJUSTMENT kAdjustments[] = {
    {ICAP_BRIGHTNESS, "brightness", -1000, 1000},
    {ICAP_CONTRAST, "contrast", -1000, 1000},
    {ICAP_THRESHOLD, "threshold", 0, 255},
};

struct PAPER_SIZE
{
    TW_UINT16 size;
    double widthMm;
    double heightMm;
};
const PAPER_SIZE kSizes[] = {
    {TWSS_A4, 210, 297},          {TWSS_USLETTER, 215.9, 279.4}, {TWSS_USLEGAL, 215.9, 355.6},
    {TWSS_A5, 148, 210},          {TWSS_A6, 105, 148},           {TWSS_USEXECUTIVE, 184.15, 266.7},
};

const char* const kGeometry[] = {"tl-x", "tl-y", "br-x", "br-y"};
} // namespace

bool CZKSaneOptionMap::Maps(TW_UINT16 id)
{
    switch (id)
    {
    case ICAP_PIXELTYPE:
    case ICAP_BITDEPTH:
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION:
    case CAP_FEEDERENABLED:
    case CAP_DUPLEXENABLED:
    case ICAP_SUPPORTEDSIZES:
    case ICAP_BRIGHTNESS:
    case ICAP_CONTRAST:
    case ICAP_THRESHOLD:
        return true;
    default:
        return false;
    }
}

CZKSaneOptionMap::EMode CZKSaneOptionMap::_Classify(const std::string& mode)
{
    if (Contains(mode, "lineart") || Contains(mode, "binary") || Contains(mode, "halftone") ||
        Contains(mode, "black"))
        return EMode::BW;
    if (Contains(mode, "gray") || Contains(mode, "grey"))
        return EMode::GRAY;
    if (Contains(mode, "color") || Contains(mode, "colour"))
        return EMode::COLOUR;
    return EMode::NONE;
}

TW_UINT16 CZKSaneOptionMap::_Result(SANE_Status status, TW_UINT16& condition)
{
    if (status == SANE_STATUS_GOOD)
        return TWRC_SUCCESS;
    condition = SZKSaneStatus::Meaning(status).condition;
    return TWRC_FAILURE;
}

std::vector<CZKSaneCapability> CZKSaneOptionMap::Capabilities()
{
    std::vector<CZKSaneCapability> caps;
    const std::vector<double> types = _PixelTypes();
    if (!types.empty())
    {
        const double type = _PixelType();
        caps.push_back(CZKSaneCapability::List(ICAP_PIXELTYPE, TWTY_UINT16, types, type));
        const double depth = type == TWPT_BW ? 1 : type == TWPT_GRAY ? 8 : 24;
        caps.push_back(CZKSaneCapability::List(ICAP_BITDEPTH, TWTY_UINT16, {depth}, depth));
    }
    _AddResolution(caps);
    _AddSource(caps);
    _AddGeometry(caps);
    _AddAdjustments(caps);
    return caps;
}

std::vector<double> CZKSaneOptionMap::_PixelTypes()
{
    std::vector<double> types;
    ZK_SANE_CHOICES depths;
    const bool bitDepth = m_device.NumberChoices("depth", depths) && !depths.isRange &&
                          std::find(depths.list.begin(), depths.list.end(), 1.0) != depths.list.end();
    for (const std::string& mode : m_device.StringChoices("mode"))
    {
        const EMode kind = _Classify(mode);
        // Grey at one bit is bitonal, for devices without a lineart mode.
        if (kind == EMode::BW || (kind == EMode::GRAY && bitDepth))
            types.push_back(TWPT_BW);
        if (kind == EMode::GRAY)
            types.push_back(TWPT_GRAY);
        if (kind == EMode::COLOUR)
            types.push_back(TWPT_RGB);
    }
    std::sort(types.begin(), types.end());
    types.erase(std::unique(types.begin(), types.end()), types.end());
    return types;
}

double CZKSaneOptionMap::_PixelType()
{
    std::string mode;
    m_device.GetString("mode", mode);
    double depth = 8;
    m_device.GetNumber("depth", depth);
    switch (_Classify(mode))
    {
    case EMode::BW:
        return TWPT_BW;
    case EMode::COLOUR:
        return TWPT_RGB;
    default:
        return depth == 1 ? TWPT_BW : TWPT_GRAY;
    }
}

TW_UINT16 CZKSaneOptionMap::_SetPixelType(double type, TW_UINT16& condition)
{
    const EMode wanted = type == TWPT_BW ? EMode::BW : type == TWPT_GRAY ? EMode::GRAY : EMode::COLOUR;
    const std::vector<std::string> modes = m_device.StringChoices("mode");
    auto find = [&modes](EMode kind) {
        return std::find_if(modes.begin(), modes.end(), [kind](const std::string& m) { return _Classify(m) == kind; });
    };
    auto mode = find(wanted);
    const bool greyBits = wanted == EMode::BW && mode == modes.end();
    if (greyBits)
        mode = find(EMode::GRAY);
    if (mode == modes.end())
    {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    if (_Result(m_device.SetString("mode", *mode), condition) != TWRC_SUCCESS)
        return TWRC_FAILURE;
    // The mode may bring its own depth choices: set after it.
    if (m_device.IsSettable("depth"))
        return _Result(m_device.SetNumber("depth", greyBits ? 1 : 8), condition);
    return TWRC_SUCCESS;
}

const char* CZKSaneOptionMap::_ResolutionOption()
{
    return m_device.Has("resolution") ? "resolution" : "x-resolution";
}

double CZKSaneOptionMap::Resolution()
{
    double dpi = 0;
    return m_device.GetNumber(_ResolutionOption(), dpi) ? dpi : 0;
}

void CZKSaneOptionMap::_AddResolution(std::vector<CZKSaneCapability>& caps)
{
    ZK_SANE_CHOICES choices;
    const char* option = _ResolutionOption();
    double dpi = 0;
    if (!m_device.NumberChoices(option, choices) || !m_device.GetNumber(option, dpi))
        return;
    for (TW_UINT16 id : {ICAP_XRESOLUTION, ICAP_YRESOLUTION})
        caps.push_back(choices.isRange ? CZKSaneCapability::Range(id, TWTY_FIX32, choices.min, choices.max,
                                                                  choices.quant > 0 ? choices.quant : 1, dpi)
                                       : CZKSaneCapability::List(id, TWTY_FIX32, choices.list, dpi));
}

bool CZKSaneOptionMap::_IsFeederSource(const std::string& source) const
{
    return Contains(source, "adf") || Contains(source, "feeder");
}

bool CZKSaneOptionMap::_IsDuplexSource(const std::string& source) const
{
    return _IsFeederSource(source) && Contains(source, "duplex");
}

std::string CZKSaneOptionMap::_SourceFor(bool feeder, bool duplex)
{
    for (const std::string& source : m_device.StringChoices("source"))
        if (_IsFeederSource(source) == feeder && _IsDuplexSource(source) == (feeder && duplex))
            return source;
    return std::string();
}

bool CZKSaneOptionMap::FeederEnabled()
{
    std::string source;
    return m_device.GetString("source", source) && _IsFeederSource(source);
}

void CZKSaneOptionMap::_AddSource(std::vector<CZKSaneCapability>& caps)
{
    std::string source;
    if (!m_device.GetString("source", source))
        return;
    const bool feeder = !_SourceFor(true, false).empty() || !_SourceFor(true, true).empty();
    const bool flatbed = !_SourceFor(false, false).empty();
    if (!feeder)
        return;
    std::vector<double> feederChoices;
    if (flatbed)
        feederChoices.push_back(0);
    feederChoices.push_back(1);
    caps.push_back(CZKSaneCapability::List(CAP_FEEDERENABLED, TWTY_BOOL, feederChoices, _IsFeederSource(source)));
    const bool duplex = !_SourceFor(true, true).empty();
    const double kind = duplex ? TWDX_1PASSDUPLEX : TWDX_NONE;
    caps.push_back(CZKSaneCapability::One(CAP_DUPLEX, TWTY_UINT16, kind, kind, kind, false));
    if (duplex)
        caps.push_back(CZKSaneCapability::List(CAP_DUPLEXENABLED, TWTY_BOOL, {0, 1}, _IsDuplexSource(source)));
}

TW_UINT16 CZKSaneOptionMap::_SetSource(bool feeder, bool duplex, TW_UINT16& condition)
{
    const std::string source = _SourceFor(feeder, duplex);
    if (source.empty())
    {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    return _Result(m_device.SetString("source", source), condition);
}

double CZKSaneOptionMap::_ToInches(const char* option, double value)
{
    if (m_device.Unit(option) == SANE_UNIT_PIXEL)
    {
        const double dpi = Resolution();
        return dpi > 0 ? value / dpi : 0;
    }
    return value / kMmPerInch;
}

double CZKSaneOptionMap::_FromInches(const char* option, double inches)
{
    if (m_device.Unit(option) == SANE_UNIT_PIXEL)
        return inches * Resolution();
    return inches * kMmPerInch;
}

// The largest area the device scans, in inches.
bool CZKSaneOptionMap::_Extent(double& width, double& height)
{
    ZK_SANE_CHOICES x, y;
    if (!m_device.NumberChoices("br-x", x) || !m_device.NumberChoices("br-y", y))
        return false;
    width = _ToInches("br-x", x.isRange ? x.max : *std::max_element(x.list.begin(), x.list.end()));
    height = _ToInches("br-y", y.isRange ? y.max : *std::max_element(y.list.begin(), y.list.end()));
    return width > 0 && height > 0;
}

void CZKSaneOptionMap::_AddGeometry(std::vector<CZKSaneCapability>& caps)
{
    double width = 0, height = 0;
    if (!_Extent(width, height))
        return;
    caps.push_back(CZKSaneCapability::One(ICAP_PHYSICALWIDTH, TWTY_FIX32, width, width, width, false));
    caps.push_back(CZKSaneCapability::One(ICAP_PHYSICALHEIGHT, TWTY_FIX32, height, height, height, false));
    std::vector<double> sizes = {TWSS_NONE};
    for (const PAPER_SIZE& size : kSizes)
        if (size.widthMm / kMmPerInch <= width + 1e-6 && size.heightMm / kMmPerInch <= height + 1e-6)
            sizes.push_back(size.size);
    CZKSaneCapability supported = CZKSaneCapability::List(ICAP_SUPPORTEDSIZES, TWTY_UINT16, sizes, m_size);
    supported.SetDefault(TWSS_NONE);
    caps.push_back(supported);
}

bool CZKSaneOptionMap::GetFrame(TW_FRAME& frame)
{
    double values[4];
    for (int i = 0; i < 4; ++i)
        if (!m_device.GetNumber(kGeometry[i], values[i]))
            return false;
    const auto fix = &SZKSaneFix32::From;
    frame.Left = fix(_ToInches("tl-x", values[0]));
    frame.Top = fix(_ToInches("tl-y", values[1]));
    frame.Right = fix(_ToInches("br-x", values[2]));
    frame.Bottom = fix(_ToInches("br-y", values[3]));
    return true;
}

TW_UINT16 CZKSaneOptionMap::SetFrame(const TW_FRAME& frame, TW_UINT16& condition)
{
    const auto inches = &SZKSaneFix32::ToDouble;
    const double values[4] = {inches(frame.Left), inches(frame.Top), inches(frame.Right), inches(frame.Bottom)};
    if (values[0] < 0 || values[1] < 0 || values[2] <= values[0] || values[3] <= values[1])
    {
        condition = TWCC_BADVALUE;
        return TWRC_FAILURE;
    }
    // The bottom-right corner first would be refused while it lies above or
    // left of the old top-left one.
    for (int i : {0, 1, 2, 3})
        if (_Result(m_device.SetNumber(kGeometry[i], _FromInches(kGeometry[i], values[i])), condition) != TWRC_SUCCESS)
            return TWRC_FAILURE;
    m_size = TWSS_NONE;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSaneOptionMap::ResetFrame(TW_UINT16& condition)
{
    double width = 0, height = 0;
    if (!_Extent(width, height))
    {
        condition = TWCC_BADPROTOCOL;
        return TWRC_FAILURE;
    }
    TW_FRAME frame{};
    frame.Right = SZKSaneFix32::From(width);
    frame.Bottom = SZKSaneFix32::From(height);
    return SetFrame(frame, condition);
}

TW_UINT16 CZKSaneOptionMap::_SetSize(double size, TW_UINT16& condition)
{
    if (size == TWSS_NONE)
    {
        m_size = TWSS_NONE;
        return TWRC_SUCCESS;
    }
    for (const PAPER_SIZE& paper : kSizes)
    {
        if (paper.size != size)
            continue;
        TW_FRAME frame{};
        frame.Right = SZKSaneFix32::From(paper.widthMm / kMmPerInch);
        frame.Bottom = SZKSaneFix32::From(paper.heightMm / kMmPerInch);
        if (SetFrame(frame, condition) != TWRC_SUCCESS)
            return TWRC_FAILURE;
        m_size = paper.size;
        return TWRC_SUCCESS;
    }
    condition = TWCC_BADVALUE;
    return TWRC_FAILURE;
}

void CZKSaneOptionMap::_AddAdjustments(std::vector<CZKSaneCapability>& caps)
{
    for (const ADJUSTMENT& adjustment : kAdjustments)
    {
        ZK_SANE_CHOICES choices;
        double value = 0;
        if (!m_device.NumberChoices(adjustment.option, choices) || !choices.isRange || choices.max <= choices.min ||
            !m_device.GetNumber(adjustment.option, value))
            continue;
        const double share = (value - choices.min) / (choices.max - choices.min);
        const double current = adjustment.min + share * (adjustment.max - adjustment.min);
        caps.push_back(CZKSaneCapability::Range(adjustment.cap, TWTY_FIX32, adjustment.min, adjustment.max, 1,
                                                std::round(current)));
    }
}

TW_UINT16 CZKSaneOptionMap::Apply(TW_UINT16 id, double value, TW_UINT16& condition)
{
    switch (id)
    {
    case ICAP_PIXELTYPE:
        return _SetPixelType(value, condition);
    case ICAP_BITDEPTH:
        return TWRC_SUCCESS; // one depth per pixel type, already checked
    case ICAP_XRESOLUTION:
    case ICAP_YRESOLUTION:
        return _Result(m_device.SetNumber(_ResolutionOption(), value), condition);
    case CAP_FEEDERENABLED:
    {
        std::string source;
        m_device.GetString("source", source);
        return _SetSource(value != 0, _IsDuplexSource(source), condition);
    }
    case CAP_DUPLEXENABLED:
        return _SetSource(true, value != 0, condition);
    case ICAP_SUPPORTEDSIZES:
        return _SetSize(value, condition);
    default:
        break;
    }
    for (const ADJUSTMENT& adjustment : kAdjustments)
    {
        ZK_SANE_CHOICES choices;
        if (adjustment.cap != id || !m_device.NumberChoices(adjustment.option, choices) || !choices.isRange)
            continue;
        const double share = (value - adjustment.min) / (adjustment.max - adjustment.min);
        return _Result(m_device.SetNumber(adjustment.option, choices.min + share * (choices.max - choices.min)),
                       condition);
    }
    condition = TWCC_CAPUNSUPPORTED;
    return TWRC_FAILURE;
}
