// The extended image information of one image: the request block a source
// fills after a transfer, typed answers about its values, and a serial form
// that travels with the image.
//
// The block is laid out as the source expects it (a 32-bit count followed by
// room for ZKTW_MAX_EXTRA_INFOS entries). Values of up to 4 bytes sit in the
// entry's Item; longer ones (strings, frames) in a global-memory handle that
// the object owns.
#pragma once

#include <fennick/ZKTWTypes.h>
#include <fennick/fennick_export.h>

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

class CZKBuffer;

constexpr unsigned ZKTW_MAX_EXTRA_INFOS = 64;

// A frame in inches.
struct ZKTWFRAME
{
    double Left = 0.0;
    double Top = 0.0;
    double Right = 0.0;
    double Bottom = 0.0;
};

class FENNICK_EXPORT CZKTWExtraImageInfo
{
public:
    CZKTWExtraImageInfo();
    virtual ~CZKTWExtraImageInfo();
    // A copy owns its own block and its own value handles.
    CZKTWExtraImageInfo(const CZKTWExtraImageInfo& other);
    CZKTWExtraImageInfo& operator=(const CZKTWExtraImageInfo& other);

    // Each getter is FALSE when the id is not one of the requested ones or
    // the source did not deliver the value.
    BOOL GetDeskewStatus(unsigned& value) const;
    BOOL GetSkewOriginalAngle(unsigned& value) const;
    BOOL GetChapterNumber(unsigned& value) const;
    BOOL GetDocumentNumber(unsigned& value) const;
    BOOL GetPageNumber(unsigned& value) const;
    BOOL GetFrameNumber(unsigned& value) const;
    BOOL GetPixelFlavor(WORD& value) const;
    BOOL GetBookName(std::wstring& value) const;
    BOOL GetCamera(std::wstring& value) const;
    BOOL GetFrame(ZKTWFRAME& value) const;

    BOOL SetPageNumber(unsigned& value);

    BOOL Save(CZKBuffer& buffer) const;
    // Refuses more entries than the block holds and any value the buffer
    // does not hold; what was read before a failure stays.
    BOOL Load(CZKBuffer& buffer);

    // Frames are converted from this unit; the transfer code sets it.
    void SetUnit(EZKTWImageUnit unit) { m_unit = unit; }
    EZKTWImageUnit GetUnit() const { return m_unit; }

    // The request block handed to DAT_EXTIMAGEINFO.
    TW_EXTIMAGEINFO* GetBlock();
    static size_t GetBlockSize();
    // After the source filled the block: takes its long values (heap blocks
    // the application must free) into global-memory handles of our own. A
    // value its block cannot hold is not delivered (CondCode 1).
    void AdoptSourceValues();

protected:
    void _Initialize();
    void _Release();
    // Adds an id to the request block; FALSE when it is full or the id is
    // already asked for.
    BOOL _AddInfo(WORD infoId);
    // The entry of an indexed id, or nullptr.
    TW_INFO* _Entry(WORD infoId);
    const TW_INFO* _Entry(WORD infoId) const;
    // The entry of an indexed id that holds a delivered value, or nullptr.
    const TW_INFO* _Delivered(WORD infoId) const;
    BOOL _GetUInt32(WORD infoId, unsigned& value) const;
    BOOL _GetString(WORD infoId, std::wstring& value) const;

    static TW_INFO* _At(TW_EXTIMAGEINFO* block, unsigned index);
    static const TW_INFO* _At(const TW_EXTIMAGEINFO* block, unsigned index);
    // TWSizeOf(ItemType) x NumItems.
    static size_t _DataSize(const TW_INFO& entry);
    static bool _HoldsHandle(const TW_INFO& entry);

private:
    TW_EXTIMAGEINFO* _Block() const;
    void _DuplicateHandles();

    std::vector<unsigned char> m_block;
    std::unordered_map<WORD, unsigned> m_index;
    EZKTWImageUnit m_unit = ZKTW_UNIT_INCHES;
};
