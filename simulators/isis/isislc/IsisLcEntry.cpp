// The locale library: the locale the toolkit's texts and dialogs use.
#include <atomic>

#include <isisdefs/ZKIsisToolkit.h>

namespace
{
std::atomic<uint32_t> g_locale{0x0409};
}

extern "C" {

ZKISIS_API int32_t ZKISIS_LC_SetLocale(uint32_t localeId)
{
    if (localeId == 0)
        return ZKISIS_ERR_BAD_PARAMETER;
    g_locale.store(localeId);
    return ZKISIS_OK;
}

ZKISIS_API uint32_t ZKISIS_LC_GetLocale(void)
{
    return g_locale.load();
}

} // extern "C"
