#include <hollin/ZKTempFileKeeper.h>

#include <hollin/ZKPath.h>

#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

namespace
{
bool Exists(const std::string& path) { return ::access(path.c_str(), F_OK) == 0; }
} // namespace

TEST(ZKTempFileKeeper, FileLivesAsLongAsTheKeeper)
{
    std::string created, named;
    {
        CZKTempFileKeeper file, nameOnly;
        ASSERT_TRUE(file.Create(TRUE, L".zks"));
        ASSERT_TRUE(nameOnly.Create(FALSE));
        created = file.GetA();
        named = nameOnly.GetA();
        EXPECT_NE(created, named);
        EXPECT_EQ(L"zks", SZKPath::SplitPath_E(file.Get()));
        EXPECT_TRUE(Exists(created));
        EXPECT_FALSE(Exists(named));
        std::ofstream(named) << "written by someone else";
    }
    EXPECT_FALSE(Exists(created));
    EXPECT_FALSE(Exists(named));
}

TEST(ZKTempFileKeeper, RecreateDeletesAndReleaseKeeps)
{
    CZKTempFileKeeper keeper;
    ASSERT_TRUE(keeper.Create());
    const std::string old = keeper.GetA();
    ASSERT_TRUE(keeper.Create());
    EXPECT_FALSE(Exists(old));

    const std::string kept = keeper.GetA();
    keeper.Release();
    EXPECT_FALSE(keeper.Delete());
    EXPECT_TRUE(Exists(kept));
    ::unlink(kept.c_str());
}
