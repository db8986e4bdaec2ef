#include <brackwater/QX_IMAGEPOSINFO_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
const auto kFields = [](auto& r, auto& io)
{
    io.Value(L"DOCID", r.documentId);
    io.Value(L"PAGID", r.pageId);
    io.Value(L"IMGID", r.imageId);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_IMAGEPOSINFO_TYPE)

void QX_IMAGEPOSINFO_TYPE::init()
{
    documentId.reset();
    pageId.reset();
    imageId.reset();
}

void QX_IMAGEPOSINFO_TYPE::reset()
{
    init();
}

void QX_IMAGEPOSINFO_TYPE::set(const QX_IMAGEPOSINFO_TYPE& other)
{
    documentId.set(other.documentId);
    pageId.set(other.pageId);
    imageId.set(other.imageId);
}

int QX_IMAGEPOSINFO_TYPE::compare(const QX_IMAGEPOSINFO_TYPE& o) const
{
    return (documentId == o.documentId && pageId == o.pageId && imageId == o.imageId) ? 0 : -1;
}

// Every identifier must name something (none is -1).
BOOL QX_IMAGEPOSINFO_TYPE::check() const
{
    return (documentId.check() && pageId.check() && imageId.check()) ? TRUE : FALSE;
}

void QX_IMAGEPOSINFO_TYPE::normalize() {}

BOOL QX_IMAGEPOSINFO_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_IMAGEPOSINFO_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
