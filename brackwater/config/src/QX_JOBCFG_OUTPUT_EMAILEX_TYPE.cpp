#include <brackwater/QX_JOBCFG_OUTPUT_EMAILEX_TYPE.h>

#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

const wchar_t* const QX_JOBCFG_OUTPUT_EMAILEX_TYPE::DEFAULT_IMAGE_NAME =
    L"<DOCUMENT_ID_8><DEFAULT_EXT>";

namespace
{
const int kKinds = QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE::KIND_COUNT;
// Within ".Image", named as the image file's kinds are.
const wchar_t* const kKindSections[kKinds] = {L".Image.All", L".Image.Bitonal", L".Image.Gray",
                                              L".Image.Color"};

const auto kFields = [](auto& r, auto& io)
{
    io.Sub(L".Email", r.email);
    for (int kind = 0; kind < kKinds; ++kind)
        io.Sub(kKindSections[kind], r.imageInfo[kind]);
};
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_EMAILEX_TYPE)

void QX_JOBCFG_OUTPUT_EMAILEX_TYPE::reset()
{
    email.reset();
    for (auto& info : imageInfo)
        info.reset();
}

void QX_JOBCFG_OUTPUT_EMAILEX_TYPE::set(const QX_JOBCFG_OUTPUT_EMAILEX_TYPE& other)
{
    email.set(other.email);
    for (int kind = 0; kind < kKinds; ++kind)
        imageInfo[kind].set(other.imageInfo[kind]);
}

int QX_JOBCFG_OUTPUT_EMAILEX_TYPE::compare(const QX_JOBCFG_OUTPUT_EMAILEX_TYPE& o) const
{
    bool same = email == o.email;
    for (int kind = 0; kind < kKinds; ++kind)
        same = same && imageInfo[kind] == o.imageInfo[kind];
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_EMAILEX_TYPE::check() const
{
    for (const auto& info : imageInfo)
    {
        if (!info.check())
            return FALSE;
    }
    return email.check();
}

void QX_JOBCFG_OUTPUT_EMAILEX_TYPE::normalize()
{
    email.normalize();
    for (auto& info : imageInfo)
        info.normalize();
}

BOOL QX_JOBCFG_OUTPUT_EMAILEX_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_EMAILEX_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
