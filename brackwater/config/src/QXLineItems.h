// Repeated "key, value" lines of a section ("ListItem = a,b"): the pairs of
// a dictionary written one line each. A comma inside a text is replaced by
// a guard text on writing and restored on reading, so the one separating
// comma stays unambiguous.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>

class CZKDict;
class CZKScript;

class SQXLineItems
{
public:
    // Guard for substitutions and mappings: the backspace character.
    static const wchar_t* const kBackspaceGuard;
    // Guard for list values.
    static const wchar_t* const kTildeGuard;

    // Replaces any earlier lines of key in the current section.
    static BOOL Write(CZKScript& script, const wchar_t* key, const CZKDict& pairs,
                      const wchar_t* commaGuard);
    // Collects the lines of key in the current section; lines that do not
    // split into exactly two texts are skipped. FALSE when there is no line
    // of key at all (the dictionary is then empty).
    static BOOL Read(CZKScript& script, const wchar_t* key, CZKDict& pairs,
                     const wchar_t* commaGuard);

    // A switch key saying whether the lines of itemKey follow, then those
    // lines (substitutions, mappings, value lists).
    static BOOL WriteSwitched(CZKScript& script, const wchar_t* switchKey, const wchar_t* itemKey,
                              const CZKDict& pairs, const wchar_t* commaGuard);
    // A switch that is off empties the dictionary; a missing switch, or one
    // that is on without a single line of itemKey, is a damaged record: FALSE.
    static BOOL ReadSwitched(CZKScript& script, const wchar_t* switchKey, const wchar_t* itemKey,
                             CZKDict& pairs, const wchar_t* commaGuard);

    static std::wstring Guard(const std::wstring& text, const wchar_t* commaGuard);
    static std::wstring Unguard(const std::wstring& text, const wchar_t* commaGuard);
};
