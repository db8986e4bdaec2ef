// The image being received, in one block that the TWAIN layer lets the
// source write its strips into, so that a page is copied once on its way in.
// The block is kept from image to image: a session's pages reuse it unless
// one is handed on whole, and one handed on can come back (Adopt). Pages
// written into memory already in use cost no page faults.
#pragma once

#include <wincompat/WinTypes.h>

#include <cstddef>

class CQXStripPage
{
public:
    CQXStripPage() = default;
    ~CQXStripPage();
    CQXStripPage(const CQXStripPage&) = delete;
    CQXStripPage& operator=(const CQXStripPage&) = delete;

    // Room for at least minimum bytes at offset, wanted bytes in all when the
    // block has to grow; the bytes before offset are kept. nullptr when that
    // goes past limit or memory is short (the block is then as it was).
    BYTE* Reserve(size_t offset, size_t minimum, size_t wanted, size_t limit);
    // Bytes of the block from offset on.
    size_t Room(size_t offset) const { return offset < m_capacity ? m_capacity - offset : 0; }
    BYTE* Data() const { return m_block; }
    bool Owns(const void* memory) const { return memory && memory == m_block; }
    // The block becomes the caller's (std::free); the page starts empty.
    BYTE* Detach();
    // Takes a block from malloc of capacity bytes (one Detach handed out)
    // when the page is empty; frees it otherwise.
    void Adopt(BYTE* block, size_t capacity);
    void Release();

private:
    bool _Grow(size_t offset, size_t capacity);

    BYTE* m_block = nullptr;
    size_t m_capacity = 0;
};
