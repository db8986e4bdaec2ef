// The tag overloads of CQXScanner: scalars travel by address, strings,
// buffers and raw pointers as the pointer itself.
#include <mirelight/QXScanner.h>

#include <mirelight/QXScannerImpl.h>

#include <hollin/ZKBuffer.h>

namespace
{
BOOL SetTag(CQXScannerImpl* impl, DWORD tag, DWORD index, void* value)
{
    return impl ? impl->SetTagValue(tag, index, value) : FALSE;
}

BOOL GetTag(CQXScannerImpl* impl, DWORD tag, DWORD index, void* result)
{
    return impl ? impl->GetTagValue(tag, index, result) : FALSE;
}
} // namespace

BOOL CQXScanner::SetTagValue(DWORD tag, int value) { return SetTagValue(tag, 0, value); }
BOOL CQXScanner::SetTagValue(DWORD tag, unsigned int value) { return SetTagValue(tag, 0, value); }
BOOL CQXScanner::SetTagValue(DWORD tag, double value) { return SetTagValue(tag, 0, value); }
BOOL CQXScanner::SetTagValue(DWORD tag, const wchar_t* value) { return SetTagValue(tag, 0, value); }
BOOL CQXScanner::SetTagValue(DWORD tag, CZKBuffer& value) { return SetTagValue(tag, 0, value); }
BOOL CQXScanner::SetTagValue(DWORD tag, void* value) { return SetTagValue(tag, 0, value); }

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, int value) { return SetTag(_GetImpl(), tag, index, &value); }

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, unsigned int value)
{
    return SetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, double value)
{
    return SetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, const wchar_t* value)
{
    return SetTag(_GetImpl(), tag, index, const_cast<wchar_t*>(value));
}

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, CZKBuffer& value)
{
    return SetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::SetTagValue(DWORD tag, DWORD index, void* value) { return SetTag(_GetImpl(), tag, index, value); }

BOOL CQXScanner::GetTagValue(DWORD tag, int& value) { return GetTagValue(tag, 0, value); }
BOOL CQXScanner::GetTagValue(DWORD tag, unsigned int& value) { return GetTagValue(tag, 0, value); }
BOOL CQXScanner::GetTagValue(DWORD tag, double& value) { return GetTagValue(tag, 0, value); }
BOOL CQXScanner::GetTagValue(DWORD tag, std::wstring& value) { return GetTagValue(tag, 0, value); }
BOOL CQXScanner::GetTagValue(DWORD tag, CZKBuffer& value) { return GetTagValue(tag, 0, value); }
BOOL CQXScanner::GetTagValue(DWORD tag, void* value) { return GetTagValue(tag, 0, value); }

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, int& value) { return GetTag(_GetImpl(), tag, index, &value); }

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, unsigned int& value)
{
    return GetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, double& value)
{
    return GetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, std::wstring& value)
{
    return GetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, CZKBuffer& value)
{
    return GetTag(_GetImpl(), tag, index, &value);
}

BOOL CQXScanner::GetTagValue(DWORD tag, DWORD index, void* value) { return GetTag(_GetImpl(), tag, index, value); }
