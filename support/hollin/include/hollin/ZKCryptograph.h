// Reversible, authenticated enciphering of short texts such as stored
// passwords.
//
// Cipher: XChaCha20-Poly1305 (IETF AEAD) with a random 24-byte nonce per
// text. Key: BLAKE2b-256 of the environment resource's CIPHER_KEY_SEED value
// (or, when the resource has none, of the built-in default seed below),
// keyed with a fixed context text so the key is used for nothing else.
// Enciphered text: "ZK1:" followed by unpadded URL-safe base64 of
// nonce || ciphertext || tag, i.e. only the characters A-Z a-z 0-9 - _ after
// the prefix, so it can sit in a script value or a command line untouched.
// The prefix is also bound into the authentication, so a changed prefix,
// changed text, another installation's key or plain garbage all fail to
// decipher.
#pragma once

#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class HOLLIN_EXPORT SZKCryptograph
{
public:
    static constexpr const wchar_t* Prefix = L"ZK1:";
    static constexpr const char* DefaultKeySeed = "zk-capture-default-cipher-seed-v1";

    // FALSE (output unchanged) when the cipher library cannot start.
    static BOOL EncryptString(const std::wstring& plain, std::wstring& enciphered);
    // FALSE (output unchanged) for anything that is not a text enciphered
    // with this installation's key.
    static BOOL DecryptString(const std::wstring& enciphered, std::wstring& plain);

    // Same, with an explicit key seed instead of the environment resource's.
    static BOOL EncryptString(const std::wstring& plain, std::wstring& enciphered, const std::string& keySeed);
    static BOOL DecryptString(const std::wstring& enciphered, std::wstring& plain, const std::string& keySeed);
};
