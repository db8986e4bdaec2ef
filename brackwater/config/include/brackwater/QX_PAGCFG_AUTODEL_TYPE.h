// Deletion of blank images, per side: by image size or by content, with
// separate references for bitonal and colour/greyscale images. Content
// references are percentages.
#pragma once

#include <brackwater/QXByteTypes.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_RANGE_L_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <cstdint>

struct BRACKWATER_EXPORT QX_PAGCFG_AUTODEL_TYPE
{
    enum SIDE_INDEX
    {
        FRONT,
        REAR,
        SIDE_COUNT
    };
    enum MODE : BYTE
    {
        MODE_NONE = 0,
        MODE_SIZE = 1,
        MODE_CONTENT = 2
    };
    static constexpr int32_t MAX_CONTENT_REF = 100;

    QX_AUTODELMODE_TYPE mode[SIDE_COUNT];
    BOOL bSizeBelowRef[SIDE_COUNT];
    int32_t nBitonalSizeRef[SIDE_COUNT];
    int32_t nColorGrayscaleSizeRef[SIDE_COUNT];
    BOOL bContentBelowRef[SIDE_COUNT];
    int32_t nBitonalContentRef[SIDE_COUNT];
    int32_t nColorGrayscaleContentRef[SIDE_COUNT];
    BOOL bDeleteBothImageOfASide;

    QX_RECORD_OPERATIONS(QX_PAGCFG_AUTODEL_TYPE);

    // The range of values that deletes an image: below or above the
    // reference. Reset (unbounded) unless the side deletes by that measure;
    // FALSE then.
    BOOL get_bf_size_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_bf_content_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_cf_size_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_cf_content_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_br_size_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_br_content_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_cr_size_range(QX_RANGE_L_TYPE& range) const;
    BOOL get_cr_content_range(QX_RANGE_L_TYPE& range) const;

    // The deletion rule for an image type (1 bitonal, 2 greyscale, 3 colour)
    // on a side (1 front, 2 rear): the side's mode and the range that
    // deletes. FALSE when the side does not delete or either is unknown.
    BOOL GetDelConfig(int imageType, int side, QX_AUTODELMODE_TYPE& outMode,
                      QX_RANGE_L_TYPE& outRange) const;

protected:
    void init();

private:
    BOOL rangeOf(int side, bool bitonal, MODE measure, QX_RANGE_L_TYPE& range) const;
};
