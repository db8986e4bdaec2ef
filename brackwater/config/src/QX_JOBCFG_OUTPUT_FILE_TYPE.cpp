#include <brackwater/QX_JOBCFG_OUTPUT_FILE_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Sub(L".Image", r.imageFile);
    io.Sub(L".Index", r.indexFile);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_FILE_TYPE)

void QX_JOBCFG_OUTPUT_FILE_TYPE::reset()
{
    imageFile.reset();
    indexFile.reset();
}

void QX_JOBCFG_OUTPUT_FILE_TYPE::set(const QX_JOBCFG_OUTPUT_FILE_TYPE& other)
{
    imageFile.set(other.imageFile);
    indexFile.set(other.indexFile);
}

int QX_JOBCFG_OUTPUT_FILE_TYPE::compare(const QX_JOBCFG_OUTPUT_FILE_TYPE& o) const
{
    return (imageFile == o.imageFile && indexFile == o.indexFile) ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_FILE_TYPE::check() const
{
    return (imageFile.check() && indexFile.check()) ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_FILE_TYPE::normalize()
{
    imageFile.normalize();
    indexFile.normalize();
}

BOOL QX_JOBCFG_OUTPUT_FILE_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_FILE_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
