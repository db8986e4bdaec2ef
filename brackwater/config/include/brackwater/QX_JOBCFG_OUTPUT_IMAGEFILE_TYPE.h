// Which image files a job writes: one file info for all images or one per
// colour kind.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE
{
    enum KIND
    {
        KIND_ALL,
        KIND_BITONAL,
        KIND_GRAY,
        KIND_COLOR,
        KIND_COUNT
    };
    enum FLAG : int32_t
    {
        FLAG_COLOR = 1,
        FLAG_GRAYSCALE = 2,
        FLAG_BITONAL = 4,
        FLAG_ALL = 8
    };

    BOOL bEnable;
    int32_t nFlags;
    QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE fileInfo[KIND_COUNT];

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_IMAGEFILE_TYPE);

    void all_check(BOOL flag) { kind_check(KIND_ALL, flag); }
    BOOL all_ischecked() const { return kind_ischecked(KIND_ALL); }
    void all_get(QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& out) const { out.set(fileInfo[KIND_ALL]); }
    void all_set(const QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& in) { fileInfo[KIND_ALL].set(in); }
    void all_reset() { fileInfo[KIND_ALL].reset(); }
    void bitonal_check(BOOL flag) { kind_check(KIND_BITONAL, flag); }
    BOOL bitonal_ischecked() const { return kind_ischecked(KIND_BITONAL); }
    void bitonal_get(QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& out) const
    {
        out.set(fileInfo[KIND_BITONAL]);
    }
    void bitonal_set(const QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& in)
    {
        fileInfo[KIND_BITONAL].set(in);
    }
    void bitonal_reset() { fileInfo[KIND_BITONAL].reset(); }
    void grayscale_check(BOOL flag) { kind_check(KIND_GRAY, flag); }
    BOOL grayscale_ischecked() const { return kind_ischecked(KIND_GRAY); }
    void grayscale_get(QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& out) const
    {
        out.set(fileInfo[KIND_GRAY]);
    }
    void grayscale_set(const QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& in)
    {
        fileInfo[KIND_GRAY].set(in);
    }
    void grayscale_reset() { fileInfo[KIND_GRAY].reset(); }
    void color_check(BOOL flag) { kind_check(KIND_COLOR, flag); }
    BOOL color_ischecked() const { return kind_ischecked(KIND_COLOR); }
    void color_get(QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& out) const
    {
        out.set(fileInfo[KIND_COLOR]);
    }
    void color_set(const QX_JOBCFG_OUTPUT_IMAGEFILEINFO_TYPE& in) { fileInfo[KIND_COLOR].set(in); }
    void color_reset() { fileInfo[KIND_COLOR].reset(); }

    // Sets or clears the flag bit of one kind.
    void kind_check(KIND kind, BOOL flag);
    BOOL kind_ischecked(KIND kind) const;

protected:
    void init();
};
