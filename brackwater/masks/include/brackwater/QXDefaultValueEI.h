// Default-value expressions: alternatives separated by OR, each a sequence
// of literals ("text") and tags (<name> or <name:output mask>). The first
// alternative whose text is not empty gives the value.
// Error codes: 4001, 4002, 4101, 100 for a character that starts no item,
// the output mask's codes and the reader's. Nothing here throws.
#pragma once

#include <brackwater/QXDefaultValueOptionList.h>
#include <brackwater/QXDefaultValueTagItemList.h>
#include <brackwater/brackwater_export.h>
#include <orrin/ZKGEI.h>
#include <wincompat/WinTypes.h>

#include <string>

class BRACKWATER_EXPORT CQXDefaultValueEI
{
public:
    static constexpr DWORD ERR_TAG_BADFORMAT = 4001;
    static constexpr DWORD ERR_OR_BADFORMAT = 4002;
    static constexpr DWORD ERR_DATA_TAG_NOTFOUND = 4101;
    static constexpr DWORD ERR_INTERNAL = 0x7FFFFFFF;

    CQXDefaultValueEI() = default;

    // 1 on success; on failure 0 with the code, and the options emptied
    // when emptyOnError is set.
    static BOOL Parse(const std::wstring& expression, CQXDefaultValueOptionList& options,
                      DWORD& code, BOOL emptyOnError = TRUE);

    // 1 if every tag item names a tag of tags; else 0 with 4101.
    static BOOL CheckTags(const CQXDefaultValueOptionList& options,
                          const CQXDefaultValueTagItemList& tags, DWORD& code);

    // The text and level of the first alternative whose text is not empty;
    // empty with level 0 when there is none. An absent tag fails with 4101
    // when strict, else contributes an empty text at level 0. On failure the
    // value is empty.
    static BOOL GetValue(const CQXDefaultValueOptionList& options,
                         const CQXDefaultValueTagItemList& tags, std::wstring& value, int& level,
                         BOOL strict, DWORD& code);

    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);
    static const wchar_t* GetErrorKey(DWORD code);

    static BOOL Is_LeftTagDelimiter(wchar_t ch) { return ch == L'<'; }
    static BOOL Is_RightTagDelimiter(wchar_t ch) { return ch == L'>'; }
    static BOOL Is_OR(wchar_t ch) { return ch == L'o' || ch == L'O'; }

    // Parse primitives over the reader; FALSE with the reader's error set.
    // Get_OR follows the 'o' just read; Get_TagName and Get_TagItem the '<'.
    BOOL Get_OR(wchar_t current);
    // terminator receives the '>' or ':' that ended the name.
    BOOL Get_TagName(std::wstring& name, wchar_t& terminator);
    // The mask after ':' up to the closing '>', as mask text.
    BOOL Get_OutputMask(std::wstring& mask);
    BOOL Get_TagItem(wchar_t current, CQXDefaultValueItem& item);

    CZKGEI& GetReader() { return m_gei; }

protected:
    static BOOL GetValue_Option(const CQXDefaultValueItemList& option,
                                const CQXDefaultValueTagItemList& tags, std::wstring& value,
                                int& level, BOOL strict, DWORD& code);
    static BOOL _GetItemValue(const CQXDefaultValueItem& item,
                              const CQXDefaultValueTagItemList& tags, std::wstring& value,
                              int& level, BOOL strict, DWORD& code);

    BOOL _ParseOptions(CQXDefaultValueOptionList& options);
    BOOL _Fail(DWORD code);

    CZKGEI m_gei;
};
