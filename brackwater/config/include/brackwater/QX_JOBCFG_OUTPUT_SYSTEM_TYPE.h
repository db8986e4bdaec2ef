// One output system: a plug-in that receives the batch, where it puts it,
// and which image files and index output it is given.
#pragma once

#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_INDEXFILE_TYPE.h>
#include <brackwater/brackwater_export.h>

#include <hollin/ZKAPIPluginConnector.h>
#include <hollin/ZKObject.h>

#include <cstdint>
#include <string>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_SYSTEM_TYPE : public CZKObject
{
    enum IMAGES
    {
        IMAGES_ALL,
        IMAGES_BLACKWHITE,
        IMAGES_COLORGRAYSCALE,
        IMAGES_COUNT
    };
    enum FLAG : int32_t
    {
        FLAG_ALL = 1,
        FLAG_BLACKWHITE = 2,
        FLAG_COLORGRAYSCALE = 4
    };

    BOOL bEnable;
    CZKAPIPluginConnector plugin;
    std::wstring strRootPath;
    int32_t nImageFileFlags;
    // Per kind of image files: the plug-in that writes them and how.
    CZKAPIPluginConnector imagePlugin[IMAGES_COUNT];
    int32_t nGroupMode[IMAGES_COUNT];
    int32_t nFileType[IMAGES_COUNT];
    QX_JOBCFG_OUTPUT_INDEXFILE_TYPE indexOutput;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_SYSTEM_TYPE);
    CZKObject* Clone() const override { return new QX_JOBCFG_OUTPUT_SYSTEM_TYPE(*this); }

    void all_check(BOOL flag) { images_check(IMAGES_ALL, flag); }
    void blackWhite_check(BOOL flag) { images_check(IMAGES_BLACKWHITE, flag); }
    void colorGrayscale_check(BOOL flag) { images_check(IMAGES_COLORGRAYSCALE, flag); }
    BOOL all_isChecked() const { return images_isChecked(IMAGES_ALL); }
    BOOL blackWhite_isChecked() const { return images_isChecked(IMAGES_BLACKWHITE); }
    BOOL colorGrayscale_isChecked() const { return images_isChecked(IMAGES_COLORGRAYSCALE); }
    void images_check(IMAGES kind, BOOL flag);
    BOOL images_isChecked(IMAGES kind) const;

protected:
    void init();
};
