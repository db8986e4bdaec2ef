// Delays of the restricted mode, kept under the letters "A" to "J" and
// addressed by slot numbers 1 to 10. The slot table is fixed by the stored
// files: slots 3 and 4 share the letter C, and J has no slot.
#pragma once

#include <brackwater/QXRecordOperators.h>
#include <brackwater/brackwater_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CZKScript;

struct BRACKWATER_EXPORT QX_WELKIN_RESTRICT_TYPE
{
    static constexpr int KEY_COUNT = 10; // "A" .. "J"
    static constexpr int FIRST_SLOT = 1;
    static constexpr int LAST_SLOT = 10;
    static constexpr DWORD DEFAULT_DELAY = 999999;

    DWORD delays[KEY_COUNT]; // by letter: [0] is "A"

    QX_WELKIN_RESTRICT_TYPE() { init(); }
    QX_RECORD_OPERATORS(QX_WELKIN_RESTRICT_TYPE)

    void reset() { init(); }
    void set(const QX_WELKIN_RESTRICT_TYPE& other);
    int compare(const QX_WELKIN_RESTRICT_TYPE& other) const;
    BOOL check() const { return TRUE; }
    void normalize() {}

    // The letter of a slot; empty outside 1..10.
    static std::wstring GetDelayKey(int slot);
    // DEFAULT_DELAY outside 1..10.
    DWORD GetDelay(int slot) const;
    // FALSE outside 1..10.
    BOOL SetDelay(int slot, DWORD delay);

    // Slots 1 to 10 in order, each under its letter.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

protected:
    void init();

private:
    static int _LetterOf(int slot);
};
