#include <fennick/ZKTWExtraImageInfo.h>
#include <fennick/ZKTWHelper.h>

#include "ZKTWMemory.h"

#include <hollin/ZKBuffer.h>
#include <wincompat/ZKGlobalMemory.h>

#include <cstring>

namespace
{
// The ids every object asks for, in block order.
constexpr WORD kRequestedIds[] = {TWEI_DESKEWSTATUS, TWEI_SKEWORIGINALANGLE, TWEI_BOOKNAME, TWEI_CHAPTERNUMBER,
                                  TWEI_DOCUMENTNUMBER, TWEI_PAGENUMBER,       TWEI_CAMERA,   TWEI_FRAMENUMBER,
                                  TWEI_FRAME,          TWEI_PIXELFLAVOR};

HGLOBAL ToHandle(TW_UINTPTR item) { return reinterpret_cast<HGLOBAL>(item); }
TW_UINTPTR FromHandle(HGLOBAL handle) { return reinterpret_cast<TW_UINTPTR>(handle); }

void ResetEntry(TW_INFO& entry)
{
    entry.InfoID = 0;
    entry.ItemType = 0;
    entry.NumItems = 0;
    entry.CondCode = TWRC_FAILURE;
    entry.Item = 0;
}

// A new global block holding size bytes copied from data; nullptr on failure.
HGLOBAL CopyToGlobal(const void* data, size_t size)
{
    HGLOBAL handle = CZKGlobalMemory::Alloc(size);
    void* target = handle ? CZKGlobalMemory::Lock(handle) : nullptr;
    if (!target)
    {
        CZKGlobalMemory::Free(handle);
        return nullptr;
    }
    std::memcpy(target, data, size);
    CZKGlobalMemory::Unlock(handle);
    return handle;
}

// Locks a value handle that must hold at least size bytes.
class CValueLock
{
public:
    CValueLock(TW_UINTPTR item, size_t size) : m_handle(ToHandle(item))
    {
        if (CZKGlobalMemory::IsValid(m_handle) && CZKGlobalMemory::Size(m_handle) >= size)
            m_data = static_cast<const unsigned char*>(CZKGlobalMemory::Lock(m_handle));
    }
    ~CValueLock()
    {
        if (m_data)
            CZKGlobalMemory::Unlock(m_handle);
    }
    CValueLock(const CValueLock&) = delete;
    CValueLock& operator=(const CValueLock&) = delete;
    const unsigned char* Data() const { return m_data; }

private:
    HGLOBAL m_handle;
    const unsigned char* m_data = nullptr;
};
} // namespace

CZKTWExtraImageInfo::CZKTWExtraImageInfo() : m_block(GetBlockSize(), 0)
{
    _Initialize();
    for (WORD id : kRequestedIds)
        _AddInfo(id);
}

CZKTWExtraImageInfo::~CZKTWExtraImageInfo() { _Release(); }

CZKTWExtraImageInfo::CZKTWExtraImageInfo(const CZKTWExtraImageInfo& other)
    : m_block(other.m_block), m_index(other.m_index), m_unit(other.m_unit)
{
    _DuplicateHandles();
}

CZKTWExtraImageInfo& CZKTWExtraImageInfo::operator=(const CZKTWExtraImageInfo& other)
{
    if (this == &other)
        return *this;
    _Release();
    m_block = other.m_block;
    m_index = other.m_index;
    m_unit = other.m_unit;
    _DuplicateHandles();
    return *this;
}

size_t CZKTWExtraImageInfo::GetBlockSize()
{
    return offsetof(TW_EXTIMAGEINFO, Info) + ZKTW_MAX_EXTRA_INFOS * sizeof(TW_INFO);
}

TW_EXTIMAGEINFO* CZKTWExtraImageInfo::GetBlock() { return _Block(); }

TW_EXTIMAGEINFO* CZKTWExtraImageInfo::_Block() const
{
    return reinterpret_cast<TW_EXTIMAGEINFO*>(const_cast<unsigned char*>(m_block.data()));
}

