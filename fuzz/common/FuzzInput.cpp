#include "FuzzInput.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

uint8_t CFuzzInput::TakeByte()
{
    return m_position < m_size ? m_data[m_position++] : 0;
}

uint16_t CFuzzInput::TakeWord()
{
    const uint16_t low = TakeByte();
    return static_cast<uint16_t>(low | (TakeByte() << 8));
}

uint32_t CFuzzInput::TakeLong()
{
    const uint32_t low = TakeWord();
    return low | (static_cast<uint32_t>(TakeWord()) << 16);
}

std::string CFuzzInput::TakeBytes(size_t count)
{
    const size_t taken = count < RestSize() ? count : RestSize();
    std::string bytes(reinterpret_cast<const char*>(Rest()), taken);
    m_position += taken;
    return bytes;
}

std::wstring CFuzzInput::TakeText()
{
    std::wstring text;
    while (m_position < m_size)
    {
        const uint8_t byte = m_data[m_position++];
        if (byte == 0)
            break;
        if (byte < 0x80)
            text += static_cast<wchar_t>(byte);
        else
            text += static_cast<wchar_t>(TakeWord());
    }
    return text;
}

namespace
{
std::string TempPath(const char* name)
{
    const char* folder = std::getenv("TMPDIR");
    std::string path = (folder && *folder) ? folder : "/tmp";
    return path + "/zkfuzz-" + std::to_string(getpid()) + "-" + name;
}
} // namespace

CFuzzTempFile::CFuzzTempFile(const char* name, const uint8_t* data, size_t size)
    : m_narrowPath(TempPath(name)), m_path(m_narrowPath.begin(), m_narrowPath.end())
{
    std::remove(m_narrowPath.c_str());
    if (!data)
        return;
    FILE* file = std::fopen(m_narrowPath.c_str(), "wb");
    if (!file)
        return;
    m_written = std::fwrite(data, 1, size, file) == size;
    m_written = std::fclose(file) == 0 && m_written;
}

std::string CFuzzTempFile::Contents() const
{
    std::string bytes;
    FILE* file = std::fopen(m_narrowPath.c_str(), "rb");
    if (!file)
        return bytes;
    char chunk[4096];
    size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof(chunk), file)) > 0)
        bytes.append(chunk, got);
    std::fclose(file);
    return bytes;
}

CFuzzTempFile::~CFuzzTempFile()
{
    std::remove(m_narrowPath.c_str());
}

void FuzzFail(const char* what)
{
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}
