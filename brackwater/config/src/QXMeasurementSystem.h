// The measurement system the user works in, the stand-in for the
// platform's per-user locale setting: 1 metric, 0 U.S. units.
//
// In this order: the environment resource's MEASUREMENT_SYSTEM ("metric" or
// "us", also 1 or 0); the measurement category of the locale the process
// environment selects (LC_ALL, LC_MEASUREMENT, LANG); the country part of
// that locale name or of LANGUAGE ("en_US" measures in U.S. units); metric.
#pragma once

#include <wincompat/WinTypes.h>

class SQXMeasurementSystem
{
public:
    static constexpr BYTE US = 0;
    static constexpr BYTE METRIC = 1;

    static BYTE GetUserDefault();

private:
    static bool FromResource(BYTE& system);
    static bool FromLocale(BYTE& system);
    static bool FromCountry(BYTE& system);
};