TW_INFO* CZKTWExtraImageInfo::_At(TW_EXTIMAGEINFO* block, unsigned index)
{
    // Computed from the byte offset: the declared array has one element.
    return reinterpret_cast<TW_INFO*>(reinterpret_cast<unsigned char*>(block) + offsetof(TW_EXTIMAGEINFO, Info)) +
           index;
}

const TW_INFO* CZKTWExtraImageInfo::_At(const TW_EXTIMAGEINFO* block, unsigned index)
{
    return _At(const_cast<TW_EXTIMAGEINFO*>(block), index);
}

size_t CZKTWExtraImageInfo::_DataSize(const TW_INFO& entry)
{
    return static_cast<size_t>(CZKTWHelper::TWSizeOf(entry.ItemType)) * entry.NumItems;
}

bool CZKTWExtraImageInfo::_HoldsHandle(const TW_INFO& entry)
{
    return entry.CondCode == TWRC_SUCCESS && _DataSize(entry) > 4;
}

void CZKTWExtraImageInfo::_Initialize()
{
    TW_EXTIMAGEINFO* block = _Block();
    block->NumInfos = 0;
    for (unsigned i = 0; i < ZKTW_MAX_EXTRA_INFOS; ++i)
        ResetEntry(*_At(block, i));
}

void CZKTWExtraImageInfo::_Release()
{
    TW_EXTIMAGEINFO* block = _Block();
    for (unsigned i = 0; i < ZKTW_MAX_EXTRA_INFOS; ++i)
    {
        TW_INFO& entry = *_At(block, i);
        if (!_HoldsHandle(entry))
            continue;
        CZKGlobalMemory::Free(ToHandle(entry.Item));
        ResetEntry(entry);
    }
}

void CZKTWExtraImageInfo::_DuplicateHandles()
{
    TW_EXTIMAGEINFO* block = _Block();
    for (unsigned i = 0; i < ZKTW_MAX_EXTRA_INFOS; ++i)
    {
        TW_INFO& entry = *_At(block, i);
        if (!_HoldsHandle(entry))
            continue;
        const size_t size = _DataSize(entry);
        CValueLock source(entry.Item, size);
        HGLOBAL copy = source.Data() ? CopyToGlobal(source.Data(), size) : nullptr;
        if (copy)
        {
            entry.Item = FromHandle(copy);
            continue;
        }
        // The value is lost rather than shared with the original.
        entry.Item = 0;
        entry.CondCode = TWRC_FAILURE;
    }
}

void CZKTWExtraImageInfo::AdoptSourceValues()
{
    TW_EXTIMAGEINFO* block = _Block();
    if (block->NumInfos > ZKTW_MAX_EXTRA_INFOS)
        block->NumInfos = ZKTW_MAX_EXTRA_INFOS;
    for (unsigned i = 0; i < ZKTW_MAX_EXTRA_INFOS; ++i)
    {
        TW_INFO& entry = *_At(block, i);
        if (!_HoldsHandle(entry))
            continue;
        void* sourceBlock = reinterpret_cast<void*>(entry.Item);
        // The source sets type and count itself: a value its block cannot
        // hold is refused, not read past the block.
        const size_t size = _DataSize(entry);
        const bool fits = size <= SZKTWMemory::BlockSize(sourceBlock);
        const void* data = fits ? SZKTWMemory::Lock(sourceBlock) : nullptr;
        HGLOBAL copy = data ? CopyToGlobal(data, size) : nullptr;
        if (data)
            SZKTWMemory::Unlock(sourceBlock);
        SZKTWMemory::Free(sourceBlock);
        entry.Item = FromHandle(copy);
        if (!copy)
            entry.CondCode = TWRC_FAILURE;
    }
}

BOOL CZKTWExtraImageInfo::_AddInfo(WORD infoId)
{
    TW_EXTIMAGEINFO* block = _Block();
    if (block->NumInfos >= ZKTW_MAX_EXTRA_INFOS || m_index.count(infoId))
        return FALSE;
    const unsigned index = block->NumInfos++;
    ResetEntry(*_At(block, index));
    _At(block, index)->InfoID = infoId;
    m_index[infoId] = index;
    return TRUE;
}

