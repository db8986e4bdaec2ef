#include <hollin/ZKException.h>
#include <hollin/ZKGBuffer.h>
#include <hollin/ZKRBuffer.h>

#include <wincompat/ZKGlobalMemory.h>

#include <gtest/gtest.h>

#include <cfloat>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

std::vector<BYTE> Bytes(const CZKBuffer& buffer)
{
    const BYTE* data = buffer.GetPtr();
    return data ? std::vector<BYTE>(data, data + buffer.GetSize()) : std::vector<BYTE>();
}

// One value of every kind, nested buffer included.
void WriteRecord(CZKBuffer& out)
{
    CZKRBuffer nested;
    ASSERT_TRUE(nested.RWOpenWrite());
    ASSERT_TRUE(nested.RW_W_string(L"inner \U0001F600"));
    ASSERT_TRUE(nested.RW_W_long(-7));
    nested.RWClose();

    ASSERT_TRUE(out.RWOpenWrite());
    ASSERT_TRUE(out.RW_W_long(std::numeric_limits<LONG>::min()));
    ASSERT_TRUE(out.RW_W_ulong(0xFFFFFFFFu));
    ASSERT_TRUE(out.RW_W_short(-32768));
    ASSERT_TRUE(out.RW_W_ushort(65535));
    ASSERT_TRUE(out.RW_W_BYTE(0xAB));
    ASSERT_TRUE(out.RW_W_WORD(0x1234));
    ASSERT_TRUE(out.RW_W_double(-DBL_TRUE_MIN));
    ASSERT_TRUE(out.RW_W_string(L""));
    ASSERT_TRUE(out.RW_W_string(std::wstring(L"caf\u00e9\0\U00010348", 6)));
    ASSERT_TRUE(out.RW_W_buffer(nested));
    ASSERT_TRUE(out.RW_W_buffer(CZKRBuffer()));
    ASSERT_TRUE(out.RWWrite("raw", 3));
    out.RWClose();
}

// Reads the record back; false at the first failed read.
bool ReadRecord(CZKBuffer& in, std::wstring* innerText = nullptr)
{
    LONG l = 0;
    ULONG ul = 0;
    SHORT s = 0;
    USHORT us = 0;
    BYTE b = 0;
    WORD w = 0;
    double d = 0;
    std::wstring empty, text;
    CZKRBuffer nested, none;
    char raw[3];
    if (!in.RWOpenRead())
        return false;
    const bool ok = in.RW_R_long(l) && in.RW_R_ulong(ul) && in.RW_R_short(s) && in.RW_R_ushort(us) &&
                    in.RW_R_BYTE(b) && in.RW_R_WORD(w) && in.RW_R_double(d) && in.RW_R_string(empty) &&
                    in.RW_R_string(text) && in.RW_R_buffer(nested) && in.RW_R_buffer(none) && in.RWRead(raw, 3);
    in.RWClose();
    if (!ok)
        return false;
    EXPECT_EQ(std::numeric_limits<LONG>::min(), l);
    EXPECT_EQ(0xFFFFFFFFu, ul);
    EXPECT_EQ(-32768, s);
    EXPECT_EQ(65535, us);
    EXPECT_EQ(0xAB, b);
    EXPECT_EQ(0x1234, w);
    EXPECT_EQ(-DBL_TRUE_MIN, d);
    EXPECT_EQ(L"", empty);
    EXPECT_EQ(std::wstring(L"caf\u00e9\0\U00010348", 6), text);
    EXPECT_EQ(0u, none.GetSize());
    EXPECT_EQ(0, std::memcmp(raw, "raw", 3));
    std::wstring inner;
    LONG innerLong = 0;
    EXPECT_TRUE(nested.RWOpenRead() && nested.RW_R_string(inner) && nested.RW_R_long(innerLong));
    EXPECT_EQ(-7, innerLong);
    if (innerText)
        *innerText = inner;
    return true;
}

} // namespace

