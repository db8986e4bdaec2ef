// Remembers a script's default section and restores it when it goes out of
// scope, so nested records can move into sub-sections without leaking the
// change to the caller, whatever path they return by.
#pragma once

#include <brackwater/QXRecordScript.h>

#include <string>

class CQXScriptSectionGuard
{
public:
    explicit CQXScriptSectionGuard(CZKScript& script)
        : m_script(script), m_saved(SQXRecordScript::GetSection(script))
    {
    }
    ~CQXScriptSectionGuard() { SQXRecordScript::SetSection(m_script, m_saved); }

    CQXScriptSectionGuard(const CQXScriptSectionGuard&) = delete;
    CQXScriptSectionGuard& operator=(const CQXScriptSectionGuard&) = delete;

    const std::wstring& Saved() const { return m_saved; }

    // Moves into the remembered section followed by suffix (e.g. ".Page").
    void EnterSub(const std::wstring& suffix)
    {
        SQXRecordScript::SetSection(m_script, m_saved + suffix);
    }
    void Enter(const std::wstring& section) { SQXRecordScript::SetSection(m_script, section); }
    void Restore() { SQXRecordScript::SetSection(m_script, m_saved); }

private:
    CZKScript& m_script;
    std::wstring m_saved;
};
