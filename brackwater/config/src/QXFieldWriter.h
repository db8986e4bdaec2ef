// Writes a record's fields to a script in the order its field list names
// them, stopping at the first failed write. Records describe their fields
// once (a template over the writer and CQXFieldReader), so the key order of
// writing and reading can never drift apart.
#pragma once

#include <brackwater/QXRecordScript.h>
#include <brackwater/QXScriptSectionGuard.h>

#include "QXScriptLines.h"

#include <hollin/ZKAPIPluginConnector.h>
#include <hollin/ZKScript.h>

#include <string>

class CQXFieldWriter
{
public:
    static constexpr bool kReading = false;

    explicit CQXFieldWriter(CZKScript& script) : m_script(script) {}

    bool Ok() const { return m_ok; }
    CZKScript& Script() { return m_script; }

    void Text(const wchar_t* key, const std::wstring& value)
    {
        if (m_ok)
            Step(SQXRecordScript::WriteText(m_script, key, value));
    }
    // A text stored in a line-safe form: encode(value) goes to the script.
    template <class Encode, class Decode>
    void EncodedText(const wchar_t* key, const std::wstring& value, Encode encode, Decode)
    {
        Text(key, encode(value));
    }
    void Bool(const wchar_t* key, BOOL value)
    {
        if (m_ok)
            Step(SQXRecordScript::WriteBool(m_script, key, value));
    }
    void Int(const wchar_t* key, int32_t value)
    {
        if (m_ok)
            Step(SQXRecordScript::WriteInt(m_script, key, value));
    }
    void Double(const wchar_t* key, double value)
    {
        if (m_ok)
            Step(SQXRecordScript::WriteDouble(m_script, key, value));
    }
    // A single-value record (byte enumerations, ranges, lengths).
    template <class V> void Value(const wchar_t* key, const V& value)
    {
        if (m_ok)
            Step(value.toscript(m_script, key));
    }
    void Plugin(const wchar_t* key, const CZKAPIPluginConnector& plugin)
    {
        if (m_ok)
            Step(plugin.ToScript(m_script, key, 1));
    }
    // Repeated "key = text" lines; earlier lines of the key are replaced.
    void Lines(const wchar_t* key, const CZKStringList& items)
    {
        if (!m_ok)
            return;
        m_script.RemoveKey(key);
        Step(SQXScriptLines::Append(m_script, key, items));
    }
    // A nested record in the current section.
    template <class Record> void Nested(const Record& record)
    {
        if (m_ok)
            Step(record.toscript(m_script));
    }
    // A value record persisted through its base (one without script
    // operations of its own).
    template <class Base, class V> void ValueAs(const wchar_t* key, const V& value)
    {
        Value(key, static_cast<const Base&>(value));
    }
    // A part with a persistence of its own: step(script) returns its result.
    template <class Persist> void Custom(Persist persist)
    {
        if (m_ok)
            Step(persist(m_script));
    }
    // The part of a record that its base record persists.
    template <class Base, class Record> void NestedAs(const Record& record)
    {
        Nested(static_cast<const Base&>(record));
    }
    // A nested record in the current section followed by suffix (".Page").
    template <class Record> void Sub(const wchar_t* suffix, const Record& record)
    {
        CQXScriptSectionGuard guard(m_script);
        guard.EnterSub(suffix);
        Nested(record);
    }
    // A nested record in a section named absolutely ("Email").
    template <class Record> void Section(const wchar_t* name, const Record& record)
    {
        CQXScriptSectionGuard guard(m_script);
        guard.Enter(name);
        Nested(record);
    }
    // Writing always writes the keys of every format version.
    bool HasKeysOf(const wchar_t*) const { return true; }

private:
    void Step(BOOL result) { m_ok = m_ok && result; }

    CZKScript& m_script;
    bool m_ok = true;
};