TEST(ZKRWHelperTest, EveryPrimitiveRoundTrips)
{
    CZKRBuffer buffer;
    WriteRecord(buffer);
    std::wstring inner;
    ASSERT_TRUE(ReadRecord(buffer, &inner));
    EXPECT_EQ(L"inner \U0001F600", inner);
}

TEST(ZKRWHelperTest, EncodingIsFixedLittleEndian)
{
    CZKRBuffer buffer;
    ASSERT_TRUE(buffer.RWOpenWrite());
    buffer.RW_W_long(-2);
    buffer.RW_W_short(0x0102);
    buffer.RW_W_double(1.0);
    buffer.RW_W_string(L"A\U0001F600");
    buffer.RW_W_buffer(CZKRBuffer("xy", 2));
    const std::vector<BYTE> expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x02, 0x01, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F,
                                        3, 0, 0, 0, 0x41, 0, 0x3D, 0xD8, 0x00, 0xDE, 2, 0, 0, 0, 'x', 'y'};
    EXPECT_EQ(expected, Bytes(buffer));
}

TEST(ZKRWHelperTest, EveryTruncationFailsCleanly)
{
    CZKRBuffer full;
    WriteRecord(full);
    for (size_t length = 0; length < full.GetSize(); ++length) {
        CZKRBuffer cut(full.GetPtr(), length);
        EXPECT_FALSE(ReadRecord(cut)) << "length " << length;
    }
}

TEST(ZKRWHelperTest, FailedReadsKeepPositionAndValue)
{
    CZKRBuffer buffer;
    ASSERT_TRUE(buffer.RWOpenWrite());
    buffer.RW_W_ulong(1000); // a nested length far beyond the end
    buffer.RW_W_short(7);
    ASSERT_TRUE(buffer.RWOpenRead());

    CZKRBuffer nested("keep", 4);
    EXPECT_FALSE(buffer.RW_R_buffer(nested));
    EXPECT_EQ(4u, nested.GetSize());
    std::wstring text = L"keep";
    EXPECT_FALSE(buffer.RW_R_string(text));
    EXPECT_EQ(L"keep", text);
    double d = 5;
    EXPECT_FALSE(buffer.RW_R_double(d));
    EXPECT_EQ(5, d);
    EXPECT_EQ(0u, buffer.RWGetPosition());
    ULONG length = 0;
    EXPECT_TRUE(buffer.RW_R_ulong(length));
    EXPECT_EQ(1000u, length);
    LONG l = 3;
    EXPECT_FALSE(buffer.RW_R_long(l));
    EXPECT_EQ(3, l);
    SHORT s = 0;
    EXPECT_TRUE(buffer.RW_R_short(s));
    EXPECT_EQ(7, s);
    EXPECT_EQ(0u, buffer.RWGetRemaining());
}

TEST(ZKRWHelperTest, BadStringsAreRefused)
{
    CZKRBuffer buffer;
    ASSERT_TRUE(buffer.RWOpenWrite());
    EXPECT_FALSE(buffer.RW_W_string(std::wstring(1, static_cast<wchar_t>(0xDC00))));
    EXPECT_FALSE(buffer.RW_W_string(std::wstring(1, static_cast<wchar_t>(0x110000))));
    EXPECT_EQ(0u, buffer.GetSize()) << "a refused write leaves nothing behind";

    const BYTE loneHigh[] = {2, 0, 0, 0, 0x3D, 0xD8, 0x41, 0};
    const BYTE loneLow[] = {1, 0, 0, 0, 0x00, 0xDE};
    const BYTE oddBytes[] = {1, 0, 0, 0, 0x41};
    for (const auto& bytes : {std::vector<BYTE>(loneHigh, loneHigh + sizeof loneHigh),
                              std::vector<BYTE>(loneLow, loneLow + sizeof loneLow),
                              std::vector<BYTE>(oddBytes, oddBytes + sizeof oddBytes)}) {
        CZKRBuffer in(bytes.data(), bytes.size());
        ASSERT_TRUE(in.RWOpenRead());
        std::wstring text;
        EXPECT_FALSE(in.RW_R_string(text));
        EXPECT_EQ(0u, in.RWGetPosition());
    }
}

