// Heap-backed buffer (malloc'ed block).
#pragma once

#include <hollin/ZKBuffer.h>
#include <hollin/hollin_export.h>

class HOLLIN_EXPORT CZKRBuffer : public CZKBuffer
{
public:
    CZKRBuffer() = default;
    explicit CZKRBuffer(size_t size) { AllocPtr(size); }
    CZKRBuffer(const void* data, size_t size) { CopyFrom(data, size); }
    // Deep copies (of any buffer kind).
    CZKRBuffer(const CZKRBuffer& other);
    explicit CZKRBuffer(const CZKBuffer& other);
    CZKRBuffer& operator=(const CZKRBuffer& other);
    ~CZKRBuffer() override;

    // size zeroed bytes, old contents dropped; FALSE when out of memory.
    BOOL Alloc(size_t size);
    // Takes ownership of a block from malloc/realloc holding size bytes (it
    // will be released with free). A null block with size 0 just empties.
    // FALSE (block not taken) for a null block with a non-zero size.
    BOOL Attach(void* block, size_t size);
    // Hands the block (free it with free) to the caller and empties the
    // buffer; nullptr when empty.
    void* Detach();
};
