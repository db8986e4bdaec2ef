// Turns a fuzzer's bytes into the arguments of one parser call: small
// numbers from the front, wide texts separated by a NUL byte, the rest as
// raw bytes. Reading past the end yields zeros and empty texts, so every
// input maps to some call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class CFuzzInput
{
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t TakeByte();
    uint16_t TakeWord();
    uint32_t TakeLong();
    // The next text up to a NUL byte (or the end). Bytes below 0x80 are
    // characters; a byte from 0x80 on joins the following two bytes into one
    // wide character, so any code unit, surrogates included, can appear.
    std::wstring TakeText();
    // Takes the next count bytes (as many as there are) as raw bytes.
    std::string TakeBytes(size_t count);
    // Everything not taken yet.
    const uint8_t* Rest() const { return m_data + m_position; }
    size_t RestSize() const { return m_size - m_position; }
    std::string RestAsString() const { return std::string(reinterpret_cast<const char*>(Rest()), RestSize()); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

// A file in the system's temporary folder, unique to this process and name,
// holding given bytes (or none yet); removed when the object goes.
class CFuzzTempFile
{
public:
    explicit CFuzzTempFile(const char* name, const uint8_t* data = nullptr, size_t size = 0);
    ~CFuzzTempFile();
    CFuzzTempFile(const CFuzzTempFile&) = delete;
    CFuzzTempFile& operator=(const CFuzzTempFile&) = delete;

    const std::wstring& Path() const { return m_path; }
    bool IsWritten() const { return m_written; }
    // The file's bytes now; empty when it cannot be read.
    std::string Contents() const;

private:
    std::string m_narrowPath;
    std::wstring m_path;
    bool m_written = false;
};

// Stops the run with a message; libFuzzer saves the input as a crash.
[[noreturn]] void FuzzFail(const char* what);
