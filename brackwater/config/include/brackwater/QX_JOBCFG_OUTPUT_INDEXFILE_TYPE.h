// Which index files a job writes: one per level (batch, document, page,
// image), each switched on by its flag bit.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_INDEXFILE_TYPE
{
    typedef QX_JOBCFG_OUTPUT_INDEXFILEINFO_TYPE INFO;
    enum FLAG : int32_t
    {
        FLAG_IMAGE = 1,
        FLAG_PAGE = 2,
        FLAG_DOCUMENT = 4,
        FLAG_BATCH = 8
    };

    BOOL bEnable;
    int32_t nFlag;
    INFO levelInfo[INFO::LEVEL_COUNT] = {INFO(INFO::LEVEL_BATCH), INFO(INFO::LEVEL_DOCUMENT),
                                         INFO(INFO::LEVEL_PAGE), INFO(INFO::LEVEL_IMAGE)};

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_INDEXFILE_TYPE);

    void batch_check(BOOL flag) { level_check(INFO::LEVEL_BATCH, flag); }
    BOOL batch_ischecked() const { return level_ischecked(INFO::LEVEL_BATCH); }
    void batch_get(INFO& out) const { out.set(levelInfo[INFO::LEVEL_BATCH]); }
    void batch_set(const INFO& in) { levelInfo[INFO::LEVEL_BATCH].set(in); }
    void batch_reset() { levelInfo[INFO::LEVEL_BATCH].reset(); }
    void document_check(BOOL flag) { level_check(INFO::LEVEL_DOCUMENT, flag); }
    BOOL document_ischecked() const { return level_ischecked(INFO::LEVEL_DOCUMENT); }
    void document_get(INFO& out) const { out.set(levelInfo[INFO::LEVEL_DOCUMENT]); }
    void document_set(const INFO& in) { levelInfo[INFO::LEVEL_DOCUMENT].set(in); }
    void document_reset() { levelInfo[INFO::LEVEL_DOCUMENT].reset(); }
    void page_check(BOOL flag) { level_check(INFO::LEVEL_PAGE, flag); }
    BOOL page_ischecked() const { return level_ischecked(INFO::LEVEL_PAGE); }
    void page_get(INFO& out) const { out.set(levelInfo[INFO::LEVEL_PAGE]); }
    void page_set(const INFO& in) { levelInfo[INFO::LEVEL_PAGE].set(in); }
    void page_reset() { levelInfo[INFO::LEVEL_PAGE].reset(); }
    void image_check(BOOL flag) { level_check(INFO::LEVEL_IMAGE, flag); }
    BOOL image_ischecked() const { return level_ischecked(INFO::LEVEL_IMAGE); }
    void image_get(INFO& out) const { out.set(levelInfo[INFO::LEVEL_IMAGE]); }
    void image_set(const INFO& in) { levelInfo[INFO::LEVEL_IMAGE].set(in); }
    void image_reset() { levelInfo[INFO::LEVEL_IMAGE].reset(); }

    // Sets or clears the flag bit of one level.
    void level_check(INFO::LEVEL level, BOOL flag);
    BOOL level_ischecked(INFO::LEVEL level) const;

protected:
    void init();
};
