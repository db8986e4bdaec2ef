// A record kept alone in a script file: its keys in one named section and,
// for records whose keys grew over versions, the stored format version in
// the file's own "Version" section.
#pragma once

#include <brackwater/QXRecordScript.h>

#include <hollin/ZKScript.h>

#include <string>

class SQXScriptFile
{
public:
    // storedVersion: the format the file declares, or nullptr for none.
    template <class Record>
    static BOOL Save(const Record& record, const std::wstring& path, const wchar_t* section,
                     const wchar_t* storedVersion = nullptr)
    {
        CZKScript script;
        if (storedVersion && !SQXRecordScript::WriteStoredVersion(script, storedVersion))
            return FALSE;
        script.SetDefaultSection(section);
        return (record.toscript(script) && script.Save(path)) ? TRUE : FALSE;
    }

    // A file that does not load leaves the record at its defaults, as does
    // one that fromscript refuses.
    template <class Record>
    static BOOL Load(Record& record, const std::wstring& path, const wchar_t* section)
    {
        CZKScript script;
        if (!script.Load(path))
        {
            record.reset();
            return FALSE;
        }
        script.SetDefaultSection(section);
        return record.fromscript(script);
    }
};
