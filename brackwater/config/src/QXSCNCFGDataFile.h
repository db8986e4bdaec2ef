// The marked-file kind of scanner configuration files.
#pragma once

#include <hollin/ZKMarkedFile.h>

class __CQXSCNCFGDataFile : public CZKMarkedFile
{
public:
    // Each mark is given as (low 32 bits, high 32 bits).
    static constexpr ULONGLONG MARK1 = (0x7A922BEBull << 32) | 0xF240B30Cull;
    static constexpr ULONGLONG MARK2 = (0xACF7559Cull << 32) | 0x27BD455Eull;
    // Written files are created read-write; existing ones opened read-only.
    static constexpr UINT CREATE_MODE = ZKFILE_READWRITE;
    static constexpr UINT OPEN_MODE = ZKFILE_READ;

    __CQXSCNCFGDataFile() : CZKMarkedFile(MARK1, MARK2) {}
};
