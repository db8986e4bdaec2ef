// Job, user and page-setup scripts as a station saved them and people edited
// them. The first byte picks the record read. A refused read must leave the
// record at its defaults; an accepted one must write back and read again as
// the same record.
#include <brackwater/QX_AIPCFG_GENERAL_TYPE.h>
#include <brackwater/QX_JOBCFG_CAPTURE_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_INDEX_GROUP_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_GROUP_TYPE.h>
#include <brackwater/QX_PAGCFG_IMAGE_TYPE.h>
#include <brackwater/QX_USRCFG_GROUP_TYPE.h>
#include <brackwater/QX_USRCFG_USER_TYPE.h>
#include <brackwater/QX_USRPRO_GENERAL_TYPE.h>
#include <brackwater/QX_WELKIN_RESTRICT_TYPE.h>

#include <hollin/ZKScript.h>

#include "common/FuzzInput.h"

namespace
{
// Records whose values can fail to compare equal (a NaN margin) bring them
// into shape with normalize; the others have none.
template <class Record> auto NormalizeIfAny(Record& record, int) -> decltype(record.normalize())
{
    record.normalize();
}
template <class Record> void NormalizeIfAny(Record&, long) {}

// A tolerant reader keeps what it could read when it refuses a script.
template <class Record, bool refusalResets = true>
void ReadAndWriteBack(const std::string& text, const wchar_t* section)
{
    CZKScript script;
    if (!script.LoadFromText(text))
        return;
    script.SetDefaultSection(section);
    Record record;
    if (!record.fromscript(script))
    {
        if (refusalResets && !(record == Record()))
            FuzzFail("a refused read left a half-read record");
        return;
    }
    NormalizeIfAny(record, 0);
    // Written over the script it came from, which keeps the format version.
    Record again;
    if (!record.toscript(script) || !again.fromscript(script))
        FuzzFail("an accepted record does not write and read back");
    if (!(again == record))
        FuzzFail("a record changes on a write/read round trip");
}

using Reader = void (*)(const std::string&, const wchar_t*);
struct SRecordReader
{
    Reader read;
    const wchar_t* section;
};

const SRecordReader kReaders[] = {
    {ReadAndWriteBack<QX_JOBCFG_CAPTURE_GROUP_TYPE>, L""},
    {ReadAndWriteBack<QX_JOBCFG_INDEX_GROUP_TYPE>, L""},
    {ReadAndWriteBack<QX_JOBCFG_OUTPUT_GROUP_TYPE>, L""},
    {ReadAndWriteBack<QX_AIPCFG_GENERAL_TYPE, false>, L"AutoImport"},
    {ReadAndWriteBack<QX_WELKIN_RESTRICT_TYPE>, L"Restrict"},
    {ReadAndWriteBack<QX_USRCFG_USER_TYPE>, L"User"},
    {ReadAndWriteBack<QX_USRCFG_GROUP_TYPE>, L"Group"},
    {ReadAndWriteBack<QX_USRPRO_GENERAL_TYPE>, L"Profile"},
    {ReadAndWriteBack<QX_PAGCFG_IMAGE_TYPE>, L"Page"},
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    const SRecordReader& reader = kReaders[input.TakeByte() % (sizeof(kReaders) / sizeof(kReaders[0]))];
    reader.read(input.RestAsString(), reader.section);
    return 0;
}
