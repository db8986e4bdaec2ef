#include <brackwater/QXRecordScript.h>

#include <hollin/ZKScript.h>
#include <orrin/ZKVersion.h>

namespace
{
// Records address their keys through the default section.
const int kDefaultSection = 1;
const wchar_t kVersionSection[] = L"Version";
const wchar_t kVersionKey[] = L"VersionNumber";
} // namespace

BOOL SQXRecordScript::WriteInt(CZKScript& script, const wchar_t* key, int value)
{
    return script.W_int(key, value, kDefaultSection);
}

BOOL SQXRecordScript::ReadInt(CZKScript& script, const wchar_t* key, int& value)
{
    return script.R_int(key, value, kDefaultSection);
}

BOOL SQXRecordScript::WriteBool(CZKScript& script, const wchar_t* key, BOOL value)
{
    return script.W_BOOL(key, value, kDefaultSection);
}

BOOL SQXRecordScript::ReadBool(CZKScript& script, const wchar_t* key, BOOL& value)
{
    return script.R_BOOL(key, value, kDefaultSection);
}

BOOL SQXRecordScript::WriteDouble(CZKScript& script, const wchar_t* key, double value)
{
    return script.W_double(key, value, kDefaultSection);
}

BOOL SQXRecordScript::ReadDouble(CZKScript& script, const wchar_t* key, double& value)
{
    return script.R_double(key, value, kDefaultSection);
}

BOOL SQXRecordScript::WriteInt4(CZKScript& script, const wchar_t* key, const int values[4])
{
    return script.W_int4(key, values, kDefaultSection);
}

BOOL SQXRecordScript::ReadInt4(CZKScript& script, const wchar_t* key, int values[4])
{
    return script.R_int4(key, values, kDefaultSection);
}

BOOL SQXRecordScript::WriteText(CZKScript& script, const wchar_t* key, const std::wstring& value)
{
    return script.SetKeyValue(key, value, kDefaultSection);
}

BOOL SQXRecordScript::ReadText(CZKScript& script, const wchar_t* key, std::wstring& value)
{
    return script.GetKeyValue(key, value, kDefaultSection);
}

std::wstring SQXRecordScript::GetSection(CZKScript& script)
{
    std::wstring name;
    script.GetDefaultSection(name);
    return name;
}

void SQXRecordScript::SetSection(CZKScript& script, const std::wstring& section)
{
    script.SetDefaultSection(section);
}

bool SQXRecordScript::IsStoredVersionAtLeast(CZKScript& script, const wchar_t* fixedVersion)
{
    // A missing or malformed stored version gives an empty version, which
    // the version class orders below every real one.
    std::wstring storedText;
    if (!script.GetKeyValue(kVersionKey, storedText, 0, kVersionSection))
        storedText.clear();
    CZKVersion stored;
    stored.CreateVersionFromString(storedText);
    CZKVersion fixed;
    fixed.CreateVersionFromString(fixedVersion);
    return fixed.Compare(stored) <= 0;
}

BOOL SQXRecordScript::WriteStoredVersion(CZKScript& script, const wchar_t* version)
{
    return script.SetKeyValue(kVersionKey, version, 0, kVersionSection);
}
