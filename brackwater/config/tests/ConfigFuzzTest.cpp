// Random and mutated input for every reader of outside data: buffers, files,
// scripts and image-address texts. Fixed seeds keep failures reproducible;
// the checks are that nothing crashes or overruns (run under the sanitizers)
// and that what a reader accepts still keeps the records' invariants.
#include <brackwater/QX_CAMERAINFO_TYPE.h>
#include <brackwater/QX_IMAGEADDRESS.h>
#include <brackwater/QX_JOBCFG_GENERAL_TYPE.h>
#include <brackwater/QX_JOBCFG_SCANNER_GROUP_TYPE.h>
#include <brackwater/QX_RANGE_D_TYPE.h>
#include <brackwater/QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE.h>
#include <brackwater/QX_SCNCFG_CONFIGDATA_TYPE.h>

#include <hollin/ZKCommon.h>
#include <hollin/ZKRBuffer.h>
#include <hollin/ZKScript.h>

#include "common/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace
{
typedef std::vector<BYTE> Bytes;

class CMutator
{
public:
    explicit CMutator(uint32_t seed) : m_rng(seed) {}

    size_t Below(size_t n)
    {
        return n == 0 ? 0 : std::uniform_int_distribution<size_t>(0, n - 1)(m_rng);
    }
    BYTE Byte() { return static_cast<BYTE>(Below(256)); }

    Bytes Random(size_t maxSize)
    {
        Bytes out(Below(maxSize + 1));
        for (BYTE& b : out)
            b = Byte();
        return out;
    }

    // A few flips, cuts, insertions or length-field smashes of a valid input.
    Bytes Mutate(Bytes in)
    {
        const size_t steps = 1 + Below(4);
        for (size_t i = 0; i < steps; ++i)
        {
            switch (Below(5))
            {
            case 0:
                if (!in.empty())
                    in[Below(in.size())] = Byte();
                break;
            case 1:
                in.resize(Below(in.size() + 1));
                break;
            case 2:
                in.insert(in.begin() + static_cast<long>(Below(in.size() + 1)), Byte());
                break;
            case 3:
                if (!in.empty())
                    in.erase(in.begin() + static_cast<long>(Below(in.size())));
                break;
            default:
                // Large counts where lengths are stored.
                if (in.size() >= 4)
                {
                    const size_t at = Below(in.size() - 3);
                    in[at] = 0xFF;
                    in[at + 1] = 0xFF;
                    in[at + 2] = Byte();
                    in[at + 3] = Byte() & 0x7F;
                }
            }
        }
        return in;
    }

    std::wstring Text(size_t maxLength)
    {
        static const wchar_t alphabet[] = {L'.', L'.', L'0',  L'7',  L'9',  L'A',
                                           L'z', L' ', L'#',  L'\b', L'\r', L'\n',
                                           L'=', L'[', L'\\', 0xE9,  0x4E2D};
        std::wstring out(Below(maxLength + 1), L'.');
        for (wchar_t& c : out)
        {
            switch (Below(20))
            {
            case 0:
                c = static_cast<wchar_t>(0xD800 + Below(0x800));
                break; // lone surrogate
            case 1:
                c = static_cast<wchar_t>(0x10000 + Below(0x1000));
                break;
            default:
                c = alphabet[Below(sizeof(alphabet) / sizeof(alphabet[0]))];
            }
        }
        return out;
    }

private:
    std::mt19937 m_rng;
};

Bytes ToBytes(const CZKBuffer& buffer)
{
    return Bytes(buffer.GetPtr(), buffer.GetPtr() + buffer.GetSize());
}
CZKRBuffer ToBuffer(const Bytes& bytes)
{
    return CZKRBuffer(bytes.data(), bytes.size());
}

void ExpectComponentsFit(const QX_IMAGEADDRESS& a)
{
    for (int i = 0; i < QX_IMAGEADDRESS::COMPONENT_COUNT; ++i)
    {
        const std::wstring c = a.GetComponent(i);
        EXPECT_LE(c.size(), 9u);
    }
}

QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE SampleAdvanced()
{
    QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE adv;
    adv.strScannerName = L"twain:Fuzz";
    adv.imageAddressFormat.SetSlot(0, 'F', 3);
    const BYTE data[] = {1, 2, 3, 4};
    adv.globalData.CopyFrom(data, sizeof(data));
    adv.settingsBlock.CopyFrom(data, 2);
    return adv;
}
} // namespace

TEST(ConfigFuzz, AdvancedConfigFromBuffer)
{
    CMutator m(1234);
    CZKRBuffer valid;
    ASSERT_TRUE(SampleAdvanced().toBuffer(valid));
    const Bytes seed = ToBytes(valid);
    for (int i = 0; i < 20000; ++i)
    {
        const Bytes input = (i % 4 == 0) ? m.Random(96) : m.Mutate(seed);
        QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE adv;
        if (!adv.fromBuffer(ToBuffer(input)))
        {
            EXPECT_EQ(QX_SCNCFG_ADVANCED_CONFIGDATA_TYPE(), adv);
            continue;
        }
        // Whatever was accepted writes back to the bytes it came from.
        CZKRBuffer again;
        if (!input.empty() && adv.toBuffer(again))
        {
            ASSERT_LE(again.GetSize(), input.size());
            EXPECT_EQ(Bytes(input.begin(), input.begin() + static_cast<long>(again.GetSize())),
                      ToBytes(again));
        }
    }
}

