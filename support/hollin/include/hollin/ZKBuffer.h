// Growable byte buffer, also a sequential serialiser (CZKRWHelper). The base
// keeps its bytes in one malloc'ed block; CZKGBuffer keeps them in movable
// global memory instead.
#pragma once

#include <hollin/ZKRWHelper.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <cstddef>

class HOLLIN_EXPORT CZKBuffer : public CZKRWHelper
{
public:
    CZKBuffer() = default;
    ~CZKBuffer() override;
    // Polymorphic storage: copy with CopyFrom (CZKRBuffer is copyable).
    CZKBuffer(const CZKBuffer&) = delete;
    CZKBuffer& operator=(const CZKBuffer&) = delete;

    // nullptr when empty.
    BYTE* GetPtr() { return const_cast<BYTE*>(_Data()); }
    const BYTE* GetPtr() const { return _Data(); }
    size_t GetSize() const { return _Size(); }
    BOOL IsEmpty() const { return _Size() == 0 ? TRUE : FALSE; }

    // Makes the buffer exactly size zeroed bytes (old contents dropped) and
    // returns the pointer to them; nullptr when size is 0 (buffer emptied) or
    // the memory cannot be had (buffer unchanged).
    BYTE* AllocPtr(size_t size);
    // Changes the size keeping the first bytes; new bytes are zero.
    BOOL SetSize(size_t size) { return _Resize(size); }
    BOOL Append(const void* data, size_t size);
    void Empty() { _Resize(0); }

    BOOL CopyFrom(const CZKBuffer& source);
    BOOL CopyFrom(const void* data, size_t size);
    // memcmp order over the common length, then the shorter buffer first:
    // <0, 0 or >0.
    int Compare(const CZKBuffer& other) const;
    BOOL IsEqual(const CZKBuffer& other) const { return Compare(other) == 0 ? TRUE : FALSE; }
    bool operator==(const CZKBuffer& other) const { return Compare(other) == 0; }
    bool operator!=(const CZKBuffer& other) const { return Compare(other) != 0; }

protected:
    // Storage hooks; the base implementation is the heap block below.
    virtual const BYTE* _Data() const;
    virtual size_t _Size() const;
    // Resizes keeping min(old, new) bytes, zero-filling the rest; FALSE with
    // the contents untouched on failure.
    virtual BOOL _Resize(size_t size);

    // Heap block management for CZKRBuffer.
    void _HeapAttach(BYTE* block, size_t size);
    BYTE* _HeapDetach();

    const BYTE* _RWData() const override { return _Data(); }
    size_t _RWSize() const override { return _Size(); }
    BOOL _RWAppend(const void* data, size_t size) override { return Append(data, size); }
    BOOL _RWTruncate() override { return _Resize(0); }

private:
    BYTE* m_heap = nullptr;
    size_t m_heapSize = 0;
    size_t m_heapCapacity = 0;
};
