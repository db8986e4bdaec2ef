#include <brackwater/QXOutputMaskItem.h>

namespace
{
// Indexed by tag number.
const wchar_t* const kTagTexts[CQXOutputMaskItem::TAG_COUNT] = {
    L"yyyy", L"yy", L"y", L"MM", L"M", L"dd", L"d", L"D",  L"DDD", L"HH", L"H", L"hh",
    L"h",    L"mm", L"m", L"ss", L"s", L"TT", L"T", L"tt", L"t",   L"ww", L"w",
};
} // namespace

const wchar_t* CQXOutputMaskItem::GetTagText(int tag)
{
    return tag >= 0 && tag < TAG_COUNT ? kTagTexts[tag] : nullptr;
}

int CQXOutputMaskItem::FindTag(const std::wstring& text)
{
    for (int tag = 0; tag < TAG_COUNT; ++tag)
    {
        if (text == kTagTexts[tag])
            return tag;
    }
    return -1;
}
