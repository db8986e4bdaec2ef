#include <hollin/ZKCryptograph.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKEnvResource.h>

#include <sodium.h>

#include <vector>

namespace
{
constexpr const char* kPrefix = "ZK1:";
constexpr size_t kPrefixLength = 4;
constexpr const char* kKeyContext = "ZK text cipher key";
constexpr int kBase64Variant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;
constexpr size_t kNonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr size_t kTagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;

struct Key
{
    unsigned char bytes[crypto_aead_xchacha20poly1305_ietf_KEYBYTES];
    ~Key() { sodium_memzero(bytes, sizeof bytes); }
};

bool Ready()
{
    // sodium_init is safe to call repeatedly and from several threads.
    return sodium_init() >= 0;
}

std::string InstallationSeed()
{
    std::string seed;
    if (!SZKEnvResource::GetEnvStringValueA("CIPHER_KEY_SEED", seed) || seed.empty())
        seed = SZKCryptograph::DefaultKeySeed;
    return seed;
}

void DeriveKey(const std::string& seed, Key& key)
{
    crypto_generichash(key.bytes, sizeof key.bytes, reinterpret_cast<const unsigned char*>(seed.data()),
                       seed.size(), reinterpret_cast<const unsigned char*>(kKeyContext),
                       std::char_traits<char>::length(kKeyContext));
}

const unsigned char* PrefixBytes() { return reinterpret_cast<const unsigned char*>(kPrefix); }

std::string ToBase64(const std::vector<unsigned char>& data)
{
    std::string text(sodium_base64_encoded_len(data.size(), kBase64Variant), '\0');
    sodium_bin2base64(text.data(), text.size(), data.data(), data.size(), kBase64Variant);
    text.resize(std::char_traits<char>::length(text.c_str()));
    return text;
}

bool FromBase64(const std::string& text, std::vector<unsigned char>& data)
{
    if (text.empty())
        return false;
    data.resize(text.size()); // base64 never decodes to more bytes than characters
    size_t length = 0;
    const char* end = nullptr;
    if (sodium_base642bin(data.data(), data.size(), text.data(), text.size(), nullptr, &length, &end,
                          kBase64Variant) != 0 ||
        end != text.data() + text.size())
        return false;
    data.resize(length);
    return true;
}

bool ValidUTF8(const std::string& text)
{
    return SZKCommon::WCStoMBS(SZKCommon::MBStoWCS(text)) == text;
}
} // namespace

BOOL SZKCryptograph::EncryptString(const std::wstring& plain, std::wstring& enciphered, const std::string& keySeed)
{
    if (!Ready())
        return FALSE;
    const std::string message = SZKCommon::WCStoMBS(plain);
    Key key;
    DeriveKey(keySeed, key);
    std::vector<unsigned char> sealed(kNonceBytes + message.size() + kTagBytes);
    randombytes_buf(sealed.data(), kNonceBytes);
    unsigned long long sealedLength = 0;
    crypto_aead_xchacha20poly1305_ietf_encrypt(
        sealed.data() + kNonceBytes, &sealedLength, reinterpret_cast<const unsigned char*>(message.data()),
        message.size(), PrefixBytes(), kPrefixLength, nullptr, sealed.data(), key.bytes);
    sealed.resize(kNonceBytes + sealedLength);
    enciphered = SZKCommon::MBStoWCS(kPrefix + ToBase64(sealed));
    return TRUE;
}

BOOL SZKCryptograph::DecryptString(const std::wstring& enciphered, std::wstring& plain, const std::string& keySeed)
{
    if (!Ready() || enciphered.compare(0, kPrefixLength, Prefix) != 0)
        return FALSE;
    std::string body;
    for (size_t i = kPrefixLength; i < enciphered.size(); ++i)
    {
        if (enciphered[i] > 0x7F) // base64 is ASCII; anything else is foreign
            return FALSE;
        body += static_cast<char>(enciphered[i]);
    }
    std::vector<unsigned char> sealed;
    if (!FromBase64(body, sealed) || sealed.size() < kNonceBytes + kTagBytes)
        return FALSE;
    Key key;
    DeriveKey(keySeed, key);
    std::string message(sealed.size() - kNonceBytes - kTagBytes, '\0');
    unsigned long long messageLength = 0;
    if (crypto_aead_xchacha20poly1305_ietf_decrypt(reinterpret_cast<unsigned char*>(message.data()), &messageLength,
                                                   nullptr, sealed.data() + kNonceBytes, sealed.size() - kNonceBytes,
                                                   PrefixBytes(), kPrefixLength, sealed.data(), key.bytes) != 0)
        return FALSE;
    message.resize(messageLength);
    if (!ValidUTF8(message))
        return FALSE;
    plain = SZKCommon::MBStoWCS(message);
    return TRUE;
}

BOOL SZKCryptograph::EncryptString(const std::wstring& plain, std::wstring& enciphered)
{
    return EncryptString(plain, enciphered, InstallationSeed());
}

BOOL SZKCryptograph::DecryptString(const std::wstring& enciphered, std::wstring& plain)
{
    return DecryptString(enciphered, plain, InstallationSeed());
}
