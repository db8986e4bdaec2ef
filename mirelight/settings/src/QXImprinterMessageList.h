// The fixed messages of an imprinter (default-value expressions the printer
// prints as text), described by a table of slots: where each is kept in the
// script, which capability takes it and which resource text names it.
#pragma once

#include <wincompat/WinTypes.h>

#include <string>
#include <vector>

class CZKBuffer;
class CZKScript;

class CQXImprinterMessageList
{
public:
    struct SLOT
    {
        const wchar_t* scriptKey;
        WORD capability;
        const wchar_t* messageKey;
    };

    template <size_t N>
    explicit CQXImprinterMessageList(const SLOT (&slots)[N]) : m_slots(slots, slots + N), m_texts(N)
    {
    }

    size_t Count() const { return m_slots.size(); }
    const SLOT& Slot(size_t i) const { return m_slots[i]; }
    const std::wstring& Text(size_t i) const { return m_texts[i]; }
    void SetText(size_t i, const std::wstring& text) { m_texts[i] = text; }
    bool operator==(const CQXImprinterMessageList& other) const { return m_texts == other.m_texts; }

    // In the current section; a missing key fails and changes nothing.
    bool ReadScript(const CZKScript& script);
    bool WriteScript(CZKScript& script) const;
    // One string each; a short buffer fails and changes nothing.
    bool ReadBuffer(CZKBuffer& buffer);
    bool WriteBuffer(CZKBuffer& buffer) const;

private:
    std::vector<SLOT> m_slots;
    std::vector<std::wstring> m_texts;
};
