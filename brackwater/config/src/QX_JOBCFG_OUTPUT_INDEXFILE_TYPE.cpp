#include <brackwater/QX_JOBCFG_OUTPUT_INDEXFILE_TYPE.h>

#include "QXFlagBits.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
typedef QX_JOBCFG_OUTPUT_INDEXFILE_TYPE IndexFile;
typedef QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE IndexInfo;

const wchar_t* const kLevelSections[IndexInfo::LEVEL_COUNT] = {L".Batch", L".Document", L".Page",
                                                               L".Image"};
const int32_t kLevelBits[IndexInfo::LEVEL_COUNT] = {IndexFile::FLAG_BATCH, IndexFile::FLAG_DOCUMENT,
                                                    IndexFile::FLAG_PAGE, IndexFile::FLAG_IMAGE};

const auto kFields = [](auto& r, auto& io)
{
    io.Bool(L"Enable", r.bEnable);
    io.Int(L"Flag", r.nFlag);
    for (int level = 0; level < IndexInfo::LEVEL_COUNT; ++level)
        io.Sub(kLevelSections[level], r.levelInfo[level]);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_INDEXFILE_TYPE)

void QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::init()
{
    bEnable = FALSE;
    nFlag = 0;
}

void QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::reset()
{
    for (auto& info : levelInfo)
        info.reset();
    init();
}

void QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::set(const QX_JOBCFG_OUTPUT_INDEXFILE_TYPE& other)
{
    bEnable = other.bEnable;
    nFlag = other.nFlag;
    for (int level = 0; level < INFO::LEVEL_COUNT; ++level)
        levelInfo[level].set(other.levelInfo[level]);
}

int QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::compare(const QX_JOBCFG_OUTPUT_INDEXFILE_TYPE& o) const
{
    bool same = bEnable == o.bEnable && nFlag == o.nFlag;
    for (int level = 0; level < INFO::LEVEL_COUNT; ++level)
        same = same && levelInfo[level] == o.levelInfo[level];
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::check() const
{
    for (const auto& info : levelInfo)
    {
        if (!info.check())
            return FALSE;
    }
    return TRUE;
}

void QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::normalize()
{
    for (auto& info : levelInfo)
        info.normalize();
}

void QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::level_check(INFO::LEVEL level, BOOL flag)
{
    if (level >= 0 && level < INFO::LEVEL_COUNT)
        SQXFlagBits::Set(nFlag, kLevelBits[level], flag != FALSE);
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::level_ischecked(INFO::LEVEL level) const
{
    const bool on =
        level >= 0 && level < INFO::LEVEL_COUNT && SQXFlagBits::IsSet(nFlag, kLevelBits[level]);
    return on ? TRUE : FALSE;
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_INDEXFILE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
