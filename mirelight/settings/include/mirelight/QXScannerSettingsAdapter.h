// Common base of the scanner-side feature adapters (imprinter, image address,
// batch counter, patch reader). An adapter holds one feature's settings for
// one scanner family, persists them as a script section or a binary record
// and writes them into the open scanner. The public operations are template
// methods around the protected virtual steps; none of them throws.
#pragma once

#include <mirelight/QXScannerTypes.h>
#include <mirelight/mirelight_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class CQXScannerImpl;
class CQXScannerSettingsManipulator;
class CZKBuffer;
class CZKScript;

class MIRELIGHT_EXPORT CQXScannerSettingsAdapter
{
public:
    CQXScannerSettingsAdapter(const CQXScannerSettingsAdapter&) = delete;
    CQXScannerSettingsAdapter& operator=(const CQXScannerSettingsAdapter&) = delete;
    virtual ~CQXScannerSettingsAdapter();

    // The family this adapter serves.
    virtual EQXScannerFamily GetFamilyCode() const = 0;

protected:
    CQXScannerSettingsAdapter() = default;

    virtual int _WriteToScanner(CQXScannerImpl* impl) = 0;
    // Does the open scanner have this feature at all.
    virtual int _CheckSupport(CQXScannerImpl* impl) = 0;
    // May the feature be written now.
    virtual int _CheckPrecondition(CQXScannerImpl* impl) = 0;
    // The adapter's own fields after the family code. A failed read leaves
    // the fields as they were.
    virtual int _DoReadFromBuffer(CZKBuffer& buffer) = 0;
    virtual int _DoWriteToBuffer(CZKBuffer& buffer) = 0;
    // The adapter's section(s). A failed read leaves the fields as they were.
    virtual int _DoReadFromScript(CZKScript& script) = 0;
    virtual int _DoWriteToScript(CZKScript& script) = 0;

public:
    // 0 when the settings are equal.
    virtual int Compare(const CQXScannerSettingsAdapter& other) const = 0;
    // Takes the settings of another adapter of the same class; an adapter of
    // another class is ignored.
    virtual void Copy(const CQXScannerSettingsAdapter& other) = 0;

    // The owning manipulator; not owned.
    void SetManipulator(CQXScannerSettingsManipulator* manipulator) { m_manipulator = manipulator; }
    CQXScannerSettingsManipulator* GetManipulator() const { return m_manipulator; }

    int ReadFromScript(CZKScript& script);
    int WriteToScript(CZKScript& script);
    // The binary record: a 32-bit family code, then the adapter's fields.
    // A record of another family is refused with the fields untouched.
    int ReadFromBuffer(CZKBuffer& buffer);
    int WriteToBuffer(CZKBuffer& buffer);

    // 1 when the open scanner is of this adapter's family, has the feature
    // and the feature may be written now.
    int CanWriteToScanner(CQXScannerImpl* impl);
    // 0 without writing anything when no scanner of this family is open.
    int WriteToScanner(CQXScannerImpl* impl);

    std::wstring GetLastError() const { return m_lastError; }

protected:
    // True when an open scanner of this adapter's family is behind impl.
    bool _IsOwnFamilyOpen(CQXScannerImpl* impl) const;
    void _SetLastError(const std::wstring& text) { m_lastError = text; }

    std::wstring m_lastError;
    CQXScannerSettingsManipulator* m_manipulator = nullptr;
};
