// The image-view preferences a user's profile and a workspace both keep,
// under the same member names: units, zoom, display type, filters and the
// viewer grid. Their keys and key order in a script differ between the two
// records, so only the value operations are shared here.
#pragma once

class SQXImageViewPreferences
{
public:
    // The defaults init() gives.
    template <class Record> static void Init(Record& r)
    {
        r.imageDisplayType.reset();
        r.selectUnit.reset();
        r.flagUnit.reset();
        r.zoomMode.reset();
        r.nEnterKeyAction = 0;
        r.nRowsInImageViewer = 2;
        r.nColsInImageViewer = 4;
    }

    // The parts that reset() clears before init().
    template <class Record> static void ResetFilters(Record& r)
    {
        r.ivFilter.reset();
        r.tvFilter.reset();
        r.removeBlankImages.reset();
    }

    template <class Record> static void Set(Record& r, const Record& other)
    {
        r.imageDisplayType.set(other.imageDisplayType);
        r.selectUnit.set(other.selectUnit);
        r.flagUnit.set(other.flagUnit);
        r.zoomMode.set(other.zoomMode);
        r.ivFilter.set(other.ivFilter);
        r.tvFilter.set(other.tvFilter);
        r.removeBlankImages.set(other.removeBlankImages);
        r.nEnterKeyAction = other.nEnterKeyAction;
        r.nRowsInImageViewer = other.nRowsInImageViewer;
        r.nColsInImageViewer = other.nColsInImageViewer;
    }

    template <class Record> static bool Equal(const Record& a, const Record& b)
    {
        return a.imageDisplayType == b.imageDisplayType && a.selectUnit == b.selectUnit &&
               a.flagUnit == b.flagUnit && a.zoomMode == b.zoomMode && a.ivFilter == b.ivFilter &&
               a.tvFilter == b.tvFilter && a.removeBlankImages == b.removeBlankImages &&
               a.nEnterKeyAction == b.nEnterKeyAction &&
               a.nRowsInImageViewer == b.nRowsInImageViewer &&
               a.nColsInImageViewer == b.nColsInImageViewer;
    }

    template <class Record> static bool Check(const Record& r)
    {
        return r.imageDisplayType.check() && r.selectUnit.check() && r.flagUnit.check() &&
               r.zoomMode.check() && r.ivFilter.check() && r.tvFilter.check() &&
               r.removeBlankImages.check();
    }

    template <class Record> static void Normalize(Record& r)
    {
        r.imageDisplayType.normalize();
        r.selectUnit.normalize();
        r.flagUnit.normalize();
        r.zoomMode.normalize();
        r.ivFilter.normalize();
        r.tvFilter.normalize();
        r.removeBlankImages.normalize();
    }
};
