#include <brackwater/QX_JOBCFG_OUTPUT_SYSTEM_TYPE.h>

#include "QXFlagBits.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
typedef QX_JOBCFG_OUTPUT_SYSTEM_TYPE System;

struct ImageKeys
{
    const wchar_t* plugin;
    const wchar_t* groupMode;
    const wchar_t* fileType;
};

// The stored group-mode key of black-and-white files is spelled "Filess".
const ImageKeys kImageKeys[System::IMAGES_COUNT] = {
    {L"AllImageFile_Locator", L"AllImageFile_GroupMode", L"AllImageFile_FileType"},
    {L"BlackWhiteImageFiles_Locator", L"BlackWhiteImageFiless_GroupMode",
     L"BlackWhiteImageFiles_FileType"},
    {L"ColorGrayscaleImageFiles_Locator", L"ColorGrayscaleImageFiles_GroupMode",
     L"ColorGrayscaleImageFiles_FileType"},
};
const int32_t kImageBits[System::IMAGES_COUNT] = {System::FLAG_ALL, System::FLAG_BLACKWHITE,
                                                  System::FLAG_COLORGRAYSCALE};

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Plugin(L"Locator", r.plugin);
    io.Text(L"RootPath", r.strRootPath);
    io.Int(L"ImageFileFlags", r.nImageFileFlags);
    for (int kind = 0; kind < System::IMAGES_COUNT; ++kind)
    {
        io.Plugin(kImageKeys[kind].plugin, r.imagePlugin[kind]);
        io.Int(kImageKeys[kind].groupMode, r.nGroupMode[kind]);
        io.Int(kImageKeys[kind].fileType, r.nFileType[kind]);
    }
    io.Sub(L".Index", r.indexOutput);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_SYSTEM_TYPE)

void QX_JOBCFG_OUTPUT_SYSTEM_TYPE::init()
{
    bEnable = FALSE;
    nImageFileFlags = 0;
    for (int kind = 0; kind < IMAGES_COUNT; ++kind)
        nGroupMode[kind] = nFileType[kind] = 0;
}

void QX_JOBCFG_OUTPUT_SYSTEM_TYPE::reset()
{
    plugin.Disconnect();
    strRootPath.clear();
    for (auto& imagePluginOfKind : imagePlugin)
        imagePluginOfKind.Disconnect();
    indexOutput.reset();
    init();
}

void QX_JOBCFG_OUTPUT_SYSTEM_TYPE::set(const QX_JOBCFG_OUTPUT_SYSTEM_TYPE& other)
{
    bEnable = other.bEnable;
    plugin = other.plugin;
    strRootPath = other.strRootPath;
    nImageFileFlags = other.nImageFileFlags;
    for (int kind = 0; kind < IMAGES_COUNT; ++kind)
    {
        imagePlugin[kind] = other.imagePlugin[kind];
        nGroupMode[kind] = other.nGroupMode[kind];
        nFileType[kind] = other.nFileType[kind];
    }
    indexOutput.set(other.indexOutput);
}

int QX_JOBCFG_OUTPUT_SYSTEM_TYPE::compare(const QX_JOBCFG_OUTPUT_SYSTEM_TYPE& o) const
{
    bool same = bEnable == o.bEnable && plugin == o.plugin && strRootPath == o.strRootPath &&
                nImageFileFlags == o.nImageFileFlags && indexOutput == o.indexOutput;
    for (int kind = 0; kind < IMAGES_COUNT; ++kind)
    {
        same = same && imagePlugin[kind] == o.imagePlugin[kind] &&
               nGroupMode[kind] == o.nGroupMode[kind] && nFileType[kind] == o.nFileType[kind];
    }
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_SYSTEM_TYPE::check() const
{
    return indexOutput.check();
}

void QX_JOBCFG_OUTPUT_SYSTEM_TYPE::normalize()
{
    indexOutput.normalize();
}

void QX_JOBCFG_OUTPUT_SYSTEM_TYPE::images_check(IMAGES kind, BOOL flag)
{
    if (kind >= 0 && kind < IMAGES_COUNT)
        SQXFlagBits::Set(nImageFileFlags, kImageBits[kind], flag != FALSE);
}

BOOL QX_JOBCFG_OUTPUT_SYSTEM_TYPE::images_isChecked(IMAGES kind) const
{
    const bool on =
        kind >= 0 && kind < IMAGES_COUNT && SQXFlagBits::IsSet(nImageFileFlags, kImageBits[kind]);
    return on ? TRUE : FALSE;
}

BOOL QX_JOBCFG_OUTPUT_SYSTEM_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_SYSTEM_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