TEST(ConfigFuzz, ScannerFilesFromDisk)
{
    CTempFolder folder;
    const std::wstring good = folder.File("good.cfg");
    QX_SCNCFG_CONFIGDATA_TYPE config;
    const BYTE data[] = {7, 7, 7};
    config.customdata_set(CZKRBuffer(data, sizeof(data)));
    config.strScannerName = L"twain:Fuzz";
    config.bCameraInfo = TRUE;
    config.cameras[0].ex.strCurrentThresholdingMode = L"Mode";
    ASSERT_TRUE(config.tofile(good));
    CZKRBuffer configBytes;
    ASSERT_TRUE(SZKCommon::FileToBuffer(good, configBytes));

    QX_JOBCFG_SCANNER_GROUP_TYPE group;
    group.strScannerName = L"twain:Fuzz";
    group.advancedConfig = SampleAdvanced();
    const std::wstring goodGroup = folder.File("good.grp");
    ASSERT_TRUE(group.tofile(goodGroup));
    CZKRBuffer groupBytes;
    ASSERT_TRUE(SZKCommon::FileToBuffer(goodGroup, groupBytes));

    CMutator m(99);
    const std::wstring path = folder.File("fuzz.bin");
    for (int i = 0; i < 1500; ++i)
    {
        const bool asConfig = i % 2 == 0;
        const Bytes seed = ToBytes(asConfig ? configBytes : groupBytes);
        ASSERT_TRUE(
            SZKCommon::BufferToFile(ToBuffer(i % 10 == 0 ? m.Random(128) : m.Mutate(seed)), path));
        if (asConfig)
        {
            QX_SCNCFG_CONFIGDATA_TYPE back;
            if (!back.fromfile(path))
            {
                EXPECT_EQ(QX_SCNCFG_CONFIGDATA_TYPE(), back);
            }
        }
        else
        {
            QX_JOBCFG_SCANNER_GROUP_TYPE back;
            if (!back.fromfile(path))
            {
                EXPECT_EQ(QX_JOBCFG_SCANNER_GROUP_TYPE(), back);
            }
        }
    }
}

TEST(ConfigFuzz, RecordsFromMutatedScripts)
{
    CZKScript script;
    script.SetDefaultSection(L"S");
    QX_JOBCFG_GENERAL_TYPE general;
    general.strDescription = L"a\r\nb";
    ASSERT_TRUE(general.toscript(script));
    QX_IMAGEADDRESS_FORMAT format;
    format.SetSlot(0, '1', 4);
    ASSERT_TRUE(format.toscript(script));
    QX_CAMERAINFO_TYPE camera;
    ASSERT_TRUE(camera.toscript(script, L"Cam"));
    ASSERT_TRUE(QX_RANGE_D_TYPE(2, 1.0, 2, 5.0).toscript(script, L"Range"));
    const std::string text = script.SaveToText();
    const Bytes seed(text.begin(), text.end());

    CMutator m(7);
    for (int i = 0; i < 20000; ++i)
    {
        const Bytes mutated = m.Mutate(seed);
        CZKScript loaded;
        if (!loaded.LoadFromText(std::string(mutated.begin(), mutated.end())))
            continue;
        loaded.SetDefaultSection(L"S");
        QX_JOBCFG_GENERAL_TYPE g;
        if (!g.fromscript(loaded))
        {
            EXPECT_EQ(QX_JOBCFG_GENERAL_TYPE(), g);
        }
        QX_IMAGEADDRESS_FORMAT f;
        f.fromscript(loaded);
        QX_CAMERAINFO_TYPE c;
        if (c.fromscript(loaded, L"Cam"))
        {
            EXPECT_TRUE(c.check());
        }
        QX_RANGE_D_TYPE r;
        if (r.fromscript(loaded, L"Range"))
        {
            EXPECT_TRUE(r.check());
        }
    }
}

TEST(ConfigFuzz, ImageAddressParsers)
{
    CMutator m(2024);
    for (int i = 0; i < 20000; ++i)
    {
        // Any 20 bytes may arrive as a format.
        BYTE raw[QX_IMAGEADDRESS_FORMAT::RAW_SIZE];
        for (BYTE& b : raw)
            b = m.Byte();
        QX_IMAGEADDRESS_FORMAT format;
        format.FromBytes(raw);
        if (i % 2 == 0)
        {
            // Mostly-valid formats reach the deeper paths.
            static const WORD marks[] = {'F', '3', '2', '1', 'N'};
            format.nLeadingZerosFormat = static_cast<int32_t>(m.Below(3));
            for (QX_IMAGEADDRESS_FORMAT::SLOT& slot : format.slots)
            {
                slot.mark = marks[m.Below(5)];
                slot.length = slot.mark == 'N' ? 0 : static_cast<WORD>(m.Below(15));
            }
        }
        const std::wstring text = m.Text(i % 100 == 0 ? 300 : 30);

        QX_IMAGEADDRESS a;
        std::wstring out;
        a.ParseString(text, format);
        ExpectComponentsFit(a);
        a.ToString(format, out);
        a.ParseHdrString(text, format);
        ExpectComponentsFit(a);
        a.ParseHdrString(text, m.Text(5));
        ExpectComponentsFit(a);
        a.Parse(text, static_cast<LONG>(m.Below(1u << 31)), -static_cast<LONG>(m.Below(1000)), 0,
                format);
        ExpectComponentsFit(a);
        a.Revise(format);
        a.Validate(format);

        if (a.ParseStdString(text))
        {
            ExpectComponentsFit(a);
            a.ToStdString(out);
            bool plain = true;
            for (wchar_t c : text)
                plain = plain && (c < 0xD800 || (c > 0xDFFF && c < 0x10000));
            if (plain)
            {
                EXPECT_EQ(text, out);
            }
        }
    }
}
