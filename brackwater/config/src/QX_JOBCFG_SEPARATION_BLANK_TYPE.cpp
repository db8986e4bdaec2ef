#include <brackwater/QX_JOBCFG_SEPARATION_BLANK_TYPE.h>

#include <brackwater/QXRecordScript.h>

namespace
{
const wchar_t kBitonalSize[] = L"BitonalSize";
const wchar_t kColorSize[] = L"ColorSize";
const wchar_t kBitonalPercent[] = L"BitonalPercent";
const wchar_t kColorPercent[] = L"ColorPercent";
const wchar_t kStandard[] = L"Standard";
const wchar_t kDeletion[] = L"Deletion";
} // namespace

void QX_JOBCFG_SEPARATION_BLANK_TYPE::init()
{
    nStandard = 0;
    nBitonalSize = 0;
    nColorSize = 0;
    nBitonalPercent = 0;
    nColorPercent = 0;
    bDeletion = FALSE;
}

void QX_JOBCFG_SEPARATION_BLANK_TYPE::reset()
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::reset();
    init();
}

void QX_JOBCFG_SEPARATION_BLANK_TYPE::set(const QX_JOBCFG_SEPARATION_BLANK_TYPE& other)
{
    QX_JOBCFG_SEPARATION_BASE_TYPE::set(other);
    nStandard = other.nStandard;
    nBitonalSize = other.nBitonalSize;
    nColorSize = other.nColorSize;
    nBitonalPercent = other.nBitonalPercent;
    nColorPercent = other.nColorPercent;
    bDeletion = other.bDeletion;
}

int QX_JOBCFG_SEPARATION_BLANK_TYPE::compare(const QX_JOBCFG_SEPARATION_BLANK_TYPE& o) const
{
    const bool same = QX_JOBCFG_SEPARATION_BASE_TYPE::compare(o) == 0 &&
                      nStandard == o.nStandard && nBitonalSize == o.nBitonalSize &&
                      nColorSize == o.nColorSize && nBitonalPercent == o.nBitonalPercent &&
                      nColorPercent == o.nColorPercent && bDeletion == o.bDeletion;
    return same ? 0 : -1;
}

BOOL QX_JOBCFG_SEPARATION_BLANK_TYPE::toscript(CZKScript& script) const
{
    return QX_JOBCFG_SEPARATION_BASE_TYPE::toscript(script) &&
           SQXRecordScript::WriteInt(script, kBitonalSize, nBitonalSize) &&
           SQXRecordScript::WriteInt(script, kColorSize, nColorSize) &&
           SQXRecordScript::WriteInt(script, kBitonalPercent, nBitonalPercent) &&
           SQXRecordScript::WriteInt(script, kColorPercent, nColorPercent) &&
           SQXRecordScript::WriteInt(script, kStandard, nStandard) &&
           SQXRecordScript::WriteBool(script, kDeletion, bDeletion);
}

BOOL QX_JOBCFG_SEPARATION_BLANK_TYPE::fromscript(CZKScript& script)
{
    if (QX_JOBCFG_SEPARATION_BASE_TYPE::fromscript(script) &&
        SQXRecordScript::ReadInt(script, kBitonalSize, nBitonalSize) &&
        SQXRecordScript::ReadInt(script, kColorSize, nColorSize) &&
        SQXRecordScript::ReadInt(script, kBitonalPercent, nBitonalPercent) &&
        SQXRecordScript::ReadInt(script, kColorPercent, nColorPercent) &&
        SQXRecordScript::ReadInt(script, kStandard, nStandard) &&
        SQXRecordScript::ReadBool(script, kDeletion, bDeletion))
        return TRUE;
    reset();
    return FALSE;
}
