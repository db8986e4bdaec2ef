#include <brackwater/QX_WELKIN_RESTRICT_TYPE.h>

#include <brackwater/QXRecordScript.h>

#include <algorithm>

namespace
{
// Letter index (0 = "A") of slots 1..10.
const int kSlotLetters[QX_WELKIN_RESTRICT_TYPE::LAST_SLOT] = {0, 1, 2, 2, 3, 4, 5, 6, 7, 8};
} // namespace

void QX_WELKIN_RESTRICT_TYPE::init()
{
    std::fill(delays, delays + KEY_COUNT, DEFAULT_DELAY);
}

void QX_WELKIN_RESTRICT_TYPE::set(const QX_WELKIN_RESTRICT_TYPE& other)
{
    std::copy(other.delays, other.delays + KEY_COUNT, delays);
}

int QX_WELKIN_RESTRICT_TYPE::compare(const QX_WELKIN_RESTRICT_TYPE& other) const
{
    return std::equal(delays, delays + KEY_COUNT, other.delays) ? 0 : -1;
}

int QX_WELKIN_RESTRICT_TYPE::_LetterOf(int slot)
{
    return (slot >= FIRST_SLOT && slot <= LAST_SLOT) ? kSlotLetters[slot - FIRST_SLOT] : -1;
}

std::wstring QX_WELKIN_RESTRICT_TYPE::GetDelayKey(int slot)
{
    const int letter = _LetterOf(slot);
    return letter < 0 ? std::wstring() : std::wstring(1, static_cast<wchar_t>(L'A' + letter));
}

DWORD QX_WELKIN_RESTRICT_TYPE::GetDelay(int slot) const
{
    const int letter = _LetterOf(slot);
    return letter < 0 ? DEFAULT_DELAY : delays[letter];
}

BOOL QX_WELKIN_RESTRICT_TYPE::SetDelay(int slot, DWORD delay)
{
    const int letter = _LetterOf(slot);
    if (letter < 0)
        return FALSE;
    delays[letter] = delay;
    return TRUE;
}

BOOL QX_WELKIN_RESTRICT_TYPE::toscript(CZKScript& script) const
{
    for (int slot = FIRST_SLOT; slot <= LAST_SLOT; ++slot)
    {
        // Delays are unsigned; the script keeps their 32 bits as an int.
        if (!SQXRecordScript::WriteInt(script, GetDelayKey(slot).c_str(),
                                       static_cast<int>(GetDelay(slot))))
            return FALSE;
    }
    return TRUE;
}

BOOL QX_WELKIN_RESTRICT_TYPE::fromscript(CZKScript& script)
{
    for (int slot = FIRST_SLOT; slot <= LAST_SLOT; ++slot)
    {
        int stored = 0;
        if (!SQXRecordScript::ReadInt(script, GetDelayKey(slot).c_str(), stored))
        {
            reset();
            return FALSE;
        }
        SetDelay(slot, static_cast<DWORD>(stored));
    }
    return TRUE;
}
