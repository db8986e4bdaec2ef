#include <mirelight/QXScannerImpl.h>
#include <mirelight/QXScannerSettingsAdapter.h>

#include <hollin/ZKBuffer.h>
#include <hollin/ZKException.h>

#include <cstdint>

CQXScannerSettingsAdapter::~CQXScannerSettingsAdapter() = default;

int CQXScannerSettingsAdapter::ReadFromScript(CZKScript& script)
{
    try
    {
        return _DoReadFromScript(script) ? 1 : 0;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsAdapter::ReadFromScript");
        return 0;
    }
}

int CQXScannerSettingsAdapter::WriteToScript(CZKScript& script)
{
    try
    {
        return _DoWriteToScript(script) ? 1 : 0;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsAdapter::WriteToScript");
        return 0;
    }
}

int CQXScannerSettingsAdapter::ReadFromBuffer(CZKBuffer& buffer)
{
    if (!buffer.RWOpenRead())
        return 0;
    int result = 0;
    try
    {
        int32_t family = 0;
        buffer._RWRead(&family, sizeof(family));
        if (family != GetFamilyCode())
            CZKException::Throw();
        result = _DoReadFromBuffer(buffer) ? 1 : 0;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsAdapter::ReadFromBuffer");
        result = 0;
    }
    buffer.RWClose();
    return result;
}

int CQXScannerSettingsAdapter::WriteToBuffer(CZKBuffer& buffer)
{
    buffer.Empty();
    if (!buffer.RWOpenWrite())
        return 0;
    int result = 0;
    try
    {
        const int32_t family = GetFamilyCode();
        buffer._RWWrite(&family, sizeof(family));
        result = _DoWriteToBuffer(buffer) ? 1 : 0;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsAdapter::WriteToBuffer");
        result = 0;
    }
    buffer.RWClose();
    return result;
}

bool CQXScannerSettingsAdapter::_IsOwnFamilyOpen(CQXScannerImpl* impl) const
{
    if (!impl)
        return false;
    const EQXScannerFamily family = impl->GetCurrentScannerFamily();
    return family != QX_SCANNER_FAMILY_NONE && family == GetFamilyCode();
}

int CQXScannerSettingsAdapter::CanWriteToScanner(CQXScannerImpl* impl)
{
    if (!_IsOwnFamilyOpen(impl))
        return 0;
    if (!_CheckSupport(impl))
        return 0;
    return _CheckPrecondition(impl) ? 1 : 0;
}

int CQXScannerSettingsAdapter::WriteToScanner(CQXScannerImpl* impl)
{
    if (!_IsOwnFamilyOpen(impl))
        return 0;
    try
    {
        return _WriteToScanner(impl) ? 1 : 0;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsAdapter::WriteToScanner");
        return 0;
    }
}
