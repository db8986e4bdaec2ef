#include <hollin/ZKMarkedFile.h>

#include <hollin/ZKCommon.h>

#include <cstring>

namespace
{
constexpr char kSignature[8] = {'Z', 'K', 'M', 'F', 'I', 'L', 'E', '1'};

void PutMark(BYTE* out, ULONGLONG mark)
{
    for (int i = 0; i < 8; ++i)
        out[i] = static_cast<BYTE>(mark >> (8 * i));
}

ULONGLONG GetMark(const BYTE* in)
{
    ULONGLONG mark = 0;
    for (int i = 7; i >= 0; --i)
        mark = (mark << 8) | in[i];
    return mark;
}
} // namespace

CZKMarkedFile::CZKMarkedFile(ULONGLONG mark1, ULONGLONG mark2) : m_mark1(mark1), m_mark2(mark2)
{
}

CZKMarkedFile::~CZKMarkedFile()
{
    Close();
}

void CZKMarkedFile::_Reset()
{
    RWClose();
    m_payload.Empty();
    m_path.clear();
    m_state = State::Closed;
}

BOOL CZKMarkedFile::Create(const std::wstring& path, UINT mode)
{
    Close();
    if (mode != ZKFILE_WRITE && mode != ZKFILE_READWRITE)
        return FALSE;
    // Checks the place early without truncating: an existing file keeps its
    // contents until Close replaces it whole.
    CZKFile probe;
    if (!probe.Open(path, ZKFILE_WRITE | ZKFILE_CREATE | ZKFILE_NOTRUNCATE))
        return FALSE;
    probe.Close();
    m_path = path;
    m_payload.Empty();
    m_state = State::Writing;
    return RWOpenWrite();
}

BOOL CZKMarkedFile::Open(const std::wstring& path, UINT mode)
{
    Close();
    if (mode != ZKFILE_READ)
        return FALSE;
    CZKRBuffer content;
    if (!SZKCommon::FileToBuffer(path, content) || content.GetSize() < HeaderSize)
        return FALSE;
    const BYTE* header = content.GetPtr();
    if (std::memcmp(header, kSignature, sizeof kSignature) != 0 || GetMark(header + 8) != m_mark1 ||
        GetMark(header + 16) != m_mark2)
        return FALSE;
    if (!m_payload.CopyFrom(header + HeaderSize, content.GetSize() - HeaderSize))
        return FALSE;
    m_path = path;
    m_state = State::Reading;
    return RWOpenRead();
}

BOOL CZKMarkedFile::Close()
{
    if (m_state == State::Closed)
        return FALSE;
    BOOL result = TRUE;
    if (m_state == State::Writing)
    {
        CZKRBuffer content(HeaderSize + m_payload.GetSize());
        BYTE* out = content.GetPtr();
        if (!out)
        {
            _Reset();
            return FALSE;
        }
        std::memcpy(out, kSignature, sizeof kSignature);
        PutMark(out + 8, m_mark1);
        PutMark(out + 16, m_mark2);
        if (m_payload.GetSize() > 0)
            std::memcpy(out + HeaderSize, m_payload.GetPtr(), m_payload.GetSize());
        result = SZKCommon::BufferToFile(content, m_path);
    }
    _Reset();
    return result;
}
