// A named store of settings buffers, one per scanner name, which the
// application persists as a whole. The buffers are opaque here: they are
// what CQXScannerSettingsManipulator writes.
//
// Store format: a 32-bit count, then per scanner in name order (plain
// case-sensitive comparison) its name and its settings as a nested buffer.
#pragma once

#include <mirelight/mirelight_export.h>

#include <hollin/ZKRBuffer.h>

#include <map>
#include <memory>
#include <string>

class MIRELIGHT_EXPORT CQXScannerSettingsManager
{
public:
    CQXScannerSettingsManager() = default;
    ~CQXScannerSettingsManager();
    CQXScannerSettingsManager(const CQXScannerSettingsManager&) = delete;
    CQXScannerSettingsManager& operator=(const CQXScannerSettingsManager&) = delete;

    // Replaces the store. An empty buffer gives an empty store; a damaged
    // one gives 0 and an empty store.
    int Load(CZKBuffer& buffer);
    int Save(CZKBuffer& buffer);

    // out becomes a copy of the scanner's settings; empty (and 1) for a
    // scanner not in the store, which a manipulator reads as defaults.
    int ReadScannerSettings(const wchar_t* name, CZKBuffer& out);
    // Stores a copy of in under the name.
    int WriteScannerSettings(const wchar_t* name, CZKBuffer& in);

    size_t GetCount() const { return m_settings.size(); }

protected:
    void _Clear();

    std::map<std::wstring, std::unique_ptr<CZKRBuffer>> m_settings;
};
