// What happens to a finished batch: output files and systems, mail, print,
// a program to start, and the image processing applied first. Each part
// lives in a section of its own.
#pragma once

#include <brackwater/QXOutputEnableRecords.h>
#include <brackwater/QXRecordOperations.h>
#include <brackwater/QX_JOBCFG_OUTPUT_AUTODELETION_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_EMAILEX_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_FILELIST_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_PRINT_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_ROTATION_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_SPLIT_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_STITCH_TYPE.h>
#include <brackwater/QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE.h>
#include <brackwater/brackwater_export.h>

struct BRACKWATER_EXPORT QX_JOBCFG_OUTPUT_GROUP_TYPE
{
    enum SIDE_INDEX
    {
        FRONT,
        REAR,
        SIDE_COUNT
    };

    QX_JOBCFG_OUTPUT_FILELIST_TYPE files;
    QX_JOBCFG_OUTPUT_SYSTEMLIST_TYPE systems;
    QX_JOBCFG_OUTPUT_EMAILEX_TYPE email;
    QX_JOBCFG_OUTPUT_PRINT_TYPE print;
    QX_JOBCFG_OUTPUT_GENERALPROCESSING_TYPE processing;
    QX_JOBCFG_OUTPUT_AUTODELETION_TYPE autoDeletion;
    QX_JOBCFG_OUTPUT_AUTOORIENTATION_TYPE autoOrientation[SIDE_COUNT];
    QX_JOBCFG_OUTPUT_BGCOLORSMOOTHING_TYPE bgColorSmoothing[SIDE_COUNT];
    QX_JOBCFG_OUTPUT_IMAGEEDGEFILL_TYPE imageEdgeFill[SIDE_COUNT];
    QX_JOBCFG_OUTPUT_IMAGESTAMP_TYPE imageStamp;
    QX_JOBCFG_OUTPUT_ROTATION_TYPE rotation[SIDE_COUNT];
    QX_JOBCFG_OUTPUT_STITCH_TYPE stitch;
    QX_JOBCFG_OUTPUT_SPLIT_TYPE split;
    QX_JOBCFG_OUTPUT_INVOKEPROGRAM_TYPE invoke;
    QX_JOBCFG_OUTPUT_OPENBYDEFAULT_TYPE openByDefault;

    QX_RECORD_OPERATIONS(QX_JOBCFG_OUTPUT_GROUP_TYPE);

    // True when an enabled output system uses the legacy system-output
    // plug-in (its release or debug build; the file names are the
    // environment resource's LEGACY_SYSTEM_OUTPUT_PLUGIN and
    // LEGACY_SYSTEM_OUTPUT_PLUGIN_DEBUG).
    BOOL IsWithLegacySystemOutput() const;

protected:
    void init() {}
};
