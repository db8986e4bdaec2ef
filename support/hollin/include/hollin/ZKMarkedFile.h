// A small binary file whose header names its kind by two 64-bit marks, with
// a payload read and written through the sequential serialiser this class
// is (RW_W_long, _RW_R_string, ...).
//
// File layout (little-endian): the 8 bytes "ZKMFILE1", mark 1 (8 bytes),
// mark 2 (8 bytes), then the payload. A file of another kind (other marks),
// without the signature or shorter than the header does not open. A payload
// that ends early simply makes the reads past its end fail.
//
// The payload is kept in memory: Create opens it for writing and Close
// writes header and payload in one go (replacing the file atomically); Open
// loads the file and opens the payload for reading.
#pragma once

#include <hollin/ZKFile.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKRWHelper.h>
#include <hollin/hollin_export.h>
#include <wincompat/WinTypes.h>

#include <string>

class HOLLIN_EXPORT CZKMarkedFile : public CZKRWHelper
{
public:
    // The support library's default kind.
    static constexpr ULONGLONG DefaultMark1 = 0x31464B4D4B5A4C48ull;
    static constexpr ULONGLONG DefaultMark2 = 0x9E3779B97F4A7C15ull;
    static constexpr size_t HeaderSize = 24;

    // A kind of file is identified by its two marks; derived classes pass
    // their own.
    explicit CZKMarkedFile(ULONGLONG mark1 = DefaultMark1, ULONGLONG mark2 = DefaultMark2);
    // Closes (and so writes) a file still open.
    ~CZKMarkedFile() override;
    CZKMarkedFile(const CZKMarkedFile&) = delete;
    CZKMarkedFile& operator=(const CZKMarkedFile&) = delete;

    // Starts a new file (mode ZKFILE_WRITE or ZKFILE_READWRITE). The path is
    // checked (and created when missing) at once, so an unwritable place
    // fails here; an existing file is replaced only by Close.
    BOOL Create(const std::wstring& path, UINT mode = ZKFILE_READWRITE);
    // Opens an existing file of this kind for reading (mode ZKFILE_READ only).
    BOOL Open(const std::wstring& path, UINT mode = ZKFILE_READ);
    // A created file is written now; FALSE when that fails. Closing a file
    // opened for reading always succeeds. FALSE when nothing is open.
    BOOL Close();
    BOOL IsOpen() const { return m_state != State::Closed ? TRUE : FALSE; }
    const std::wstring& GetPath() const { return m_path; }

    ULONGLONG GetMark1() const { return m_mark1; }
    ULONGLONG GetMark2() const { return m_mark2; }

    // The payload bytes so far (written) or loaded (read).
    const CZKBuffer& GetPayload() const { return m_payload; }

protected:
    const BYTE* _RWData() const override { return m_payload.GetPtr(); }
    size_t _RWSize() const override { return m_payload.GetSize(); }
    BOOL _RWAppend(const void* data, size_t size) override { return m_payload.Append(data, size); }
    BOOL _RWTruncate() override { return m_payload.SetSize(0); }

private:
    enum class State
    {
        Closed,
        Writing,
        Reading
    };
    void _Reset();

    ULONGLONG m_mark1;
    ULONGLONG m_mark2;
    State m_state = State::Closed;
    std::wstring m_path;
    CZKRBuffer m_payload;
};
