#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE.h>

#include "QXFlagBits.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
typedef QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE ImageFile;

const wchar_t* const kKindSections[ImageFile::KIND_COUNT] = {L".All", L".Bitonal", L".Gray",
                                                             L".Color"};
const int32_t kKindBits[ImageFile::KIND_COUNT] = {ImageFile::FLAG_ALL, ImageFile::FLAG_BITONAL,
                                                  ImageFile::FLAG_GRAYSCALE, ImageFile::FLAG_COLOR};

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Int(L"Flags", r.nFlags);
    for (int kind = 0; kind < ImageFile::KIND_COUNT; ++kind)
        io.Sub(kKindSections[kind], r.fileInfo[kind]);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE)

void QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::init()
{
    bEnable = FALSE;
    nFlags = 0;
}

void QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::reset()
{
    for (auto& info : fileInfo)
        info.reset();
    init();
}

void QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::set(const QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE& other)
{
    bEnable = other.bEnable;
    nFlags = other.nFlags;
    for (int kind = 0; kind < KIND_COUNT; ++kind)
        fileInfo[kind].set(other.fileInfo[kind]);
}

int QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::compare(const QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE& o) const
{
    bool same = bEnable == o.bEnable && nFlags == o.nFlags;
    for (int kind = 0; kind < KIND_COUNT; ++kind)
        same = same && fileInfo[kind] == o.fileInfo[kind];
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::check() const
{
    for (const auto& info : fileInfo)
    {
        if (!info.check())
            return FALSE;
    }
    return TRUE;
}

void QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::normalize()
{
    for (auto& info : fileInfo)
        info.normalize();
}

void QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::kind_check(KIND kind, BOOL flag)
{
    if (kind >= 0 && kind < KIND_COUNT)
        SQXFlagBits::Set(nFlags, kKindBits[kind], flag != FALSE);
}

BOOL QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::kind_ischecked(KIND kind) const
{
    const bool on = kind >= 0 && kind < KIND_COUNT && SQXFlagBits::IsSet(nFlags, kKindBits[kind]);
    return on ? TRUE : FALSE;
}

BOOL QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
