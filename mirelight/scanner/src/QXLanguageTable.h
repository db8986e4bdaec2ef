// Windows language identifiers to TWAIN country and language codes, built
// once when the library loads.
#pragma once

#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <unordered_map>

class MIRELIGHT_EXPORT CQXLanguageTable
{
public:
    // What an identifier outside the table gets: country 1, language 13.
    static constexpr WORD FALLBACK_COUNTRY = 1;
    static constexpr WORD FALLBACK_LANGUAGE = 13;

    static CQXLanguageTable& Instance();

    void Build();
    void Clear();
    size_t GetCount() const { return m_rows.size(); }
    // FALSE (and the fallback pair) for an identifier outside the table.
    BOOL Lookup(DWORD languageId, WORD& country, WORD& language) const;

private:
    CQXLanguageTable() = default;

    std::unordered_map<DWORD, std::pair<WORD, WORD>> m_rows;
};
