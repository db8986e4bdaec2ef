// File-system steps the file-backed records share.
#pragma once

#include <string>

class SQXFiles
{
public:
    // Removes a file left behind by a failed write; false when it could not.
    static bool Delete(const std::wstring& path);
};
