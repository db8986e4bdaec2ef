#include <hollin/ZKMarkedFile.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKException.h>
#include <hollin/ZKTempFileKeeper.h>

#include <gtest/gtest.h>

namespace
{
class TestKindFile : public CZKMarkedFile
{
public:
    TestKindFile() : CZKMarkedFile(0x7A922BEBF240B30Cull, 0xACF7559C27BD455Eull) {}
};

void WriteSample(const std::wstring& path)
{
    TestKindFile file;
    ASSERT_TRUE(file.Create(path, ZKFILE_READWRITE));
    file._RW_W_string(L"scanner \u00e9");
    file._RW_W_BYTE(3);
    CZKRBuffer nested("driver", 6);
    file._RW_W_buffer(nested);
    file._RW_W_long(-5);
    ASSERT_TRUE(file.Close());
}
} // namespace

TEST(ZKMarkedFile, PayloadRoundTripThroughTheSerialiser)
{
    CZKTempFileKeeper temp;
    ASSERT_TRUE(temp.Create());
    WriteSample(temp.Get());

    TestKindFile file;
    ASSERT_TRUE(file.Open(temp.Get(), ZKFILE_READ));
    std::wstring name;
    BYTE mode = 0;
    CZKRBuffer nested;
    LONG value = 0;
    file._RW_R_string(name);
    file._RW_R_BYTE(mode);
    file._RW_R_buffer(nested);
    file._RW_R_long(value);
    EXPECT_EQ(L"scanner \u00e9", name);
    EXPECT_EQ(3, mode);
    EXPECT_EQ(CZKRBuffer("driver", 6), nested);
    EXPECT_EQ(-5, value);
    // Reading past the end fails (older files simply end earlier).
    EXPECT_FALSE(file.RW_R_long(value));
    EXPECT_THROW(file._RW_R_long(value), CZKException);
    EXPECT_TRUE(file.Close());
    EXPECT_FALSE(file.Close());
}

TEST(ZKMarkedFile, WrongKindAndTruncatedFilesDoNotOpen)
{
    CZKTempFileKeeper temp;
    ASSERT_TRUE(temp.Create());
    WriteSample(temp.Get());

    CZKMarkedFile defaultKind;
    EXPECT_FALSE(defaultKind.Open(temp.Get()));
    CZKMarkedFile halfSame(0x7A922BEBF240B30Cull, 0);
    EXPECT_FALSE(halfSame.Open(temp.Get()));

    CZKRBuffer whole;
    ASSERT_TRUE(SZKCommon::FileToBuffer(temp.Get(), whole));
    for (size_t size = 0; size < CZKMarkedFile::HeaderSize; ++size)
    {
        CZKRBuffer cut(whole.GetPtr(), size);
        ASSERT_TRUE(SZKCommon::BufferToFile(cut, temp.Get()));
        TestKindFile file;
        EXPECT_FALSE(file.Open(temp.Get())) << "size " << size;
        EXPECT_FALSE(file.IsOpen());
    }
    // Just the header: opens with an empty payload.
    CZKRBuffer header(whole.GetPtr(), CZKMarkedFile::HeaderSize);
    ASSERT_TRUE(SZKCommon::BufferToFile(header, temp.Get()));
    TestKindFile file;
    ASSERT_TRUE(file.Open(temp.Get()));
    std::wstring name;
    EXPECT_FALSE(file.RW_R_string(name));

    TestKindFile missing;
    EXPECT_FALSE(missing.Open(L"/nonexistent/file.cfg"));
}

TEST(ZKMarkedFile, ModesAndUnwritablePlaces)
{
    CZKTempFileKeeper temp;
    ASSERT_TRUE(temp.Create(FALSE));
    TestKindFile file;
    EXPECT_FALSE(file.Create(temp.Get(), ZKFILE_READ));
    EXPECT_FALSE(file.Create(L"/nonexistent/folder/x.cfg"));
    ASSERT_TRUE(file.Create(temp.Get()));
    file.RW_W_long(1);
    ASSERT_TRUE(file.Close());
    EXPECT_FALSE(file.Open(temp.Get(), ZKFILE_READWRITE));

    // Rewriting keeps the old contents readable until Close replaces them.
    ASSERT_TRUE(file.Create(temp.Get()));
    file.RW_W_long(2);
    LONG value = 0;
    TestKindFile reader;
    ASSERT_TRUE(reader.Open(temp.Get()));
    ASSERT_TRUE(reader.RW_R_long(value));
    EXPECT_EQ(1, value);
    ASSERT_TRUE(file.Close());
    ASSERT_TRUE(reader.Open(temp.Get()));
    ASSERT_TRUE(reader.RW_R_long(value));
    EXPECT_EQ(2, value);
}

TEST(ZKFile, ReadWriteSeekAndBuffers)
{
    CZKTempFileKeeper temp;
    ASSERT_TRUE(temp.Create());
    CZKFile file;
    EXPECT_FALSE(file.Open(temp.Get(), ZKFILE_READ | ZKFILE_CREATE));
    EXPECT_FALSE(file.Open(L"/tmp", ZKFILE_READ)); // a folder
    ASSERT_TRUE(file.Open(temp.Get(), ZKFILE_READWRITE | ZKFILE_CREATE));
    ASSERT_TRUE(file.Write("0123456789", 10));
    ASSERT_TRUE(file.Seek(-4, ZKFILE_END));
    char four[4];
    ASSERT_TRUE(file.Read(four, 4));
    EXPECT_EQ(std::string("6789"), std::string(four, 4));
    EXPECT_FALSE(file.Read(four, 1)); // at the end
    EXPECT_FALSE(file.Seek(-1, ZKFILE_BEGIN));

    ASSERT_TRUE(file.Seek(2));
    CZKRBuffer part;
    EXPECT_FALSE(file.ReadBuffer(part, 1u << 30)); // more than the file holds
    ASSERT_TRUE(file.ReadBuffer(part, 3));
    EXPECT_EQ(CZKRBuffer("234", 3), part);
    ASSERT_TRUE(file.ReadToEnd(part));
    EXPECT_EQ(CZKRBuffer("56789", 5), part);
}
