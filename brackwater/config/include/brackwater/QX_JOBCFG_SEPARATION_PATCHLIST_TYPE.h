// The patch-code separations of a job: at most three, for the patch codes
// 2, 3 and T in this order (element i belongs to PATCH_CODES[i]).
#pragma once

#include <brackwater/QXOwningRecordList.h>
#include <brackwater/QX_JOBCFG_SEPARATION_PATCH_TYPE.h>
#include <brackwater/brackwater_export.h>

class CZKScript;

struct BRACKWATER_EXPORT QX_JOBCFG_SEPARATION_PATCHLIST_TYPE
    : public TQXOwningRecordList<QX_JOBCFG_SEPARATION_PATCH_TYPE>
{
    static constexpr int MAX_PATCHES = 3;
    static const wchar_t* const PATCH_CODES[MAX_PATCHES]; // "2", "3", "T"

    // No more than three patches, each valid.
    BOOL check() const;
    // Drops patches beyond the third and normalizes the others.
    void normalize();

    // The list as a whole: the separation type of the first enabled patch
    // (the separation default 2 when none is enabled), and whether any
    // enabled patch separates, searches the rear, searches rotated.
    BYTE get_separation_type() const;
    BOOL is_patch_enable() const;
    BOOL is_rearsearch_enable() const;
    BOOL is_rotatesearch_enable() const;

    // "PatchCount", patch i in the section current + ".Patch" + its code.
    // A list of more than three is refused before anything is written, and
    // a stored count above three is refused on reading.
    BOOL toscript(CZKScript& script) const;
    BOOL fromscript(CZKScript& script);

private:
    const QX_JOBCFG_SEPARATION_PATCH_TYPE* _FirstEnabled(bool (*wanted)(
        const QX_JOBCFG_SEPARATION_PATCH_TYPE&)) const;
};
