// How SANE options appear as TWAIN capabilities, and back: scan mode and
// depth as pixel type and bit depth, resolution, source as feeder and
// duplex, the scan area as frame, physical size and supported sizes, and
// brightness, contrast and threshold where the device has them. Only what
// the device offers becomes a capability.
#pragma once

#include <vector>

#include <twaindefs/ZKTwainDefs.h>

#include "ZKSaneCapability.h"
#include "ZKSaneDevice.h"

class CZKSaneOptionMap
{
public:
    explicit CZKSaneOptionMap(CZKSaneDevice& device) : m_device(device) {}

    // The capabilities the device's options give, as they stand now.
    std::vector<CZKSaneCapability> Capabilities();
    // Sets the options behind a capability; the caller reloads Capabilities().
    TW_UINT16 Apply(TW_UINT16 id, double value, TW_UINT16& condition);
    // Whether the device owns this capability.
    static bool Maps(TW_UINT16 id);

    double Resolution();
    bool FeederEnabled();
    // The scan area in inches.
    bool GetFrame(TW_FRAME& frame);
    TW_UINT16 SetFrame(const TW_FRAME& frame, TW_UINT16& condition);
    // The scan area reset to the whole glass or feeder width.
    TW_UINT16 ResetFrame(TW_UINT16& condition);

private:
    enum class EMode
    {
        NONE,
        BW,
        GRAY,
        COLOUR
    };
    static EMode _Classify(const std::string& mode);
    const char* _ResolutionOption();
    std::vector<double> _PixelTypes();
    double _PixelType();
    TW_UINT16 _SetPixelType(double type, TW_UINT16& condition);
    std::string _SourceFor(bool feeder, bool duplex);
    TW_UINT16 _SetSource(bool feeder, bool duplex, TW_UINT16& condition);
    bool _IsFeederSource(const std::string& source) const;
    bool _IsDuplexSource(const std::string& source) const;
    // Geometry in inches: millimetres or pixels at the current resolution.
    double _ToInches(const char* option, double value);
    double _FromInches(const char* option, double inches);
    bool _Extent(double& width, double& height);
    void _AddResolution(std::vector<CZKSaneCapability>& caps);
    void _AddSource(std::vector<CZKSaneCapability>& caps);
    void _AddGeometry(std::vector<CZKSaneCapability>& caps);
    void _AddAdjustments(std::vector<CZKSaneCapability>& caps);
    TW_UINT16 _SetSize(double size, TW_UINT16& condition);
    TW_UINT16 _Result(SANE_Status status, TW_UINT16& condition);

    CZKSaneDevice& m_device;
    TW_UINT16 m_size = TWSS_NONE;
};
