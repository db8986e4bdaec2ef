// Random masks and values through parse and validate: nothing may crash or
// hang, and the lengths the masks report must agree with what validation
// accepts. Fixed seed, bounded iterations.
#include <brackwater/QXInputMaskEI.h>
#include <brackwater/QXTimeInputMaskEI.h>
#include <hollin/ZKDateTime.h>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace
{
class Generator
{
public:
    explicit Generator(unsigned seed) : m_rng(seed) {}

    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(m_rng); }
    bool Chance(int percent) { return Int(1, 100) <= percent; }
    template <class T, size_t N> const T& Pick(const T (&items)[N])
    {
        return items[static_cast<size_t>(Int(0, static_cast<int>(N) - 1))];
    }

    std::wstring Mask()
    {
        std::wstring mask;
        const int items = Int(1, 4);
        for (int i = 0; i < items; ++i)
            mask += Item();
        return Chance(25) ? Mutate(mask) : mask;
    }

    std::wstring Soup()
    {
        static const wchar_t kAlphabet[] = L"?9ZzAXCcinTt<>[](),*-+.0123456789\"'yMdDHhmsT: \t";
        std::wstring soup;
        const int length = Int(0, 24);
        for (int i = 0; i < length; ++i)
            soup += kAlphabet[Int(0, static_cast<int>(sizeof kAlphabet / sizeof(wchar_t)) - 2)];
        return soup;
    }

    std::wstring Mutate(std::wstring text)
    {
        static const wchar_t kNoise[] = L"9aZ-.,<>[]()\"' 0x*";
        const int edits = Int(1, 3);
        for (int i = 0; i < edits; ++i)
        {
            const size_t pos =
                text.empty() ? 0 : static_cast<size_t>(Int(0, static_cast<int>(text.size())));
            const wchar_t ch =
                kNoise[Int(0, static_cast<int>(sizeof kNoise / sizeof(wchar_t)) - 2)];
            switch (Int(0, 2))
            {
            case 0:
                text.insert(pos, 1, ch);
                break;
            case 1:
                if (pos < text.size())
                    text.erase(pos, 1);
                break;
            default:
                if (pos < text.size())
                    text[pos] = ch;
                break;
            }
        }
        return text;
    }

    // A value built to fit the parsed items (numbers may still miss an
    // exclusive bound).
    std::wstring ValueFor(const CQXInputMaskItemList& list)
    {
        std::wstring value;
        for (int i = 0; i < list.GetCount(); ++i)
            value += ValueFor(*list.Get(i));
        return value;
    }

private:
    std::wstring Item()
    {
        static const wchar_t* const kLetters[] = {L"?", L"9", L"Z", L"z", L"A", L"C", L"c", L"X"};
        static const wchar_t* const kIntBounds[] = {L"*",  L"0",  L"1",    L"-5",
                                                    L"12", L"99", L"-100", L"2147483647"};
        static const wchar_t* const kRealBounds[] = {L"*",         L"0", L"0.5",  L"-1.5",
                                                     L"1.0000001", L"3", L"12.25"};
        static const wchar_t* const kTags[] = {L"yyyy", L"yy", L"MM", L"dd", L"DDD", L"HH",
                                               L"hh",   L"mm", L"ss", L"TT", L"t",   L"\"-\""};
        switch (Int(0, 4))
        {
        case 0:
        {
            std::wstring item = Pick(kLetters);
            if (Chance(50))
                item += L"<" + std::to_wstring(Int(-1, 5)) +
                        (Chance(50) ? L"," + std::to_wstring(Int(-1, 6)) : L"") + L">";
            return item;
        }
        case 1:
        case 2:
        {
            const bool real = Int(0, 1) == 1;
            std::wstring item = real ? L"n" : L"i";
            if (Chance(70))
            {
                item += Chance(50) ? L"[" : L"(";
                item += real ? Pick(kRealBounds) : Pick(kIntBounds);
                item += L",";
                item += real ? Pick(kRealBounds) : Pick(kIntBounds);
                item += Chance(50) ? L"]" : L")";
            }
            return item;
        }
        case 3:
        {
            std::wstring item = L"T<";
            const int tags = Int(1, 4);
            for (int i = 0; i < tags; ++i)
                item += Pick(kTags);
            return item + L">";
        }
        default:
            return L"\"" + Soup().substr(0, 3) + L"\"";
        }
    }

    wchar_t CharOfClass(int textType)
    {
        static const wchar_t* const kClasses[] = {
            L" !#%&*+-./:;=@_~09AZaz",
            L"0123456789",
            L"ABCXYZ",
            L"abcxyz",
            L"AZaz",
            L"AZ09",
            L"az09",
            L"AZaz09",
        };
        const std::wstring chars = kClasses[textType & 7];
        return chars[static_cast<size_t>(Int(0, static_cast<int>(chars.size()) - 1))];
    }

    std::wstring Digits(int value, int width)
    {
        std::wstring text = std::to_wstring(value);
        return std::wstring(static_cast<size_t>(width) - text.size(), L'0') + text;
    }

    std::wstring TimeValue(const CQXTimeInputMaskItem& item)
    {
        using T = CQXTimeInputMaskItem;
        switch (item.m_nType)
        {
        case T::TYPE_YYYY:
            return Digits(Int(1900, 2100), 4);
        case T::TYPE_YY:
        case T::TYPE_MI:
        case T::TYPE_SS:
            return Digits(Int(0, 59), 2);
        case T::TYPE_MM:
            return Digits(Int(1, 12), 2);
        case T::TYPE_DD:
            return Digits(Int(1, 28), 2);
        case T::TYPE_DDD:
            return Digits(Int(1, 365), 3);
        case T::TYPE_HH:
            return Digits(Int(0, 23), 2);
        case T::TYPE_HH12:
            return Digits(Int(1, 12), 2);
        case T::TYPE_TT:
            return Chance(50) ? L"AM" : L"PM";
        case T::TYPE_T:
            return Chance(50) ? L"A" : L"P";
        case T::TYPE_TT_LOWER:
            return Chance(50) ? L"am" : L"pm";
        case T::TYPE_T_LOWER:
            return Chance(50) ? L"a" : L"p";
        default:
            return item.m_strText;
        }
    }

    std::wstring ValueFor(const CQXInputMaskItem& item)
    {
        using I = CQXInputMaskItem;
        switch (item.m_nType)
        {
        case I::TYPE_TEXT:
        {
            const int low = item.m_nTextMinLength;
            const int high = item.m_nTextMaxLength > 0 ? item.m_nTextMaxLength : low + 3;
            std::wstring text;
            for (int n = Int(low, high); n > 0; --n)
                text += CharOfClass(item.m_nTextType);
            return text;
        }
        case I::TYPE_INT:
        {
            const long long low =
                item.m_nIntLowMode == I::BOUND_NONE
                    ? -1000LL
                    : item.m_nIntLow + (item.m_nIntLowMode == I::BOUND_EXCLUSIVE ? 1LL : 0LL);
            const long long high =
                item.m_nIntHighMode == I::BOUND_NONE
                    ? 1000LL
                    : item.m_nIntHigh - (item.m_nIntHighMode == I::BOUND_EXCLUSIVE ? 1LL : 0LL);
            const long long span = high - low;
            const long long value =
                span <= 0 ? low : low + Int(0, static_cast<int>(std::min(span, 100000LL)));
            return std::to_wstring(value);
        }
        case I::TYPE_FLOAT:
        {
            const double low = item.m_nFloatLowMode == I::BOUND_NONE ? -50.0 : item.m_dFloatLow;
            const double high = item.m_nFloatHighMode == I::BOUND_NONE ? 50.0 : item.m_dFloatHigh;
            const double value = low + (high - low) * Int(0, 1000) / 1000.0;
            return I::RemoveZeroAfterPiont(std::to_wstring(value));
        }
        case I::TYPE_TIME:
        {
            std::wstring text;
            for (int i = 0; i < item.m_timeItems.GetCount(); ++i)
                text += TimeValue(*item.m_timeItems.Get(i));
            return text;
        }
        default:
            return item.m_strText;
        }
    }

    std::mt19937 m_rng;
};

