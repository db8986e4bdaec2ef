#include <brackwater/QX_JOBCFG_OUTPUT_GROUP_TYPE.h>

#include "QXLegacySystemOutput.h"
#include "QXRecordConstruction.h"
#include "QXRecordFields.h"

namespace
{
typedef QX_JOBCFG_OUTPUT_GROUP_TYPE Group;

struct SideSections
{
    const wchar_t* names[Group::SIDE_COUNT];
};

const SideSections kAutoOrientation = {{L"AutoOrientaionFront", L"AutoOrientaionRear"}};
const SideSections kBgColorSmoothing = {{L"bgColorSmoothFront", L"bgColorSmoothRear"}};
const SideSections kImageEdgeFill = {{L"ImageEdgeFillFront", L"ImageEdgeFillRear"}};
const SideSections kRotation = {{L"RotationFront", L"RotationRear"}};

template <class Io, class Record>
void PerSide(Io& io, const SideSections& sections, Record (&records)[Group::SIDE_COUNT])
{
    for (int side = 0; side < Group::SIDE_COUNT; ++side)
        io.Section(sections.names[side], records[side]);
}

const auto kFields = [](auto& r, auto& io)
{
    io.Section(L"Files", r.files);
    io.Section(L"Systems", r.systems);
    io.Section(L"Email", r.email);
    io.Section(L"Print", r.print);
    io.Section(L"Processing", r.processing);
    io.Section(L"AutoDeletion", r.autoDeletion);
    PerSide(io, kAutoOrientation, r.autoOrientation);
    PerSide(io, kBgColorSmoothing, r.bgColorSmoothing);
    PerSide(io, kImageEdgeFill, r.imageEdgeFill);
    io.Section(L"ImageStamping", r.imageStamp);
    PerSide(io, kRotation, r.rotation);
    io.Section(L"Stitch", r.stitch);
    io.Section(L"Split", r.split);
    io.Section(L"Invoke", r.invoke);
    io.Section(L"OpenByDef", r.openByDefault);
};

template <class Record> void ResetAll(Record (&records)[Group::SIDE_COUNT])
{
    for (auto& record : records)
        record.reset();
}

template <class Record>
void SetAll(Record (&records)[Group::SIDE_COUNT], const Record (&others)[Group::SIDE_COUNT])
{
    for (int side = 0; side < Group::SIDE_COUNT; ++side)
        records[side].set(others[side]);
}

template <class Record>
bool SameAll(const Record (&records)[Group::SIDE_COUNT], const Record (&others)[Group::SIDE_COUNT])
{
    for (int side = 0; side < Group::SIDE_COUNT; ++side)
    {
        if (records[side] != others[side])
            return false;
    }
    return true;
}

template <class Record> bool CheckAll(const Record (&records)[Group::SIDE_COUNT])
{
    for (const auto& record : records)
    {
        if (!record.check())
            return false;
    }
    return true;
}

template <class Record> void NormalizeAll(Record (&records)[Group::SIDE_COUNT])
{
    for (auto& record : records)
        record.normalize();
}
} // namespace

QX_RECORD_CONSTRUCTION(QX_JOBCFG_OUTPUT_GROUP_TYPE)

void QX_JOBCFG_OUTPUT_GROUP_TYPE::reset()
{
    files.reset();
    systems.reset();
    email.reset();
    print.reset();
    processing.reset();
    autoDeletion.reset();
    ResetAll(autoOrientation);
    ResetAll(bgColorSmoothing);
    ResetAll(imageEdgeFill);
    imageStamp.reset();
    ResetAll(rotation);
    stitch.reset();
    split.reset();
    invoke.reset();
    openByDefault.reset();
}

void QX_JOBCFG_OUTPUT_GROUP_TYPE::set(const QX_JOBCFG_OUTPUT_GROUP_TYPE& other)
{
    files.set(other.files);
    systems.set(other.systems);
    email.set(other.email);
    print.set(other.print);
    processing.set(other.processing);
    autoDeletion.set(other.autoDeletion);
    SetAll(autoOrientation, other.autoOrientation);
    SetAll(bgColorSmoothing, other.bgColorSmoothing);
    SetAll(imageEdgeFill, other.imageEdgeFill);
    imageStamp.set(other.imageStamp);
    SetAll(rotation, other.rotation);
    stitch.set(other.stitch);
    split.set(other.split);
    invoke.set(other.invoke);
    openByDefault.set(other.openByDefault);
}

int QX_JOBCFG_OUTPUT_GROUP_TYPE::compare(const QX_JOBCFG_OUTPUT_GROUP_TYPE& o) const
{
    const bool same =
        files == o.files && systems == o.systems && email == o.email && print == o.print &&
        processing == o.processing && autoDeletion == o.autoDeletion &&
        SameAll(autoOrientation, o.autoOrientation) &&
        SameAll(bgColorSmoothing, o.bgColorSmoothing) && SameAll(imageEdgeFill, o.imageEdgeFill) &&
        imageStamp == o.imageStamp && SameAll(rotation, o.rotation) && stitch == o.stitch &&
        split == o.split && invoke == o.invoke && openByDefault == o.openByDefault;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_OUTPUT_GROUP_TYPE::check() const
{
    const bool valid = files.check() && systems.check() && email.check() && print.check() &&
                       autoDeletion.check() && CheckAll(bgColorSmoothing) &&
                       CheckAll(imageEdgeFill) && imageStamp.check() && CheckAll(rotation) &&
                       split.check() && invoke.check();
    return valid ? TRUE : FALSE;
}

void QX_JOBCFG_OUTPUT_GROUP_TYPE::normalize()
{
    files.normalize();
    systems.normalize();
    email.normalize();
    print.normalize();
    autoDeletion.normalize();
    NormalizeAll(bgColorSmoothing);
    NormalizeAll(imageEdgeFill);
    imageStamp.normalize();
    NormalizeAll(rotation);
    split.normalize();
    invoke.normalize();
}

BOOL QX_JOBCFG_OUTPUT_GROUP_TYPE::IsWithLegacySystemOutput() const
{
    std::wstring names[SQXLegacySystemOutput::FILE_COUNT];
    SQXLegacySystemOutput::GetFileNames(names);
    return systems.HasEnabledPluginFile(names, SQXLegacySystemOutput::FILE_COUNT);
}

BOOL QX_JOBCFG_OUTPUT_GROUP_TYPE::toscript(CZKScript& script) const
{
    return SQXRecordFields::Write(*this, script, kFields);
}

BOOL QX_JOBCFG_OUTPUT_GROUP_TYPE::fromscript(CZKScript& script)
{
    return SQXRecordFields::Read(*this, script, kFields);
}
