#include <hollin/ZKCryptograph.h>

#include <gtest/gtest.h>

#include <cstdlib>

TEST(ZKCryptograph, RoundTripsAnyTextWithFreshNonces)
{
    const std::wstring texts[] = {L"", L"secret", L"p\u00e4ss \U0001F511 = ;,\"[x]\n", std::wstring(5000, L'x')};
    for (const auto& plain : texts)
    {
        std::wstring first, second, back;
        ASSERT_TRUE(SZKCryptograph::EncryptString(plain, first));
        ASSERT_TRUE(SZKCryptograph::EncryptString(plain, second));
        EXPECT_NE(first, second); // random nonce: equal passwords do not show
        EXPECT_EQ(0u, first.find(SZKCryptograph::Prefix));
        EXPECT_EQ(std::wstring::npos, first.find_first_not_of(
                                          L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_", 4));
        EXPECT_EQ(std::wstring::npos, first.find(plain.empty() ? L"\x01" : plain));
        ASSERT_TRUE(SZKCryptograph::DecryptString(first, back));
        EXPECT_EQ(plain, back);
    }
}

TEST(ZKCryptograph, TamperedForeignAndGarbageTextsFail)
{
    std::wstring sealed;
    ASSERT_TRUE(SZKCryptograph::EncryptString(L"password", sealed));
    std::wstring plain = L"untouched";

    for (size_t i = 4; i < sealed.size(); ++i)
    {
        std::wstring flipped = sealed;
        flipped[i] = flipped[i] == L'A' ? L'B' : L'A';
        EXPECT_FALSE(SZKCryptograph::DecryptString(flipped, plain)) << "changed at " << i;
    }
    EXPECT_FALSE(SZKCryptograph::DecryptString(sealed.substr(0, sealed.size() - 1), plain));
    EXPECT_FALSE(SZKCryptograph::DecryptString(sealed + L"A", plain));
    EXPECT_FALSE(SZKCryptograph::DecryptString(L"ZK2:" + sealed.substr(4), plain));

    std::wstring foreign;
    ASSERT_TRUE(SZKCryptograph::EncryptString(L"password", foreign, "another installation"));
    EXPECT_FALSE(SZKCryptograph::DecryptString(foreign, plain));

    const wchar_t* garbage[] = {L"", L"ZK1:", L"ZK1:AAAA", L"password", L"ZK1:!!!!", L"ZK1:\u00e9\u00e9\u00e9"};
    for (const wchar_t* text : garbage)
        EXPECT_FALSE(SZKCryptograph::DecryptString(text, plain)) << text;
    EXPECT_EQ(L"untouched", plain);
}

TEST(ZKCryptograph, KeyComesFromTheEnvironmentResource)
{
    std::wstring sealed, plain;
    ASSERT_TRUE(SZKCryptograph::EncryptString(L"pw", sealed));
    // A resource without a seed falls back to the built-in default.
    ::setenv("ZK_ENV_RESOURCE", "/nonexistent/env.zks", 1);
    ::setenv("ZK_RESOURCE_DIR", "/nonexistent", 1);
    EXPECT_FALSE(SZKCryptograph::DecryptString(sealed, plain));
    std::wstring withDefault;
    ASSERT_TRUE(SZKCryptograph::EncryptString(L"pw", withDefault));
    EXPECT_TRUE(SZKCryptograph::DecryptString(withDefault, plain, SZKCryptograph::DefaultKeySeed));
    EXPECT_EQ(L"pw", plain);
    ::unsetenv("ZK_ENV_RESOURCE");
    ::unsetenv("ZK_RESOURCE_DIR");
}