bool HasNumberItem(const CQXInputMaskItemList& list)
{
    for (int i = 0; i < list.GetCount(); ++i)
    {
        const int type = list.Get(i)->m_nType;
        if (type == CQXInputMaskItem::TYPE_INT || type == CQXInputMaskItem::TYPE_FLOAT)
            return true;
    }
    return false;
}

void CheckAcceptedValue(const CQXInputMaskItemList& list, const std::wstring& value,
                        const int (&parts)[6])
{
    const int length = static_cast<int>(value.size());
    EXPECT_GE(length, list.GetItemsMinLength());
    if (list.GetItemsLength() >= 0)
    {
        EXPECT_EQ(length, list.GetItemsLength());
    }
    if (!HasNumberItem(list) && list.GetItemsMaxLength() >= 0)
    {
        EXPECT_LE(length, list.GetItemsMaxLength());
    }
    EXPECT_TRUE(SZKDateTime::CheckDate(parts[0], parts[1], parts[2]));
    EXPECT_TRUE(SZKDateTime::CheckTime(parts[3], parts[4], parts[5]));
}

void CheckParsedList(const CQXInputMaskItemList& list)
{
    ASSERT_GT(list.GetCount(), 0);
    for (int i = 0; i + 1 < list.GetCount(); ++i)
        EXPECT_GE(list.Get(i)->GetItemLength(), 0);
}
} // namespace

