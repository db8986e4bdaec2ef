// Localised texts by resource key.
//
// Texts live in <resource folder>/texts/<language>.zks, script files with a
// section "Common" that holds every key and optional sections named after a
// module that override single keys for that module. The resource folder is
// the one named by the environment variable ZK_RESOURCE_DIR, else a folder
// "resources" beside the folder of this library or up to three levels above
// it (a build tree and an installed prefix both work).
//
// The language is, in this order: the one set with SetCurrentLanguage, the
// variable ZK_LANGUAGE, the language part of the first of LC_ALL,
// LC_MESSAGES and LANG that is set ("de_DE.UTF-8" -> "de"), else "en". A language without a text file falls
// back to "en", and a key missing from another language's file is taken
// from "en".
//
// Texts that callers format hold printf placeholders for the wide printf
// family: %d for integers, %ls for wide strings (resources/README.md lists
// which keys take which). The files are loaded once and cached; every
// operation is thread-safe and none throws.
#pragma once

#include <orrin/orrin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class ORRIN_EXPORT SZKRCM
{
public:
    // The text of key: the module's own section first (when a module is
    // given), then "Common". Section and key names ignore ASCII case. A
    // missing key, or no resource file at all, gives FALSE and an empty text.
    static BOOL LoadText(const wchar_t* key, std::wstring& text, const wchar_t* module = nullptr);

    // LoadText, then the text used as a wide printf format with the
    // arguments. FALSE (empty text) when the key is missing or formatting
    // fails. The arguments must match the key's placeholders, so keep the
    // resource files to the documented ones.
    static BOOL FormatText(std::wstring& text, const wchar_t* module, const wchar_t* key, ...);

    // The language whose texts are in use, e.g. "en".
    static std::wstring GetCurrentLanguage();

    // Switches to another language's texts; FALSE (and nothing changed) when
    // the resource folder holds no text file for it. An empty name returns
    // to the language taken from the environment.
    static BOOL SetCurrentLanguage(const wchar_t* language);

    // The resource folder in use; empty when none was found.
    static std::wstring GetResourceFolder();

    // Forgets the cached folder, language (a SetCurrentLanguage choice too)
    // and texts; the next call looks them up again (after the environment
    // changed, or in tests). A file that failed to load is not retried
    // before this.
    static void Reset();
};
