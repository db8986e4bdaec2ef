#include <hollin/ZKGBuffer.h>

#include <wincompat/ZKGlobalMemory.h>

CZKGBuffer::~CZKGBuffer() { Free(); }

void CZKGBuffer::_Refresh()
{
    // The block's address stays put until it is resized or freed, so one
    // lock/unlock pair gives a pointer usable until then.
    m_ptr = nullptr;
    m_size = 0;
    if (!m_handle)
        return;
    m_size = CZKGlobalMemory::Size(m_handle);
    m_ptr = static_cast<BYTE*>(CZKGlobalMemory::Lock(m_handle));
    if (m_ptr)
        CZKGlobalMemory::Unlock(m_handle);
    else
        m_size = 0;
}

void CZKGBuffer::Free()
{
    if (m_handle && m_owns)
        CZKGlobalMemory::Free(m_handle);
    m_handle = nullptr;
    m_owns = TRUE;
    _Refresh();
}

BOOL CZKGBuffer::Alloc(size_t size)
{
    HGLOBAL handle = CZKGlobalMemory::Alloc(size, true);
    if (!handle)
        return FALSE;
    return Attach(handle, TRUE);
}

BOOL CZKGBuffer::Attach(HGLOBAL handle, BOOL owns)
{
    if (handle == m_handle && handle) {
        m_owns = owns;
        return TRUE;
    }
    Free();
    if (!handle || !CZKGlobalMemory::IsValid(handle))
        return FALSE;
    m_handle = handle;
    m_owns = owns;
    _Refresh();
    return TRUE;
}

HGLOBAL CZKGBuffer::Detach()
{
    HGLOBAL handle = m_handle;
    m_handle = nullptr;
    m_owns = TRUE;
    _Refresh();
    return handle;
}

BYTE* CZKGBuffer::Lock() { return m_handle ? static_cast<BYTE*>(CZKGlobalMemory::Lock(m_handle)) : nullptr; }

BOOL CZKGBuffer::Unlock() { return m_handle ? CZKGlobalMemory::Unlock(m_handle) : FALSE; }

const BYTE* CZKGBuffer::_Data() const { return m_size ? m_ptr : nullptr; }

size_t CZKGBuffer::_Size() const { return m_size; }

BOOL CZKGBuffer::_Resize(size_t size)
{
    if (!m_handle)
        return size == 0 ? TRUE : Alloc(size);
    if (size == m_size)
        return TRUE;
    if (!CZKGlobalMemory::ReAlloc(m_handle, size, true))
        return FALSE;
    _Refresh();
    return TRUE;
}