TEST(InputMaskFuzzTest, RandomMasksAndValues)
{
    Generator generator(20261208u);
    int parsed = 0, accepted = 0;
    for (int round = 0; round < 20000; ++round)
    {
        const std::wstring mask = round % 4 == 3 ? generator.Soup() : generator.Mask();
        CQXInputMaskItemList list;
        DWORD code = 0;
        if (!CQXInputMaskEI::Parse(mask, list, code))
        {
            EXPECT_NE(0u, code);
            EXPECT_EQ(0, list.GetCount());
            std::wstring text;
            EXPECT_TRUE(CQXInputMaskEI::GetErrorMessage(code, text, FALSE)) << code;
            continue;
        }
        ++parsed;
        CheckParsedList(list);
        for (int attempt = 0; attempt < 6; ++attempt)
        {
            const bool mutated = attempt >= 3;
            const std::wstring fitting = generator.ValueFor(list);
            const std::wstring value = mutated ? generator.Mutate(fitting) : fitting;
            int parts[6];
            const BOOL ok =
                CQXInputMaskEI::Validate(list, value, parts[0], parts[1], parts[2], parts[3],
                                         parts[4], parts[5], code, attempt == 5);
            EXPECT_EQ(ok != FALSE, code == 0);
            if (!ok)
            {
                std::wstring text;
                EXPECT_TRUE(CQXInputMaskEI::GetErrorMessage(code, text, FALSE)) << code;
                // A value built for a mask without numbers must fit it.
                EXPECT_TRUE(mutated || HasNumberItem(list))
                    << "rejected " << std::string(value.begin(), value.end()) << " for "
                    << std::string(mask.begin(), mask.end()) << " code " << code;
                continue;
            }
            ++accepted;
            if (attempt != 5)
                CheckAcceptedValue(list, value, parts);
        }
    }
    // The generator must exercise both paths, or the test proves little.
    EXPECT_GT(parsed, 3000);
    EXPECT_GT(accepted, 10000);
}