TEST(ZKRWHelperTest, ModeRulesAndReopening)
{
    CZKRBuffer buffer("old", 3);
    LONG value = 0;
    EXPECT_FALSE(buffer.RW_W_long(1)) << "not open";
    EXPECT_FALSE(buffer.RW_R_long(value));
    ASSERT_TRUE(buffer.RWOpenWrite());
    EXPECT_EQ(0u, buffer.GetSize()) << "opening for writing empties the buffer";
    EXPECT_TRUE(buffer.RW_W_long(41));
    EXPECT_FALSE(buffer.RW_R_long(value)) << "wrong mode";
    LONG viaRW = 42;
    EXPECT_TRUE(buffer.RW(&viaRW, sizeof viaRW));
    EXPECT_TRUE(buffer.RWClose());
    EXPECT_FALSE(buffer.RWClose());

    ASSERT_TRUE(buffer.RWOpenRead());
    EXPECT_FALSE(buffer.RW_W_long(1));
    EXPECT_TRUE(buffer.RW_R_long(value));
    EXPECT_EQ(41, value);
    ASSERT_TRUE(buffer.RWOpenRead()) << "reopening restarts";
    EXPECT_TRUE(buffer.RW_R_long(value));
    EXPECT_EQ(41, value);
    LONG back = 0;
    EXPECT_TRUE(buffer.RW(&back, sizeof back));
    EXPECT_EQ(42, back);
    EXPECT_FALSE(buffer.RWRead(nullptr, 1));
}

TEST(ZKRWHelperTest, ThrowingFormsThrowTheFailureCode)
{
    CZKRBuffer buffer;
    buffer.RWOpenWrite();
    EXPECT_NO_THROW(buffer._RW_W_long(5));
    EXPECT_NO_THROW(buffer._RW_W_BYTE(1));
    buffer.RWOpenRead();
    LONG l = 0;
    EXPECT_NO_THROW(buffer._RW_R_long(l));
    EXPECT_EQ(5, l);
    WORD w = 0;
    try {
        buffer._RW_R_WORD(w);
        FAIL() << "no exception";
    } catch (const CZKException& e) {
        EXPECT_EQ(ZK_EXCEPTION_FAILED, e.GetCode());
        EXPECT_EQ(0x7FFFFFFFu, CZKException::FAILED);
    }
    CZKRBuffer nested;
    EXPECT_THROW(buffer._RW_R_buffer(nested), CZKException);
    EXPECT_THROW(buffer._RW_W_double(1.0), CZKException);
    EXPECT_THROW(buffer._RW_W_string(std::wstring(1, static_cast<wchar_t>(0xD800))), CZKException);
}

TEST(ZKRWHelperTest, WritingABufferIntoItselfUsesItsOldContent)
{
    CZKRBuffer buffer;
    buffer.RWOpenWrite();
    buffer.RW_W_short(9);
    buffer.RW_W_buffer(buffer);
    buffer.RWOpenRead();
    SHORT s = 0;
    CZKRBuffer nested;
    ASSERT_TRUE(buffer.RW_R_short(s) && buffer.RW_R_buffer(nested));
    EXPECT_EQ(2u, nested.GetSize());
    EXPECT_FALSE(buffer.RW_R_buffer(buffer)) << "cannot read a buffer into itself";
}

TEST(ZKRWHelperTest, GlobalMemoryBufferSerialises)
{
    CZKGBuffer buffer;
    WriteRecord(buffer);
    ASSERT_NE(nullptr, buffer.GetHandle());
    EXPECT_EQ(buffer.GetSize(), CZKGlobalMemory::Size(buffer.GetHandle()));
    EXPECT_TRUE(ReadRecord(buffer));

    CZKRBuffer copy(buffer);
    EXPECT_TRUE(ReadRecord(copy));
}
