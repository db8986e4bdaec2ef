// The protocol side of the scanner facade: one implementation per driver
// protocol, each forwarding to its session library. Public because the
// settings adapters take the implementation the facade hands out and reach
// the session library through it; applications otherwise use CQXScanner.
#pragma once

#include <mirelight/QXScannerEventObserver.h>
#include <mirelight/QXScannerSessionManager.h>
#include <mirelight/QXScannerTypes.h>
#include <mirelight/QX_SCANNER_NAMELIST_ITEM.h>
#include <mirelight/mirelight_export.h>

#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>
#include <hollin/ZKObject.h>
#include <wincompat/WinTypes.h>

#include <boost/pool/pool.hpp>

#include <memory>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class CZKBuffer;
class CZKRBuffer;

class MIRELIGHT_EXPORT CQXScannerImpl
{
public:
    static constexpr DWORD DEFAULT_LANGUAGE = 0x0409; // English, United States

    CQXScannerImpl() = default;
    CQXScannerImpl(const CQXScannerImpl&) = delete;
    CQXScannerImpl& operator=(const CQXScannerImpl&) = delete;
    virtual ~CQXScannerImpl();

    virtual EQXScannerProtocol GetProtocol() const = 0;
    virtual BOOL Initialize() = 0;
    virtual void Uninitialize() = 0;
    virtual BOOL QueryAvailableScanners(std::vector<QX_SCANNER_NAMELIST_ITEM>& list) = 0;
    virtual BOOL GetDefaultScanner(std::wstring& name) = 0;
    virtual BOOL UISelectScanner(std::wstring& name, HWND parent) = 0;
    virtual void GetCurrentScanner(std::wstring& name) = 0;
    virtual EQXScannerFamily GetCurrentScannerFamily() = 0;
    // Reads the table LoadCapabilities filled; FALSE before it succeeded.
    virtual BOOL GetCapability(EQXScannerCapability cap, int& value);
    virtual BOOL GetCapabilityMask(unsigned int& mask);
    virtual BOOL IsOpen() = 0;
    virtual BOOL IsOnline() = 0;
    virtual EQXScannerUIReturnCode Setup(HWND parent, EQXScannerGUISetupType type) = 0;
    virtual BOOL Acquire(HWND parent, int count) = 0;
    virtual void CancelAcquire(BOOL wait) = 0;
    virtual BOOL IsAcquiring() = 0;
    virtual BOOL SwitchCaptureSide(EQXCaptureSide side) = 0;
    virtual BOOL GetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) = 0;
    virtual BOOL SetConfig(QX_SCNCFG_CONFIGDATA_TYPE& config) = 0;
    virtual BOOL GetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, CZKBuffer* settings) = 0;
    virtual BOOL SetAdvancedConfig(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE& config, std::wstring& error) = 0;
    // The session library object (TWAIN source manager or ISIS manager).
    virtual CQXScannerSessionManager GetSessionManager() = 0;
    // The value is passed by address; what it points to depends on the tag.
    // FALSE without a value or a session library, or when the tag fails.
    virtual BOOL SetTagValue(DWORD tag, DWORD index, void* value);
    virtual BOOL GetTagValue(DWORD tag, DWORD index, void* result);
    virtual BOOL LoadCapabilities() = 0;
    virtual BOOL OpenScanner(const wchar_t* name) = 0;
    virtual void CloseScanner() = 0;

    void SetObserver(IQXScannerEventObserver* observer) { m_observer = observer; }
    IQXScannerEventObserver* GetObserver() const { return m_observer; }
    // Opens the scanner and reads its capabilities. A scanner whose
    // capabilities cannot be read is still open; its capabilities then fail.
    BOOL Open(const wchar_t* name);
    void Close();

    BOOL AreCapabilitiesLoaded() const { return m_capabilitiesLoaded; }

protected:
    typedef std::pair<void*, size_t> Strip;

    void _SetCapability(EQXScannerCapability cap, int value) { m_capabilities[cap] = value; }
    void _ClearCapabilities() { m_capabilities.clear(); }

    // One tag of the implementation's vocabulary, called by SetTagValue and
    // GetTagValue once value and session library are there; none by default.
    virtual BOOL _SetTag(DWORD tag, DWORD index, void* value);
    virtual BOOL _GetTag(DWORD tag, DWORD index, void* result);

    // The collected strips one after the other in a new block of size bytes,
    // attached to image. FALSE, image untouched, when they do not fit in size
    // bytes or no block can be had.
    BOOL _AttachJoinedStrips(CZKRBuffer& image, size_t size) const;
    // The same into a block of at least size bytes the caller has.
    BOOL _CopyJoinedStrips(BYTE* block, size_t size) const;
    // A strip's block back to the pool it came from, or to the heap.
    void _FreeBlock(void* block);

    IQXScannerEventObserver* m_observer = nullptr;
    DWORD m_language = DEFAULT_LANGUAGE;
    std::unordered_map<int, int> m_capabilities;
    BOOL m_capabilitiesLoaded = FALSE;
    // Collects the rows of the image being received; null outside a session.
    boost::pool<>* m_pool = nullptr;
    std::vector<Strip> m_strips;
    std::unordered_map<DWORD, std::unique_ptr<CZKObject>> m_objects;

private:
    typedef BOOL (CQXScannerImpl::*TagCall)(DWORD tag, DWORD index, void* value);
    BOOL _CallTag(TagCall call, DWORD tag, DWORD index, void* value);
};
