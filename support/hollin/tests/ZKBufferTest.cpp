#include <hollin/ZKGBuffer.h>
#include <hollin/ZKRBuffer.h>

#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

std::string Text(const CZKBuffer& buffer)
{
    const BYTE* data = buffer.GetPtr();
    return data ? std::string(reinterpret_cast<const char*>(data), buffer.GetSize()) : std::string();
}

} // namespace

TEST(ZKBufferTest, AllocCopyAppendAndResize)
{
    CZKRBuffer buffer("abc", 3);
    BYTE* p = buffer.AllocPtr(5);
    ASSERT_NE(nullptr, p);
    EXPECT_EQ(std::string(5, '\0'), Text(buffer)) << "AllocPtr drops the old bytes";
    EXPECT_EQ(nullptr, buffer.AllocPtr(0));
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(nullptr, buffer.GetPtr());

    EXPECT_TRUE(buffer.CopyFrom("hello", 5));
    EXPECT_TRUE(buffer.SetSize(7));
    EXPECT_EQ(std::string("hello\0\0", 7), Text(buffer));
    EXPECT_TRUE(buffer.SetSize(4));
    EXPECT_TRUE(buffer.Append(buffer.GetPtr() + 1, 3)) << "appending part of itself";
    EXPECT_EQ("hellell", Text(buffer));
    EXPECT_TRUE(buffer.CopyFrom(buffer.GetPtr() + 4, 3)) << "copying part of itself";
    EXPECT_EQ("ell", Text(buffer));
    EXPECT_FALSE(buffer.CopyFrom(nullptr, 2));
    EXPECT_EQ("ell", Text(buffer));

    // Growing through many appends keeps every byte.
    CZKRBuffer big;
    for (int i = 0; i < 10000; ++i) {
        const BYTE b = static_cast<BYTE>(i);
        ASSERT_TRUE(big.Append(&b, 1));
    }
    for (int i = 0; i < 10000; ++i)
        ASSERT_EQ(static_cast<BYTE>(i), big.GetPtr()[i]);
}

TEST(ZKBufferTest, CompareOrdersBytesThenLength)
{
    const CZKRBuffer empty;
    const CZKRBuffer ab("ab", 2), abc("abc", 3), b("b", 1), high("\xFF", 1);
    EXPECT_EQ(0, empty.Compare(CZKRBuffer()));
    EXPECT_LT(empty.Compare(ab), 0);
    EXPECT_LT(ab.Compare(abc), 0);
    EXPECT_GT(abc.Compare(ab), 0);
    EXPECT_LT(abc.Compare(b), 0);
    EXPECT_LT(b.Compare(high), 0) << "bytes compare unsigned";
    EXPECT_TRUE(abc == CZKRBuffer("abc", 3));
    EXPECT_TRUE(abc != ab);
}

TEST(ZKBufferTest, HeapBufferAttachDetachAndCopies)
{
    void* block = std::malloc(4);
    std::memcpy(block, "wxyz", 4);
    CZKRBuffer buffer;
    EXPECT_FALSE(buffer.Attach(nullptr, 3));
    ASSERT_TRUE(buffer.Attach(block, 4));
    EXPECT_EQ(block, buffer.GetPtr());
    EXPECT_TRUE(buffer.Append("!", 1)) << "an attached block can grow";
    EXPECT_EQ("wxyz!", Text(buffer));

    CZKRBuffer copy(buffer);
    CZKRBuffer assigned;
    assigned = buffer;
    EXPECT_EQ("wxyz!", Text(copy));
    EXPECT_NE(buffer.GetPtr(), copy.GetPtr());
    EXPECT_TRUE(assigned == buffer);

    void* taken = buffer.Detach();
    ASSERT_NE(nullptr, taken);
    EXPECT_TRUE(buffer.IsEmpty());
    EXPECT_EQ(0, std::memcmp(taken, "wxyz!", 5));
    std::free(taken);
    EXPECT_EQ(nullptr, buffer.Detach());
    EXPECT_TRUE(buffer.Alloc(2));
    EXPECT_EQ(std::string(2, '\0'), Text(buffer));
}

TEST(ZKBufferTest, GlobalBufferOwnsOrBorrowsItsBlock)
{
    HGLOBAL owned = CZKGlobalMemory::Alloc(3);
    {
        CZKGBuffer buffer;
        ASSERT_TRUE(buffer.Attach(owned));
        EXPECT_EQ(3u, buffer.GetSize());
        EXPECT_EQ(owned, buffer.GetHandle());
    }
    EXPECT_FALSE(CZKGlobalMemory::IsValid(owned)) << "an owning buffer frees its block";

    HGLOBAL borrowed = CZKGlobalMemory::Alloc(2);
    {
        CZKGBuffer buffer(borrowed, FALSE);
        EXPECT_EQ(2u, buffer.GetSize());
    }
    EXPECT_TRUE(CZKGlobalMemory::IsValid(borrowed));

    CZKGBuffer buffer;
    ASSERT_TRUE(buffer.Attach(borrowed));
    EXPECT_EQ(borrowed, buffer.Detach());
    EXPECT_TRUE(CZKGlobalMemory::IsValid(borrowed)) << "a detached block is the caller's";
    EXPECT_EQ(nullptr, buffer.GetHandle());
    EXPECT_TRUE(buffer.IsEmpty());
    CZKGlobalMemory::Free(borrowed);
    EXPECT_FALSE(buffer.Attach(borrowed)) << "a freed handle is refused";
    EXPECT_EQ(nullptr, buffer.GetHandle());
}

TEST(ZKBufferTest, GlobalBufferGrowsUnlessLocked)
{
    CZKGBuffer buffer;
    ASSERT_TRUE(buffer.CopyFrom("abc", 3)) << "a buffer without a block allocates one";
    HGLOBAL handle = buffer.GetHandle();
    ASSERT_NE(nullptr, handle);

    BYTE* locked = buffer.Lock();
    ASSERT_NE(nullptr, locked);
    EXPECT_EQ(0, std::memcmp(locked, "abc", 3));
    EXPECT_FALSE(buffer.Append("d", 1)) << "a locked block cannot move";
    EXPECT_EQ("abc", Text(buffer));
    EXPECT_TRUE(buffer.Unlock());

    EXPECT_TRUE(buffer.Append("def", 3));
    EXPECT_EQ("abcdef", Text(buffer));
    EXPECT_EQ(6u, CZKGlobalMemory::Size(buffer.GetHandle()));
    ASSERT_TRUE(buffer.Alloc(4));
    EXPECT_EQ(std::string(4, '\0'), Text(buffer));
    EXPECT_FALSE(CZKGlobalMemory::IsValid(handle)) << "Alloc releases the previous block";
}
