// CZKGEI: the character reader under the mask and expression languages.
//
// A reader walks one wide text left to right. Parsers take characters with
// Get, look ahead with Peek, and call the token readers (Get_Int, Get_String,
// ...) at the current position. Nothing here throws: a token reader that
// fails returns FALSE, records an error code (GetError) and leaves the
// position where the token began, so the caller can report its own code.
//
// Reading modes. Get, Peek and the expected-character Get take three flags
// that say which blank characters are handed to the caller rather than
// skipped in front of the next character:
//   keepSpaces     (1st) the space U+0020;
//   keepTabs       (2nd) the horizontal tab;
//   keepLineBreaks (3rd) CR, LF, vertical tab and form feed.
// The modes the languages use:
//   0,0,0  normal: every blank between tokens is skipped, so "i [1, 12]"
//          reads like "i[1,12]";
//   1,1,1  verbatim: every character is returned, used where a sub-mask is
//          copied unchanged and for runs of identical tag letters;
//   1,0,0  names: spaces are returned (a tag name may contain blanks, and
//          its ends are trimmed by the caller) while tabs and line breaks,
//          which only lay an expression out, are skipped.
// The token readers never skip anything: they read exactly at the current
// position, so "12 " and " 12" are not plain integers (a caller that allows
// blanks in front calls SkipBlanks first).
//
// End of text. Get and Peek return EndMarker once the text is used up;
// Is_EOF recognises it. SetExpression replaces any character equal to
// EndMarker inside the text by U+FFFD, so the marker can never be read early.
//
// Delimiters. A string is enclosed in double quotes ("abc"); a doubled
// double quote inside stands for one ("a""b" is a"b). A character is
// enclosed in apostrophes ('x'); exactly one character lies between them,
// which may itself be an apostrophe (''' is ').
#pragma once

#include <orrin/orrin_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>
#include <string>

class ORRIN_EXPORT CZKGEI
{
public:
    static constexpr wchar_t EndMarker = static_cast<wchar_t>(-1);
    static constexpr wchar_t StringDelimiter = L'"';
    static constexpr wchar_t CharDelimiter = L'\'';

    // Error codes of the reader. Codes 100, 130, 140 and 2107 are raised by
    // the mask parsers but worded here, beside the reader's own.
    static constexpr DWORD ERR_NONE = 0;
    static constexpr DWORD ERR_UNEXPECTED_CHAR = 100; // a character that starts no item
    static constexpr DWORD ERR_UNEXPECTED_END = 101;  // the text ended inside a token
    static constexpr DWORD ERR_INT_EXPECTED = 110;    // no digit where an integer must start
    static constexpr DWORD ERR_INT_OVERFLOW = 111;    // the integer does not fit 32 bits
    static constexpr DWORD ERR_FLOAT_EXPECTED = 120;  // no digit where a number must start
    static constexpr DWORD ERR_FLOAT_OVERFLOW = 121;  // the number is not finite
    static constexpr DWORD ERR_INT_TRAILING = 130;    // an integer part holds more than a number
    static constexpr DWORD ERR_FLOAT_TRAILING = 140;  // a real part holds more than a number
    static constexpr DWORD ERR_STRING_EXPECTED = 150; // no opening double quote
    static constexpr DWORD ERR_STRING_UNCLOSED = 151; // no closing double quote
    static constexpr DWORD ERR_CHAR_EXPECTED = 160;   // no opening apostrophe
    // Not exactly one character before the closing apostrophe.
    static constexpr DWORD ERR_CHAR_UNCLOSED = 161;
    static constexpr DWORD ERR_SPAN_EXPECTED = 170; // Get_StringEx: no opening delimiter
    static constexpr DWORD ERR_SPAN_UNCLOSED = 171; // Get_StringEx: no matching closing delimiter
    // Literal search: the value does not hold the literal.
    static constexpr DWORD ERR_LITERAL_NOT_FOUND = 2107;

    CZKGEI() = default;
    explicit CZKGEI(const std::wstring& text);

    // Starts reading text from its beginning and clears the error.
    void SetExpression(const std::wstring& text);
    const std::wstring& GetExpression() const { return m_text; }

