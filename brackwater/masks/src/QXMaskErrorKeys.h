// The error texts of the mask languages: each language keys the texts of
// its own codes and hands any other code on to the language it builds on
// (in the end the reader, CZKGEI).
#pragma once

#include <orrin/ZKGEI.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <string>

class SQXMaskErrorKeys
{
public:
    struct Entry
    {
        DWORD code;
        const wchar_t* key;
    };
    using Fallback = BOOL (*)(DWORD code, std::wstring& text, BOOL loadText);

    // nullptr for a code the table does not hold.
    template <size_t N> static const wchar_t* Find(const Entry (&table)[N], DWORD code)
    {
        for (const Entry& entry : table)
        {
            if (entry.code == code)
                return entry.key;
        }
        return nullptr;
    }

    // Empty text (FALSE) for 0; the text of ownKey when the language keys the
    // code itself; otherwise what fallback says of it.
    static BOOL Message(DWORD code, const wchar_t* ownKey, std::wstring& text, BOOL loadText,
                        Fallback fallback)
    {
        text.clear();
        if (code == 0)
            return FALSE;
        if (ownKey)
            return CZKGEI::ResolveErrorKey(ownKey, text, loadText);
        return fallback(code, text, loadText);
    }
};
