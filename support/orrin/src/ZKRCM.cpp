#include <orrin/ZKRCM.h>

#include "ZKResourceFolder.h"
#include "ZKResourceTexts.h"

#include <cstdarg>
#include <cwchar>
#include <memory>
#include <mutex>
#include <vector>

namespace
{
const wchar_t* const FallbackLanguage = L"en";
// Longest formatted text; a larger result counts as a formatting failure.
constexpr size_t MaxFormattedLength = 64 * 1024;

// Everything SZKRCM caches, guarded by one lock: lookups are rare and short.
struct ResourceCache
{
    std::mutex lock;
    bool resolved = false;
    std::wstring folder;
    std::wstring chosenLanguage; // SetCurrentLanguage; empty: the environment's
    std::wstring language;       // the language in use
    std::unique_ptr<CZKResourceTexts> texts;
    std::unique_ptr<CZKResourceTexts> fallbackTexts; // "en" under another language

    // Never destroyed: libraries may still ask for texts from their own
    // unload steps while static objects are being torn down.
    static ResourceCache& Instance()
    {
        static ResourceCache* cache = new ResourceCache;
        return *cache;
    }

    void Clear()
    {
        resolved = false;
        folder.clear();
        language.clear();
        texts.reset();
        fallbackTexts.reset();
    }

    static std::unique_ptr<CZKResourceTexts> LoadLanguage(const std::wstring& folder, const std::wstring& language)
    {
        if (folder.empty() || !SZKResourceFolder::IsValidLanguage(language))
            return nullptr;
        auto texts = std::make_unique<CZKResourceTexts>();
        if (!texts->Load(SZKResourceFolder::TextFilePath(folder, language)))
            return nullptr;
        return texts;
    }

    // Caller holds the lock.
    void Resolve()
    {
        if (resolved)
            return;
        resolved = true;
        folder = SZKResourceFolder::Find();
        language = chosenLanguage.empty() ? SZKResourceFolder::LanguageFromEnvironment() : chosenLanguage;
        texts = LoadLanguage(folder, language);
        if (!texts || language != FallbackLanguage)
            fallbackTexts = LoadLanguage(folder, FallbackLanguage);
        if (!texts)
        {
            language = FallbackLanguage;
            texts = std::move(fallbackTexts);
        }
    }

    bool Find(const std::wstring& key, const std::wstring& module, std::wstring& text)
    {
        std::lock_guard<std::mutex> guard(lock);
        Resolve();
        return (texts && texts->Find(key, module, text)) || (fallbackTexts && fallbackTexts->Find(key, module, text));
    }
};

bool FormatWide(std::wstring& text, const wchar_t* format, va_list arguments)
{
    std::vector<wchar_t> buffer(256);
    while (true)
    {
        va_list attempt;
        va_copy(attempt, arguments);
        const int written = std::vswprintf(buffer.data(), buffer.size(), format, attempt);
        va_end(attempt);
        if (written >= 0)
        {
            text.assign(buffer.data(), static_cast<size_t>(written));
            return true;
        }
        // The wide form reports a short buffer and a bad format alike; grow
        // up to a limit, then give up.
        if (buffer.size() >= MaxFormattedLength)
            return false;
        buffer.resize(buffer.size() * 4);
    }
}
} // namespace

BOOL SZKRCM::LoadText(const wchar_t* key, std::wstring& text, const wchar_t* module)
{
    text.clear();
    if (!key || !*key)
        return FALSE;
    try
    {
        std::wstring found;
        if (!ResourceCache::Instance().Find(key, module ? module : L"", found))
            return FALSE;
        text.swap(found);
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

BOOL SZKRCM::FormatText(std::wstring& text, const wchar_t* module, const wchar_t* key, ...)
{
    std::wstring format;
    if (!LoadText(key, format, module))
    {
        text.clear();
        return FALSE;
    }
    va_list arguments;
    va_start(arguments, key);
    bool ok = false;
    try
    {
        ok = FormatWide(text, format.c_str(), arguments);
    }
    catch (...)
    {
        ok = false;
    }
    va_end(arguments);
    if (!ok)
        text.clear();
    return ok ? TRUE : FALSE;
}

std::wstring SZKRCM::GetCurrentLanguage()
{
    try
    {
        ResourceCache& cache = ResourceCache::Instance();
        std::lock_guard<std::mutex> guard(cache.lock);
        cache.Resolve();
        return cache.language;
    }
    catch (...)
    {
        return FallbackLanguage;
    }
}

BOOL SZKRCM::SetCurrentLanguage(const wchar_t* language)
{
    try
    {
        ResourceCache& cache = ResourceCache::Instance();
        std::lock_guard<std::mutex> guard(cache.lock);
        const std::wstring wanted = language ? language : L"";
        if (!wanted.empty())
        {
            cache.Resolve();
            // Check before switching, so a bad name leaves the texts in use.
            if (!ResourceCache::LoadLanguage(cache.folder, wanted))
                return FALSE;
        }
        cache.chosenLanguage = wanted;
        cache.Clear();
        return TRUE;
    }
    catch (...)
    {
        return FALSE;
    }
}

std::wstring SZKRCM::GetResourceFolder()
{
    try
    {
        ResourceCache& cache = ResourceCache::Instance();
        std::lock_guard<std::mutex> guard(cache.lock);
        cache.Resolve();
        return cache.folder;
    }
    catch (...)
    {
        return std::wstring();
    }
}

void SZKRCM::Reset()
{
    try
    {
        ResourceCache& cache = ResourceCache::Instance();
        std::lock_guard<std::mutex> guard(cache.lock);
        cache.chosenLanguage.clear();
        cache.Clear();
    }
    catch (...)
    {
    }
}
