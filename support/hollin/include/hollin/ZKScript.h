// Key/value store in named sections, persisted as a text file.
//
// File format (UTF-8; Save writes the byte order mark EF BB BF, Load accepts
// it present or absent; lines end in LF, CR LF is accepted):
//   key = value            items before the first header: the root section ""
//   [Section]
//   key = value
//   key = value            a key may repeat; items keep their order
// Blank lines are ignored on load; there are no comment lines. Any other line
// makes Load fail, as do invalid UTF-8, a NUL byte or a bad escape; a failed
// Load leaves the script as it was.
//
// Escaping: keys, values and section names are written with these escapes,
// so that any wide string survives Save/Load unchanged:
//   \\  backslash          \n \r \t \0  LF, CR, TAB, NUL
//   \s  space (written for leading and trailing spaces only)
//   \=  '=' (written in keys)   \[  '[' (written at the start of a key)
//   \]  ']' (written in section names)
//   \xHH        any other control character U+0001..U+001F, U+007F
//   \UHHHHHHHH  a wchar_t that is not a Unicode scalar value (surrogate or
//               beyond U+10FFFF)
// All other characters, non-BMP ones included, are written as plain UTF-8.
// On load, spaces and tabs around the raw key and value are dropped.
//
// Names: section and key names compare case-insensitively for ASCII letters
// A-Z only (other characters compare exactly), independent of the locale.
// The first spelling of a section or key is kept.
//
// Addressing (flag, section) of every read and write: a non-null section
// names the section to use; with a null section, flag non-zero means the
// default section (SetDefaultSection) and flag 0 the root section "".
//
// Value forms: int decimal ("-12"); BOOL "1"/"0" (reads accept any int, and
// "true"/"false"); double the shortest text that reads back to the same bits,
// locale-independent ("0.1", "1e+300", "inf", "nan"); int4 "1,2,3,4".
// A read of a missing key, or of a value not in its form (or out of range),
// returns 0 and leaves the out value unchanged.
#pragma once

#include <hollin/ZKScriptItemList.h>
#include <hollin/ZKStringList.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <cstdint>
#include <memory>
#include <string>

class CZKBuffer;

class HOLLIN_EXPORT CZKScript
{
public:
    CZKScript();
    ~CZKScript();
    CZKScript(const CZKScript&) = delete;
    CZKScript& operator=(const CZKScript&) = delete;

    void SetDefaultSection(const std::wstring& name);
    void GetDefaultSection(std::wstring& name) const;
    const std::wstring& GetDefaultSection() const;

    BOOL R_int(const wchar_t* key, int& value, int flag = 1, const wchar_t* section = nullptr) const;
    BOOL W_int(const wchar_t* key, int value, int flag = 1, const wchar_t* section = nullptr);
    BOOL R_BOOL(const wchar_t* key, BOOL& value, int flag = 1, const wchar_t* section = nullptr) const;
    BOOL W_BOOL(const wchar_t* key, BOOL value, int flag = 1, const wchar_t* section = nullptr);
    BOOL R_double(const wchar_t* key, double& value, int flag = 1, const wchar_t* section = nullptr) const;
    BOOL W_double(const wchar_t* key, double value, int flag = 1, const wchar_t* section = nullptr);
    // Four integers under one key. On failure none of the four is changed.
    BOOL R_int4(const wchar_t* key, int& v1, int& v2, int& v3, int& v4, int flag = 1,
                const wchar_t* section = nullptr) const;
    BOOL W_int4(const wchar_t* key, int v1, int v2, int v3, int v4, int flag = 1, const wchar_t* section = nullptr);
    BOOL R_int4(const wchar_t* key, int values[4], int flag = 1, const wchar_t* section = nullptr) const;
    BOOL W_int4(const wchar_t* key, const int values[4], int flag = 1, const wchar_t* section = nullptr);
    // 64-bit integers as signed decimal text ("-9223372036854775808"), the
    // same on every platform. A read outside the 64-bit range fails.
    BOOL R_int64(const wchar_t* key, int64_t& value, int flag = 1, const wchar_t* section = nullptr) const;
    BOOL W_int64(const wchar_t* key, int64_t value, int flag = 1, const wchar_t* section = nullptr);
    // Text values (the first item of the key).
    BOOL GetKeyValue(const wchar_t* key, std::wstring& value, int flag = 1, const wchar_t* section = nullptr) const;
    // Writes replace the first item of the key, or append one.
    BOOL SetKeyValue(const wchar_t* key, const std::wstring& value, int flag = 1, const wchar_t* section = nullptr);

    // Appends one item given as a raw line "key = value": the key is the text
    // before the first '=' without surrounding blanks, the value everything
    // after the '=' taken literally, less the one space that follows the '='.
    // No escapes are interpreted. FALSE when the line has no '='.
    BOOL AddScript(const std::wstring& line, int flag = 1, const wchar_t* section = nullptr);
    // Appends one item even when the key exists.
    BOOL AddKeyValue(const wchar_t* key, const std::wstring& value, int flag = 1, const wchar_t* section = nullptr);

    // All items of key in section (null section: the default section), in
    // order, replacing list's contents. FALSE when there is none.
    BOOL FindKeyValues(const wchar_t* section, const wchar_t* key, CZKScriptItemList& list) const;
    // Every item of a section, in order. FALSE when the section is absent.
    BOOL GetSectionItems(const wchar_t* section, CZKScriptItemList& list) const;
    // Section names in order (the root section "" first when it has items).
    void GetSectionNames(CZKStringList& names) const;
    BOOL HasSection(const wchar_t* section) const;
    // Removes every item of key; FALSE when there was none.
    BOOL RemoveKey(const wchar_t* key, int flag = 1, const wchar_t* section = nullptr);
    // Removes every item of the addressed section (same addressing as the
    // reads: with flag 1 and no section, the default section). The section
    // itself stays, so rewriting it keeps its place in the file.
    void RemoveAllScripts(int flag = 1, const wchar_t* section = nullptr);
    // Empties the whole store (the default section name is kept).
    void RemoveAll();

    BOOL Load(const std::wstring& path);
    BOOL Save(const std::wstring& path);
    // Script text in the file format held in a buffer (see the settings code).
    BOOL Load(const CZKBuffer& buffer);
    BOOL Save(CZKBuffer& buffer) const;
    // The file format as UTF-8 bytes, BOM included.
    BOOL LoadFromText(const std::string& utf8);
    std::string SaveToText() const;
    // Non-zero: the destructor saves a modified script to the path of the
    // last successful Load(path)/Save(path).
    void SetAutoSave(BOOL flag);
    BOOL IsModified() const;
    const std::wstring& GetPath() const;

    void CopyFrom(const CZKScript& source);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
