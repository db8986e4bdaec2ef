#include <mirelight/QXBatchAdapter.h>
#include <mirelight/QXImageAddressAdapter.h>
#include <mirelight/QXImprinterAdapter.h>
#include <mirelight/QXImprinterTarnAdapter.h>
#include <mirelight/QXPatchAdapter.h>
#include <mirelight/QXScannerHelper.h>
#include <mirelight/QXScannerSettingsManipulator.h>

#include "QXSettingsAdapterList.h"

#include <hollin/ZKException.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include <algorithm>
#include <cctype>
#include <cstring>

namespace
{
const wchar_t* const kGeneralSection = L"General";
const wchar_t* const kFamilyKey = L"Family";

constexpr BYTE kUtf8Bom[] = {0xEF, 0xBB, 0xBF};
// Anything this short cannot be a saved script with a "General" section.
constexpr size_t kMaxNonScriptSize = 12;

bool ContainsIgnoringCase(const BYTE* data, size_t size, const char* word)
{
    const size_t length = std::strlen(word);
    const auto matches = [](BYTE a, char b) { return std::tolower(a) == b; };
    return std::search(data, data + size, word, word + length, matches) != data + size;
}

// In the binary form the tarn image address's leading-zeros code travels in
// the imprinter's record; adapters[0] is the imprinter, [1] the image address.
void MoveLeadingZerosCode(const std::vector<CQXScannerSettingsAdapter*>& adapters, bool toImageAddress)
{
    auto* imprinter = dynamic_cast<CQXImprinterTarnAdapter*>(adapters[0]);
    auto* address = dynamic_cast<CQXImageAddressAdapter*>(adapters[1]);
    if (!imprinter || !address)
        return;
    if (toImageAddress)
        address->setImageAddressFormat(imprinter->getImageAddressFormat());
    else
        imprinter->setImageAddressFormat(address->getImageAddressFormat());
}
} // namespace

CQXScannerSettingsManipulator::CQXScannerSettingsManipulator(EQXScannerFamily family) : m_family(family)
{
    _InitializeAdapters();
}

CQXScannerSettingsManipulator::CQXScannerSettingsManipulator(const wchar_t* scannerName)
    : m_family(CQXScannerHelper::QueryScannerInfo(scannerName ? scannerName : L"").family)
{
    _InitializeAdapters();
}

CQXScannerSettingsManipulator::~CQXScannerSettingsManipulator() { _UninitializeAdapters(); }

void CQXScannerSettingsManipulator::_InitializeAdapters()
{
    m_imprinterAdapter = CQXImprinterAdapter::GenerateAdapter(m_family);
    m_imageAddressAdapter = CQXImageAddressAdapter::GenerateAdapter(m_family);
    m_batchAdapter = CQXBatchAdapter::GenerateAdapter(m_family);
    m_patchAdapter = CQXPatchAdapter::GenerateAdapter(m_family);
    m_adapters = {m_imprinterAdapter, m_imageAddressAdapter, m_batchAdapter, m_patchAdapter};
    for (CQXScannerSettingsAdapter* adapter : m_adapters)
        if (adapter)
            adapter->SetManipulator(this);
}

void CQXScannerSettingsManipulator::_UninitializeAdapters()
{
    for (CQXScannerSettingsAdapter* adapter : m_adapters)
        delete adapter;
    m_adapters.clear();
    m_imprinterAdapter = nullptr;
    m_imageAddressAdapter = nullptr;
    m_batchAdapter = nullptr;
    m_patchAdapter = nullptr;
}

void CQXScannerSettingsManipulator::_CommitAdapters(const std::vector<CQXScannerSettingsAdapter*>& staged)
{
    for (size_t i = 0; i < m_adapters.size() && i < staged.size(); ++i)
        if (m_adapters[i] && staged[i])
            m_adapters[i]->Copy(*staged[i]);
}

int CQXScannerSettingsManipulator::ReadFromBuffer(CZKBuffer& buffer)
{
    if (buffer.GetSize() == 0)
        return 1;
    return _IsScript(buffer) ? _DoReadFromScript(buffer) : _DoReadFromBuffer(buffer);
}

int CQXScannerSettingsManipulator::WriteToBuffer(CZKBuffer& buffer) { return _DoWriteToScript(buffer); }

