#include <hollin/ZKEnvResource.h>

#include <hollin/ZKTempFileKeeper.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

TEST(ZKEnvResource, ShippedResourceHoldsTheRegistrationValues)
{
    ASSERT_NE(nullptr, std::getenv("ZK_RESOURCE_DIR")) << "tests run with ZK_RESOURCE_DIR set";
    const char* names[] = {"PRODUCT_VERSION_MAJOR", "PRODUCT_VERSION_MINOR", "TWAIN_REGISTER_PRODUCT",
                           "TWAIN_REGISTER_FAMILY", "TWAIN_REGISTER_COMPANY", "CIPHER_KEY_SEED"};
    for (const char* name : names)
    {
        std::string value;
        EXPECT_TRUE(SZKEnvResource::GetEnvStringValueA(name, value) && !value.empty()) << name;
    }
    std::string value = "unchanged";
    EXPECT_FALSE(SZKEnvResource::GetEnvStringValueA("NO_SUCH_VALUE", value));
    EXPECT_FALSE(SZKEnvResource::GetEnvStringValueA(nullptr, value));
    EXPECT_EQ("unchanged", value);
}

TEST(ZKEnvResource, VariableNamesAnotherResource)
{
    const std::string resourceDir = std::getenv("ZK_RESOURCE_DIR");
    CZKTempFileKeeper good, corrupt;
    ASSERT_TRUE(good.Create(TRUE, L"zks"));
    ASSERT_TRUE(corrupt.Create(TRUE, L"zks"));
    std::ofstream(good.GetA()) << "\xEF\xBB\xBF[Other]\nTWAIN_REGISTER_PRODUCT = wrong\n"
                                  "[Environment]\nTWAIN_REGISTER_PRODUCT = Test \xC3\xA9 Product\n";
    std::ofstream(corrupt.GetA()) << "\xEF\xBB\xBF[Environment]\nbroken line\n\xFF\xFE";

    ::setenv("ZK_ENV_RESOURCE", good.GetA().c_str(), 1);
    std::string value;
    ASSERT_TRUE(SZKEnvResource::GetEnvStringValueA("TWAIN_REGISTER_PRODUCT", value));
    EXPECT_EQ("Test \xC3\xA9 Product", value);
    EXPECT_FALSE(SZKEnvResource::GetEnvStringValueA("PRODUCT_VERSION_MAJOR", value));

    ::setenv("ZK_ENV_RESOURCE", corrupt.GetA().c_str(), 1);
    EXPECT_FALSE(SZKEnvResource::GetEnvStringValueA("TWAIN_REGISTER_PRODUCT", value));

    // A named file that does not exist falls through to the resource folder.
    ::setenv("ZK_ENV_RESOURCE", "/nonexistent/env.zks", 1);
    std::wstring path;
    ASSERT_TRUE(SZKEnvResource::GetResourcePath(path));
    EXPECT_NE(std::wstring::npos, path.find(L"environment.zks"));
    ::setenv("ZK_RESOURCE_DIR", "/nonexistent", 1);
    EXPECT_FALSE(SZKEnvResource::GetEnvStringValueA("TWAIN_REGISTER_PRODUCT", value));

    ::unsetenv("ZK_ENV_RESOURCE");
    ::setenv("ZK_RESOURCE_DIR", resourceDir.c_str(), 1);
}
