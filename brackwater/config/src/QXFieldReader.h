// Reads a record's fields from a script in the order of its field list (see
// CQXFieldWriter); after the first failed read nothing more is read, and the
// record resets itself.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>

#include "QXScriptLines.h"

#include <hollin/ZKAPIPluginConnector.h>

#include <string>

class CQXFieldReader
{
public:
    static constexpr bool kReading = true;

    explicit CQXFieldReader(CZKScript& script) : m_script(script) {}

    bool Ok() const { return m_ok; }
    CZKScript& Script() { return m_script; }

    void Text(const wchar_t* key, std::wstring& value)
    {
        if (m_ok)
            Step(SQXRecordScript::ReadText(m_script, key, value));
    }
    template <class Encode, class Decode>
    void EncodedText(const wchar_t* key, std::wstring& value, Encode, Decode decode)
    {
        Text(key, value);
        if (m_ok)
            value = decode(value);
    }
    void Bool(const wchar_t* key, BOOL& value)
    {
        if (m_ok)
            Step(SQXRecordScript::ReadBool(m_script, key, value));
    }
    void Int(const wchar_t* key, int32_t& value)
    {
        if (m_ok)
            Step(SQXRecordScript::ReadInt(m_script, key, value));
    }
    void Double(const wchar_t* key, double& value)
    {
        if (m_ok)
            Step(SQXRecordScript::ReadDouble(m_script, key, value));
    }
    template <class V> void Value(const wchar_t* key, V& value)
    {
        if (m_ok)
            Step(value.fromscript(m_script, key));
    }
    void Plugin(const wchar_t* key, CZKAPIPluginConnector& plugin)
    {
        if (m_ok)
            Step(plugin.FromScript(m_script, key, 1));
    }
    void Lines(const wchar_t* key, CZKStringList& items)
    {
        if (m_ok)
            Step(SQXScriptLines::Collect(m_script, key, items));
    }
    template <class Record> void Nested(Record& record)
    {
        if (m_ok)
            Step(record.fromscript(m_script));
    }
    // A value record persisted through its base (one without script
    // operations of its own).
    template <class Base, class V> void ValueAs(const wchar_t* key, V& value)
    {
        Value(key, static_cast<Base&>(value));
    }
    // A part with a persistence of its own: step(script) returns its result.
    template <class Persist> void Custom(Persist persist)
    {
        if (m_ok)
            Step(persist(m_script));
    }
    // The part of a record that its base record persists.
    template <class Base, class Record> void NestedAs(Record& record)
    {
        Nested(static_cast<Base&>(record));
    }
    template <class Record> void Sub(const wchar_t* suffix, Record& record)
    {
        CQXScriptSectionGuard guard(m_script);
        guard.EnterSub(suffix);
        Nested(record);
    }
    template <class Record> void Section(const wchar_t* name, Record& record)
    {
        CQXScriptSectionGuard guard(m_script);
        guard.Enter(name);
        Nested(record);
    }
    // Whether the stored format holds the keys added in version; asked once.
    bool HasKeysOf(const wchar_t* version)
    {
        return SQXRecordScript::IsStoredVersionAtLeast(m_script, version);
    }

private:
    void Step(BOOL result) { m_ok = m_ok && result; }

    CZKScript& m_script;
    bool m_ok = true;
};
