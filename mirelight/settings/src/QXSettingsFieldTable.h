// The flat fields of an adapter's settings record, each with its script key
// in the adapter's section, so that both stored forms and the comparison
// walk one list in one order. An int field is a flag: 0 or 1, a 32-bit value
// in the binary record, a BOOL in the script. Reads fill a copy and commit it
// only when every field was read, so a failed read changes nothing.
#pragma once

#include "QXSettingsScript.h"

#include <brackwater/QXScriptSectionGuard.h>
#include <hollin/ZKBuffer.h>
#include <wincompat/WinTypes.h>

#include <initializer_list>
#include <variant>
#include <vector>

namespace QXSettingsField
{
inline bool Read(CZKBuffer& buffer, int& flag)
{
    LONG value = 0;
    if (!buffer.RW_R_long(value))
        return false;
    flag = value ? 1 : 0;
    return true;
}
inline bool Read(CZKBuffer& buffer, short& value)
{
    return buffer.RW_R_short(value);
}
inline bool Read(CZKBuffer& buffer, WORD& value)
{
    return buffer.RW_R_WORD(value);
}
inline bool Read(CZKBuffer& buffer, double& value)
{
    return buffer.RW_R_double(value);
}

inline bool Write(CZKBuffer& buffer, int flag)
{
    return buffer.RW_W_long(flag);
}
inline bool Write(CZKBuffer& buffer, short value)
{
    return buffer.RW_W_short(value);
}
inline bool Write(CZKBuffer& buffer, WORD value)
{
    return buffer.RW_W_WORD(value);
}
inline bool Write(CZKBuffer& buffer, double value)
{
    return buffer.RW_W_double(value);
}

inline bool Read(const CZKScript& script, const wchar_t* key, int& flag)
{
    return SQXSettingsScript::ReadFlag(script, key, flag);
}
inline bool Read(const CZKScript& script, const wchar_t* key, short& value)
{
    return SQXSettingsScript::ReadShort(script, key, value);
}
inline bool Read(const CZKScript& script, const wchar_t* key, WORD& value)
{
    return SQXSettingsScript::ReadWord(script, key, value);
}
inline bool Read(const CZKScript& script, const wchar_t* key, double& value)
{
    return SQXSettingsScript::ReadDouble(script, key, value);
}

inline bool Write(CZKScript& script, const wchar_t* key, int flag)
{
    return SQXSettingsScript::WriteFlag(script, key, flag);
}
inline bool Write(CZKScript& script, const wchar_t* key, short value)
{
    return SQXSettingsScript::WriteInt(script, key, value);
}
inline bool Write(CZKScript& script, const wchar_t* key, WORD value)
{
    return SQXSettingsScript::WriteInt(script, key, value);
}
inline bool Write(CZKScript& script, const wchar_t* key, double value)
{
    return SQXSettingsScript::WriteDouble(script, key, value);
}
} // namespace QXSettingsField

template <class RECORD> class CQXSettingsFieldTable
{
public:
    using MEMBER = std::variant<int RECORD::*, short RECORD::*, WORD RECORD::*, double RECORD::*>;
    struct FIELD
    {
        const wchar_t* key;
        MEMBER member;
    };

    CQXSettingsFieldTable(const wchar_t* section, std::initializer_list<FIELD> fields)
        : m_section(section), m_fields(fields)
    {
    }

    int ReadBuffer(CZKBuffer& buffer, RECORD& record) const
    {
        return _ReadAll(record, [&buffer](auto& value, const wchar_t*)
                        { return QXSettingsField::Read(buffer, value); });
    }

    int WriteBuffer(CZKBuffer& buffer, const RECORD& record) const
    {
        return _WriteAll(record, [&buffer](auto value, const wchar_t*)
                         { return QXSettingsField::Write(buffer, value); });
    }

    int ReadScript(CZKScript& script, RECORD& record) const
    {
        CQXScriptSectionGuard section(script);
        section.Enter(m_section);
        return _ReadAll(record, [&script](auto& value, const wchar_t* key)
                        { return QXSettingsField::Read(script, key, value); });
    }

    int WriteScript(CZKScript& script, const RECORD& record) const
    {
        CQXScriptSectionGuard section(script);
        section.Enter(m_section);
        return _WriteAll(record, [&script](auto value, const wchar_t* key)
                         { return QXSettingsField::Write(script, key, value); });
    }

    // Every field compared exactly.
    bool Equal(const RECORD& a, const RECORD& b) const
    {
        for (const FIELD& field : m_fields)
            if (!std::visit([&](auto member) { return a.*member == b.*member; }, field.member))
                return false;
        return true;
    }

private:
    template <class READ> int _ReadAll(RECORD& record, READ read) const
    {
        RECORD staged = record;
        for (const FIELD& field : m_fields)
            if (!std::visit([&](auto member) { return read(staged.*member, field.key); },
                            field.member))
                return 0;
        record = staged;
        return 1;
    }

    template <class WRITE> int _WriteAll(const RECORD& record, WRITE write) const
    {
        for (const FIELD& field : m_fields)
            if (!std::visit([&](auto member) { return write(record.*member, field.key); },
                            field.member))
                return 0;
        return 1;
    }

    const wchar_t* m_section;
    std::vector<FIELD> m_fields;
};
