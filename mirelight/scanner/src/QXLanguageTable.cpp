#include "QXLanguageTable.h"

namespace
{
struct LanguageRow
{
    DWORD languageId;
    WORD country;  // TWCY_*
    WORD language; // TWLG_*
};

// clang-format off
const LanguageRow kLanguageRows[] = {
    {0x0436, 27, 14}, {0x041C, 355, 15}, {0x3801, 971, 16}, {0x3C01, 973, 16}, {0x1401, 213, 16},
    {0x0C01, 20, 16}, {0x0801, 964, 16}, {0x2C01, 962, 16}, {0x3401, 965, 16}, {0x3001, 1020, 16},
    {0x1001, 218, 16}, {0x1801, 212, 16}, {0x2001, 968, 16}, {0x4001, 974, 16}, {0x0401, 966, 16},
    {0x2801, 1039, 16}, {0x1C01, 216, 16}, {0x2401, 1046, 16}, {0x0402, 359, 35}, {0x0804, 86, 39},
    {0x0C04, 852, 38}, {0x1404, 853, 39}, {0x1004, 65, 40}, {0x0404, 886, 42}, {0x041A, 385, 44},
    {0x0405, 420, 45}, {0x0406, 45, 0}, {0x0413, 31, 1}, {0x0813, 32, 1}, {0x0C09, 61, 2},
    {0x2809, 501, 2}, {0x1009, 2, 2}, {0x1809, 353, 2}, {0x2009, 8010, 2}, {0x1409, 64, 2},
    {0x3409, 63, 2}, {0x1C09, 27, 2}, {0x2C09, 8016, 2}, {0x0809, 44, 2}, {0x0409, 1, 2},
    {0x0425, 372, 53}, {0x040B, 358, 4}, {0x040C, 33, 5}, {0x080C, 32, 5}, {0x0C0C, 2, 5},
    {0x140C, 352, 5}, {0x100C, 41, 5}, {0x0407, 49, 6}, {0x0C07, 61, 6}, {0x1407, 41, 6},
    {0x1007, 352, 6}, {0x0807, 41, 6}, {0x0408, 30, 63}, {0x040E, 36, 65}, {0x040F, 354, 7},
    {0x0421, 62, 66}, {0x0410, 39, 8}, {0x0810, 41, 8}, {0x0411, 81, 68}, {0x0412, 82, 69},
    {0x0426, 371, 71}, {0x0427, 370, 72}, {0x043E, 60, 97}, {0x083E, 673, 97}, {0x044E, 91, 98},
    {0x0414, 47, 9}, {0x0814, 47, 9}, {0x0415, 48, 75}, {0x0816, 351, 10}, {0x0416, 55, 76},
    {0x0418, 40, 77}, {0x0818, 373, 77}, {0x0419, 7, 78}, {0x0819, 373, 78}, {0x0C1A, 381, 106},
    {0x081A, 381, 79}, {0x0424, 386, 81}, {0x041B, 421, 80}, {0x0C0A, 34, 11}, {0x2C0A, 54, 11},
    {0x400A, 591, 11}, {0x340A, 56, 11}, {0x240A, 57, 11}, {0x140A, 506, 11}, {0x1C0A, 8098, 11},
    {0x300A, 593, 11}, {0x100A, 502, 11}, {0x480A, 504, 11}, {0x080A, 3, 11}, {0x4C0A, 505, 11},
    {0x180A, 507, 11}, {0x280A, 51, 11}, {0x500A, 787, 11}, {0x3C0A, 595, 11}, {0x440A, 503, 11},
    {0x380A, 598, 11}, {0x200A, 58, 11}, {0x041D, 46, 12}, {0x081D, 358, 12}, {0x041E, 66, 84},
    {0x041F, 90, 85}, {0x0422, 380, 86}, {0x042A, 84, 113},
};
// clang-format on

static_assert(sizeof(kLanguageRows) / sizeof(kLanguageRows[0]) == 103, "every language is listed");
} // namespace

CQXLanguageTable& CQXLanguageTable::Instance()
{
    static CQXLanguageTable table;
    return table;
}

void CQXLanguageTable::Build()
{
    m_rows.clear();
    // First row wins, as identifiers are unique anyway.
    for (const LanguageRow& row : kLanguageRows)
        m_rows.emplace(row.languageId, std::make_pair(row.country, row.language));
}

void CQXLanguageTable::Clear() { m_rows.clear(); }

BOOL CQXLanguageTable::Lookup(DWORD languageId, WORD& country, WORD& language) const
{
    const auto found = m_rows.find(languageId);
    if (found == m_rows.end())
    {
        country = FALLBACK_COUNTRY;
        language = FALLBACK_LANGUAGE;
        return FALSE;
    }
    country = found->second.first;
    language = found->second.second;
    return TRUE;
}