int CQXScannerSettingsManipulator::WriteToScanner(CQXScannerImpl* impl)
{
    for (CQXScannerSettingsAdapter* adapter : m_adapters)
    {
        if (!adapter || !adapter->CanWriteToScanner(impl))
            continue;
        if (!adapter->WriteToScanner(impl))
        {
            m_lastError = adapter->GetLastError();
            return 0;
        }
    }
    return 1;
}

int CQXScannerSettingsManipulator::_IsScript(CZKBuffer& buffer)
{
    const BYTE* data = buffer.GetPtr();
    const size_t size = buffer.GetSize();
    if (size <= kMaxNonScriptSize || std::memcmp(data, kUtf8Bom, sizeof(kUtf8Bom)) != 0)
        return 0;
    return ContainsIgnoringCase(data, size, "general") ? 1 : 0;
}

int CQXScannerSettingsManipulator::_DoReadFromScript(CZKBuffer& buffer)
{
    try
    {
        CZKScript script;
        if (!script.Load(buffer))
            CZKException::Throw();
        script.SetDefaultSection(kGeneralSection);
        int family = 0;
        // Settings of another family are refused before any adapter reads.
        if (!script.R_int(kFamilyKey, family) || family != m_family)
            CZKException::Throw();
        CQXSettingsAdapterList staging(m_family);
        for (CQXScannerSettingsAdapter* adapter : staging.Get())
            if (adapter && !adapter->ReadFromScript(script))
                CZKException::Throw();
        _CommitAdapters(staging.Get());
        return 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManipulator::ReadFromBuffer");
        return 0;
    }
}

int CQXScannerSettingsManipulator::_DoWriteToScript(CZKBuffer& buffer)
{
    try
    {
        CZKScript script;
        script.SetAutoSave(0);
        script.SetDefaultSection(kGeneralSection);
        if (!script.W_int(kFamilyKey, m_family))
            CZKException::Throw();
        for (CQXScannerSettingsAdapter* adapter : m_adapters)
            if (adapter && !adapter->WriteToScript(script))
                CZKException::Throw();
        CZKRBuffer text;
        if (!script.Save(text) || !buffer.CopyFrom(text))
            CZKException::Throw();
        return 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManipulator::WriteToBuffer");
        return 0;
    }
}

int CQXScannerSettingsManipulator::_DoReadFromBuffer(CZKBuffer& buffer)
{
    if (!buffer.RWOpenRead())
        return 0;
    int result = 0;
    try
    {
        LONG family = 0;
        buffer._RW_R_long(family);
        // The adapters are bound to this manipulator's family, so a record
        // of another family cannot be taken (it would leave the family and
        // the adapters disagreeing).
        if (family != m_family)
            CZKException::Throw();
        CQXSettingsAdapterList staging(m_family);
        for (CQXScannerSettingsAdapter* adapter : staging.Get())
        {
            // The moraine imprinter's record has never been read back.
            if (!adapter || adapter->GetFamilyCode() == QX_SCANNER_FAMILY_MORAINE)
                continue;
            CZKRBuffer record;
            buffer._RW_R_buffer(record);
            if (!adapter->ReadFromBuffer(record))
                CZKException::Throw();
        }
        MoveLeadingZerosCode(staging.Get(), true);
        _CommitAdapters(staging.Get());
        result = 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManipulator::ReadFromBuffer");
        result = 0;
    }
    buffer.RWClose();
    return result;
}

// The older binary form, kept as the mirror of its reader.
int CQXScannerSettingsManipulator::_DoWriteToBuffer(CZKBuffer& buffer)
{
    buffer.Empty();
    if (!buffer.RWOpenWrite())
        return 0;
    int result = 0;
    try
    {
        MoveLeadingZerosCode(m_adapters, false);
        buffer._RW_W_long(m_family);
        for (CQXScannerSettingsAdapter* adapter : m_adapters)
        {
            if (!adapter)
                continue;
            CZKRBuffer record;
            if (!adapter->WriteToBuffer(record))
                CZKException::Throw();
            buffer._RW_W_buffer(record);
        }
        result = 1;
    }
    catch (const CZKException& e)
    {
        CZKException::Catch(e, "CQXScannerSettingsManipulator::_DoWriteToBuffer");
        result = 0;
    }
    buffer.RWClose();
    return result;
}