    // Position: index of the next character to read. SetPosition clamps to
    // the text's length.
    size_t GetPosition() const { return m_pos; }
    void SetPosition(size_t pos);
    BOOL IsAtEnd() const { return m_pos >= m_text.size(); }

    // Next character after skipping the blanks the flags do not keep;
    // EndMarker at the end.
    wchar_t Get(BOOL keepSpaces = FALSE, BOOL keepTabs = FALSE, BOOL keepLineBreaks = FALSE);

    // Like Get, but consumes the character only when it equals expected
    // (the skipped blanks are consumed either way). TRUE when it did.
    BOOL Get(wchar_t expected, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks);

    // The character Get would return, without consuming it or the blanks.
    wchar_t Peek(BOOL keepSpaces = FALSE, BOOL keepTabs = FALSE, BOOL keepLineBreaks = FALSE) const;

    // Steps back over the character returned by the last Get, so that the
    // position is on it (the blanks skipped before it stay skipped) and a
    // token reader can start there. Only one step is remembered; FALSE when
    // there is none.
    BOOL Unget();

    // Skips every blank at the current position.
    void SkipBlanks();

    // 'x' at the current position: ch receives x.
    BOOL Get_Char(wchar_t& ch);
    // Optional sign and decimal digits, within the signed 32-bit range.
    BOOL Get_Int(int& value);
    // Decimal digits only, within the signed 32-bit range.
    BOOL Get_Int_NoSign(int& value);
    // Optional sign, one or more digits, optional '.' and more digits (no
    // exponent, no bare ".5"). text receives the number exactly as written.
    BOOL Get_Float(double& value);
    BOOL Get_Float(double& value, std::wstring& text);
    // "..." at the current position: text receives the contents, with
    // doubled quotes undone.
    BOOL Get_String(std::wstring& text);
    // open ... close at the current position, nested pairs included: text
    // receives what lies between the outer pair. A double-quoted string
    // inside is skipped as a whole, so a quoted close does not end the span.
    BOOL Get_StringEx(std::wstring& text, wchar_t open, wchar_t close);

    static BOOL Is_0_9(wchar_t ch) { return ch >= L'0' && ch <= L'9'; }
    static BOOL Is_A_Z(wchar_t ch) { return ch >= L'A' && ch <= L'Z'; }
    static BOOL Is_a_z(wchar_t ch) { return ch >= L'a' && ch <= L'z'; }
    static BOOL Is_CharDelimiter(wchar_t ch) { return ch == CharDelimiter; }
    static BOOL Is_StringDelimiter(wchar_t ch) { return ch == StringDelimiter; }
    static BOOL Is_EOF(wchar_t ch) { return ch == EndMarker; }
    static BOOL Is_Blank(wchar_t ch);

    void SetError(DWORD code) { m_error = code; }
    void ClearError() { m_error = ERR_NONE; }
    DWORD GetError() const { return m_error; }

    // The resource key of one of the reader's codes above (empty and FALSE
    // for any other code, and for 0). With loadText the key is resolved
    // through SZKRCM::LoadText; a key without a text is returned as is, so a
    // known code never yields an empty message.
    static const wchar_t* GetErrorKey(DWORD code);
    static BOOL GetErrorMessage(DWORD code, std::wstring& text, BOOL loadText = TRUE);

    // Shared by every mask language: text receives key itself, or its
    // resource text with loadText when there is one. FALSE (text empty) for
    // a null key.
    static BOOL ResolveErrorKey(const wchar_t* key, std::wstring& text, BOOL loadText);

private:
    size_t SkipFrom(size_t pos, BOOL keepSpaces, BOOL keepTabs, BOOL keepLineBreaks) const;
    BOOL ReadDigits(long long& value, BOOL& overflow);
    BOOL ReadInt(int& value, BOOL allowSign);
    BOOL Fail(DWORD code, size_t restorePos);
    wchar_t At(size_t pos) const { return pos < m_text.size() ? m_text[pos] : EndMarker; }

    std::wstring m_text;
    size_t m_pos = 0;
    size_t m_lastPos = 0;
    BOOL m_canUnget = FALSE;
    DWORD m_error = ERR_NONE;
};
