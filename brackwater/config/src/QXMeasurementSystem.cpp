#include "QXMeasurementSystem.h"

#include <hollin/ZKEnvResource.h>

#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <string>

namespace
{
const char kOverrideName[] = "MEASUREMENT_SYSTEM";

std::string Lower(std::string text)
{
    for (char& c : text)
    {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// The locale name that decides measurement, as the C library resolves it.
std::string MeasurementLocaleName()
{
    for (const char* variable : {"LC_ALL", "LC_MEASUREMENT", "LANG"})
    {
        const char* value = std::getenv(variable);
        if (value && *value)
            return value;
    }
    return std::string();
}

[[maybe_unused]] bool IsNeutral(const std::string& name)
{
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// "en_US.UTF-8@euro" -> "US"; empty when the name has no country.
std::string CountryOf(const std::string& name)
{
    const size_t underscore = name.find('_');
    if (underscore == std::string::npos)
        return std::string();
    const size_t end = name.find_first_of(".@:", underscore);
    return name.substr(underscore + 1, end == std::string::npos ? end : end - underscore - 1);
}

bool SystemOfCountry(const std::string& country, BYTE& system)
{
    if (country.empty())
        return false;
    // The countries that measure in U.S. units.
    const bool us = country == "US" || country == "LR" || country == "MM";
    system = us ? SQXMeasurementSystem::US : SQXMeasurementSystem::METRIC;
    return true;
}
} // namespace

BYTE SQXMeasurementSystem::GetUserDefault()
{
    BYTE system = METRIC;
    if (FromResource(system) || FromLocale(system) || FromCountry(system))
        return system;
    return METRIC;
}

bool SQXMeasurementSystem::FromResource(BYTE& system)
{
    std::string value;
    if (!SZKEnvResource::GetEnvStringValueA(kOverrideName, value))
        return false;
    value = Lower(value);
    if (value == "metric" || value == "1")
        system = METRIC;
    else if (value == "us" || value == "0")
        system = US;
    else
        return false;
    return true;
}

bool SQXMeasurementSystem::FromLocale(BYTE& system)
{
#ifdef _NL_MEASUREMENT_MEASUREMENT
    const std::string name = MeasurementLocaleName();
    if (IsNeutral(name))
        return false;
    locale_t locale = newlocale(LC_MEASUREMENT_MASK, name.c_str(), static_cast<locale_t>(0));
    if (locale == static_cast<locale_t>(0))
        return false;
    // 1 metric, 2 U.S. units.
    const char* measurement = nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, locale);
    const int kind = measurement ? measurement[0] : 0;
    freelocale(locale);
    if (kind != 1 && kind != 2)
        return false;
    system = kind == 1 ? METRIC : US;
    return true;
#else
    (void)system;
    return false;
#endif
}

bool SQXMeasurementSystem::FromCountry(BYTE& system)
{
    if (SystemOfCountry(CountryOf(MeasurementLocaleName()), system))
        return true;
    const char* languages = std::getenv("LANGUAGE");
    return languages && SystemOfCountry(CountryOf(languages), system);
}
