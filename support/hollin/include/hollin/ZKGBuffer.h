// Buffer over a movable global memory block (CZKGlobalMemory). The buffer's
// size is always the block's size. Growing re-allocates the block, which is
// refused while the block is locked by Lock().
#pragma once

#include <hollin/ZKBuffer.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

class HOLLIN_EXPORT CZKGBuffer : public CZKBuffer
{
public:
    CZKGBuffer() = default;
    // Takes handle as Attach does.
    explicit CZKGBuffer(HGLOBAL handle, BOOL owns = TRUE) { Attach(handle, owns); }
    ~CZKGBuffer() override;

    // A new block of size zeroed bytes (the previous one released first).
    BOOL Alloc(size_t size);
    // Wraps an existing block, releasing the previous one. owns: free the
    // block when the buffer is destroyed or given another block. FALSE (and
    // the buffer empty, the handle not taken) for an invalid handle.
    BOOL Attach(HGLOBAL handle, BOOL owns = TRUE);
    // Gives up the block without freeing it; nullptr when none.
    HGLOBAL Detach();
    // nullptr when the buffer holds no block yet.
    HGLOBAL GetHandle() const { return m_handle; }
    // Locks the block (nesting like the platform's lock count) and returns
    // its bytes; nullptr without a block.
    BYTE* Lock();
    BOOL Unlock();
    // Frees (when owned) or forgets the block.
    void Free();

protected:
    const BYTE* _Data() const override;
    size_t _Size() const override;
    BOOL _Resize(size_t size) override;

private:
    void _Refresh();

    HGLOBAL m_handle = nullptr;
    BOOL m_owns = TRUE;
    BYTE* m_ptr = nullptr;
    size_t m_size = 0;
};
