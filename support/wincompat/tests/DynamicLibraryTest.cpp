#include <wincompat/ZKDynamicLibrary.h>

#include <gtest/gtest.h>

TEST(DynamicLibrary, LoadsCallsAndFrees)
{
    CZKDynamicLibrary library;
    ASSERT_TRUE(library.Load(std::wstring(L"libm.so.6"))) << library.LastError();
    EXPECT_TRUE(library.IsLoaded());
    auto cosine = library.SymbolAs<double (*)(double)>("cos");
    ASSERT_NE(nullptr, cosine);
    EXPECT_EQ(1.0, cosine(0.0));

    EXPECT_EQ(nullptr, library.Symbol("no_such_symbol_here"));
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_EQ(nullptr, library.Symbol(nullptr));

    CZKDynamicLibrary moved(std::move(library));
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_TRUE(moved.IsLoaded());
    EXPECT_TRUE(moved.Free());
    EXPECT_FALSE(moved.Free());
    EXPECT_EQ(nullptr, moved.Symbol("cos"));
}

TEST(DynamicLibrary, FailuresCarryAReason)
{
    CZKDynamicLibrary library;
    EXPECT_FALSE(library.Load(std::string("/nonexistent/libnothing.so")));
    EXPECT_NE(std::string::npos, library.LastError().find("libnothing"));
    EXPECT_FALSE(library.Load(std::string()));
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_FALSE(library.IsLoaded());
}
