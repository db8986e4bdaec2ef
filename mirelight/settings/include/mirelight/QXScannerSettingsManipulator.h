// All scanner-side settings of one scanner family: one adapter per feature
// (imprinter, image address, batch counter, patch reader, null where the
// family lacks it), moved together to and from one settings buffer and
// written together into an open scanner.
//
// Settings buffers come in two forms: the script form (what every write
// produces: the saved text of a script with "General"/"Family" and one
// section per adapter) and the older binary form (the family code, then one
// nested record per adapter), which is still read.
#pragma once

#include <mirelight/QXScannerTypes.h>
#include <mirelight/mirelight_export.h>

#include <string>
#include <vector>

class CQXBatchAdapter;
class CQXImageAddressAdapter;
class CQXImprinterAdapter;
class CQXPatchAdapter;
class CQXScannerImpl;
class CQXScannerSettingsAdapter;
class CZKBuffer;

class MIRELIGHT_EXPORT CQXScannerSettingsManipulator
{
public:
    explicit CQXScannerSettingsManipulator(EQXScannerFamily family);
    // The family of the scanner's product name; generic when unknown.
    explicit CQXScannerSettingsManipulator(const wchar_t* scannerName);
    ~CQXScannerSettingsManipulator();
    // The manipulator owns its adapters.
    CQXScannerSettingsManipulator(const CQXScannerSettingsManipulator&) = delete;
    CQXScannerSettingsManipulator& operator=(const CQXScannerSettingsManipulator&) = delete;

    EQXScannerFamily GetFamily() const { return m_family; }
    CQXImprinterAdapter* GetImprinterAdapter() const { return m_imprinterAdapter; }
    CQXImageAddressAdapter* GetImageAddressAdapter() const { return m_imageAddressAdapter; }
    CQXBatchAdapter* GetBatchAdapter() const { return m_batchAdapter; }
    CQXPatchAdapter* GetPatchAdapter() const { return m_patchAdapter; }

    // Either form; an empty buffer keeps the current settings. Settings of
    // another family, and any damaged buffer, are refused (0) with every
    // adapter left as it was.
    int ReadFromBuffer(CZKBuffer& buffer);
    // Always the script form. On failure the buffer is left as it was.
    int WriteToBuffer(CZKBuffer& buffer);
    // Writes every adapter the open scanner can take, in list order; the
    // first failure stops the walk and its text becomes the last error.
    int WriteToScanner(CQXScannerImpl* impl);

    std::wstring GetLastError() const { return m_lastError; }

protected:
    void _InitializeAdapters();
    void _UninitializeAdapters();
    int _IsScript(CZKBuffer& buffer);
    int _DoReadFromBuffer(CZKBuffer& buffer);
    int _DoWriteToBuffer(CZKBuffer& buffer);
    int _DoReadFromScript(CZKBuffer& buffer);
    int _DoWriteToScript(CZKBuffer& buffer);

    // Takes the settings read into a staging copy of the adapter list.
    void _CommitAdapters(const std::vector<CQXScannerSettingsAdapter*>& staged);

    EQXScannerFamily m_family;
    // Imprinter, image address, batch, patch; null entries included.
    std::vector<CQXScannerSettingsAdapter*> m_adapters;
    CQXImprinterAdapter* m_imprinterAdapter = nullptr;
    CQXImageAddressAdapter* m_imageAddressAdapter = nullptr;
    CQXBatchAdapter* m_batchAdapter = nullptr;
    CQXPatchAdapter* m_patchAdapter = nullptr;
    std::wstring m_lastError;
};
