// Scanner-side settings a job keeps as opaque blocks: the scanner library's
// adapters write and read their contents. Each block is its own type (the
// tag), so two kinds never mix.
#pragma once

#include <hollin/ZKRBuffer.h>
#include <wincompat/WinTypes.h>

template <class Tag> struct TQXSettingsBlock : public CZKRBuffer
{
    TQXSettingsBlock() = default;
    TQXSettingsBlock(const TQXSettingsBlock& other) : CZKRBuffer() { set(other); }
    TQXSettingsBlock& operator=(const TQXSettingsBlock& other)
    {
        if (this != &other)
            set(other);
        return *this;
    }

    void reset() { Empty(); }
    // A copy that cannot be made (out of memory) leaves the block empty.
    void set(const TQXSettingsBlock& other)
    {
        if (!CopyFrom(other))
            Empty();
    }
    int compare(const TQXSettingsBlock& other) const { return Compare(other) == 0 ? 0 : -1; }
    bool operator==(const TQXSettingsBlock& other) const { return compare(other) == 0; }
    bool operator!=(const TQXSettingsBlock& other) const { return compare(other) != 0; }
    BOOL check() const { return TRUE; }
    void normalize() {}
};

#define QX_DECLARE_SETTINGS_BLOCK(Name)                                                            \
    struct Name : TQXSettingsBlock<Name>                                                           \
    {                                                                                              \
    }

QX_DECLARE_SETTINGS_BLOCK(QX_JOBCFG_IMPRINTER_TYPE);
QX_DECLARE_SETTINGS_BLOCK(QX_JOBCFG_IA_TYPE);
QX_DECLARE_SETTINGS_BLOCK(QX_JOBCFG_PATCH_TYPE);