TW_INFO* CZKTWExtraImageInfo::_Entry(WORD infoId)
{
    auto found = m_index.find(infoId);
    return found == m_index.end() ? nullptr : _At(_Block(), found->second);
}

const TW_INFO* CZKTWExtraImageInfo::_Entry(WORD infoId) const
{
    return const_cast<CZKTWExtraImageInfo*>(this)->_Entry(infoId);
}

const TW_INFO* CZKTWExtraImageInfo::_Delivered(WORD infoId) const
{
    const TW_INFO* entry = _Entry(infoId);
    return entry && entry->CondCode == TWRC_SUCCESS ? entry : nullptr;
}

BOOL CZKTWExtraImageInfo::_GetUInt32(WORD infoId, unsigned& value) const
{
    const TW_INFO* entry = _Delivered(infoId);
    if (!entry)
        return FALSE;
    value = static_cast<unsigned>(entry->Item);
    return TRUE;
}

BOOL CZKTWExtraImageInfo::_GetString(WORD infoId, std::wstring& value) const
{
    const TW_INFO* entry = _Delivered(infoId);
    if (!entry || !_HoldsHandle(*entry))
        return FALSE;
    const size_t size = _DataSize(*entry);
    CValueLock lock(entry->Item, size);
    if (!lock.Data())
        return FALSE;
    char text[256] = {};
    std::memcpy(text, lock.Data(), size < sizeof(text) ? size : sizeof(text));
    CZKTWHelper::ConvertType(text, value);
    return TRUE;
}

BOOL CZKTWExtraImageInfo::GetDeskewStatus(unsigned& value) const { return _GetUInt32(TWEI_DESKEWSTATUS, value); }
BOOL CZKTWExtraImageInfo::GetSkewOriginalAngle(unsigned& value) const
{
    return _GetUInt32(TWEI_SKEWORIGINALANGLE, value);
}
BOOL CZKTWExtraImageInfo::GetChapterNumber(unsigned& value) const { return _GetUInt32(TWEI_CHAPTERNUMBER, value); }
BOOL CZKTWExtraImageInfo::GetDocumentNumber(unsigned& value) const { return _GetUInt32(TWEI_DOCUMENTNUMBER, value); }
BOOL CZKTWExtraImageInfo::GetPageNumber(unsigned& value) const { return _GetUInt32(TWEI_PAGENUMBER, value); }
BOOL CZKTWExtraImageInfo::GetFrameNumber(unsigned& value) const { return _GetUInt32(TWEI_FRAMENUMBER, value); }

BOOL CZKTWExtraImageInfo::GetPixelFlavor(WORD& value) const
{
    const TW_INFO* entry = _Delivered(TWEI_PIXELFLAVOR);
    if (!entry)
        return FALSE;
    value = static_cast<WORD>(entry->Item & 0xFFFF);
    return TRUE;
}

BOOL CZKTWExtraImageInfo::GetBookName(std::wstring& value) const { return _GetString(TWEI_BOOKNAME, value); }
BOOL CZKTWExtraImageInfo::GetCamera(std::wstring& value) const { return _GetString(TWEI_CAMERA, value); }

BOOL CZKTWExtraImageInfo::GetFrame(ZKTWFRAME& value) const
{
    const TW_INFO* entry = _Delivered(TWEI_FRAME);
    if (!entry || !_HoldsHandle(*entry))
        return FALSE;
    CValueLock lock(entry->Item, sizeof(TW_FRAME));
    if (!lock.Data())
        return FALSE;
    TW_FRAME frame;
    std::memcpy(&frame, lock.Data(), sizeof(frame));
    auto inches = [this](const TW_FIX32& v) {
        return CZKTWHelper::ConvertUnit(m_unit, CZKTWHelper::Fix32ToDouble(v), ZKTW_UNIT_INCHES);
    };
    value.Left = inches(frame.Left);
    value.Top = inches(frame.Top);
    value.Right = inches(frame.Right);
    value.Bottom = inches(frame.Bottom);
    return TRUE;
}

