// The file names of the legacy system-output plug-in, which jobs may still
// name and which the application treats specially.
#pragma once

#include <string>

class SQXLegacySystemOutput
{
public:
    static constexpr int FILE_COUNT = 2;

    // Release and debug build, from the environment resource when it names
    // them, else the shipped names.
    static void GetFileNames(std::wstring (&names)[FILE_COUNT]);
};
