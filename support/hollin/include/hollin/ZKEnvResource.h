// Named values of the installation's environment resource: a script file
// whose [Environment] section holds one "NAME = value" item per value
// (application identity for TWAIN registration, product version, the cipher
// key seed, ...).
//
// The file is the first that exists of:
//   1. the file named by the variable ZK_ENV_RESOURCE;
//   2. environment.zks in the folder named by ZK_RESOURCE_DIR;
//   3. environment.zks beside this library, then in ../resources from it.
// It is read on every call, so a changed file or variable takes effect at
// once.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class HOLLIN_EXPORT SZKEnvResource
{
public:
    static constexpr const wchar_t* SectionName = L"Environment";

    // FALSE (value unchanged) when there is no resource or no such value.
    static BOOL GetEnvStringValueA(const char* name, std::string& value);
    static BOOL GetEnvStringValue(const wchar_t* name, std::wstring& value);

    // The resource file in use; FALSE when none is found.
    static BOOL GetResourcePath(std::wstring& path);
};