BOOL CZKTWExtraImageInfo::SetPageNumber(unsigned& value)
{
    TW_INFO* entry = _Entry(TWEI_PAGENUMBER);
    if (!entry)
        return FALSE;
    if (_HoldsHandle(*entry))
        CZKGlobalMemory::Free(ToHandle(entry->Item));
    entry->ItemType = CZKTWHelper::QueryEITrait(TWEI_PAGENUMBER).ItemType;
    entry->NumItems = 1;
    entry->CondCode = TWRC_SUCCESS;
    entry->Item = value;
    return TRUE;
}

BOOL CZKTWExtraImageInfo::Save(CZKBuffer& buffer) const
{
    const TW_EXTIMAGEINFO* block = _Block();
    if (!buffer.RWOpenWrite() || !buffer.RW_W_ulong(static_cast<ULONG>(m_unit)) ||
        !buffer.RW_W_ulong(block->NumInfos))
        return FALSE;
    for (unsigned i = 0; i < block->NumInfos && i < ZKTW_MAX_EXTRA_INFOS; ++i)
    {
        const TW_INFO& entry = *_At(block, i);
        if (!buffer.RW_W_WORD(entry.InfoID) || !buffer.RW_W_WORD(entry.ItemType) ||
            !buffer.RW_W_WORD(entry.NumItems) || !buffer.RW_W_WORD(entry.CondCode))
            return FALSE;
        const size_t size = _DataSize(entry);
        if (entry.CondCode != TWRC_SUCCESS || size == 0)
            continue;
        if (size <= 4)
        {
            const uint32_t item = static_cast<uint32_t>(entry.Item);
            if (!buffer.RWWrite(&item, sizeof(item)))
                return FALSE;
            continue;
        }
        CValueLock lock(entry.Item, size);
        if (!lock.Data() || !buffer.RWWrite(lock.Data(), size))
            return FALSE;
    }
    return buffer.RWClose();
}

BOOL CZKTWExtraImageInfo::Load(CZKBuffer& buffer)
{
    _Release();
    TW_EXTIMAGEINFO* block = _Block();
    ULONG unit = 0;
    ULONG count = 0;
    if (!buffer.RWOpenRead() || !buffer.RW_R_ulong(unit) || !buffer.RW_R_ulong(count))
        return FALSE;
    m_unit = static_cast<EZKTWImageUnit>(unit);
    if (count > ZKTW_MAX_EXTRA_INFOS)
        return FALSE;
    block->NumInfos = count;
    for (unsigned i = 0; i < count; ++i)
    {
        TW_INFO& entry = *_At(block, i);
        ResetEntry(entry);
        WORD id = 0, type = 0, items = 0, code = 0;
        if (!buffer.RW_R_WORD(id) || !buffer.RW_R_WORD(type) || !buffer.RW_R_WORD(items) ||
            !buffer.RW_R_WORD(code))
            return FALSE;
        // Stored with CondCode 1 until its value is in, so that a failed read
        // never leaves a handle-sized entry without a handle.
        entry.InfoID = id;
        entry.ItemType = type;
        entry.NumItems = items;
        const size_t size = _DataSize(entry);
        if (code != TWRC_SUCCESS || size == 0)
        {
            entry.CondCode = code;
            continue;
        }
        if (size <= 4)
        {
            uint32_t item = 0;
            if (!buffer.RWRead(&item, sizeof(item)))
                return FALSE;
            entry.Item = item;
            entry.CondCode = code;
            continue;
        }
        if (buffer.RWGetRemaining() < size)
            return FALSE;
        HGLOBAL handle = CZKGlobalMemory::Alloc(size);
        void* data = handle ? CZKGlobalMemory::Lock(handle) : nullptr;
        const BOOL read = data ? buffer.RWRead(data, size) : FALSE;
        if (data)
            CZKGlobalMemory::Unlock(handle);
        if (!read)
        {
            CZKGlobalMemory::Free(handle);
            return FALSE;
        }
        entry.Item = FromHandle(handle);
        entry.CondCode = code;
    }
    return buffer.RWClose();
}
