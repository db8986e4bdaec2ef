// Scanning: sheets from the feeder, one image per enabled window and side.
#include "ZKSimIsisDriver.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <stdexcept>

namespace
{
int32_t Send(ZKISIS_MODULE* next, uint32_t message, void* data)
{
    return next && next->proc ? next->proc(next, message, 0, data) : ZKISIS_OK;
}

bool ScansFront(int32_t scanType)
{
    return scanType == 0 || (scanType >= 2 && scanType <= 5);
}

bool ScansBack(int32_t scanType)
{
    return scanType >= 4 && scanType <= 6;
}

struct ImageTags
{
    std::vector<int32_t> values;
    std::vector<ZKISIS_IMAGE_TAG> tags;

    void Long(uint16_t tag, int32_t value) { _Add(tag, ZKISIS_TYPE_LONG, {value}); }
    void Rational(uint16_t tag, double value) { _Add(tag, ZKISIS_TYPE_RATIONAL, {int32_t(value * 100), 100}); }

    ZKISIS_IMAGE_TAGS Finish()
    {
        size_t offset = 0;
        for (ZKISIS_IMAGE_TAG& tag : tags)
        {
            tag.values = values.data() + offset;
            offset += tag.type == ZKISIS_TYPE_RATIONAL ? 2 * tag.count : tag.count;
        }
        return {static_cast<uint32_t>(tags.size()), tags.data()};
    }

private:
    void _Add(uint16_t tag, int32_t type, std::initializer_list<int32_t> items)
    {
        values.insert(values.end(), items);
        tags.push_back({tag, type, 1, nullptr});
    }
};
} // namespace

int32_t CZKSimIsisDriver::_StartScan()
{
    m_sheetsLeft = m_profile.sheets;
    m_sheet = 0;
    return m_sheetsLeft > 0 ? ZKISIS_OK : ZKISIS_ERR_NO_PAPER;
}

int32_t CZKSimIsisDriver::_ScanSheet(ZKISIS_MODULE* module)
{
    if (m_sheetsLeft <= 0)
        return ZKISIS_END_OF_PAGES;
    --m_sheetsLeft;
    ++m_sheet;
    static const std::pair<ZK_SIM_ISIS_FAULT::EKind, int32_t> kSheetFaults[] = {
        {ZK_SIM_ISIS_FAULT::PAPER_JAM, ZKISIS_ERR_PAPER_JAM},
        {ZK_SIM_ISIS_FAULT::DOUBLE_FEED, ZKISIS_ERR_DOUBLE_FEED},
        {ZK_SIM_ISIS_FAULT::OUT_OF_MEMORY, ZKISIS_ERR_OUT_OF_MEMORY},
        {ZK_SIM_ISIS_FAULT::CANCEL, ZKISIS_ERR_CANCELLED}};
    for (const auto& fault : kSheetFaults)
        if (_Fault(fault.first, m_sheet))
        {
            m_sheetsLeft = 0;
            return fault.second;
        }
    if (_Fault(ZK_SIM_ISIS_FAULT::STALL, m_sheet))
        std::this_thread::sleep_for(std::chrono::milliseconds(m_profile.stallMs));
    if (_Fault(ZK_SIM_ISIS_FAULT::THROW, m_sheet))
        throw std::runtime_error("virtual driver fault");
    if (_Fault(ZK_SIM_ISIS_FAULT::END_WITHOUT_BEGIN, m_sheet))
        Send(module->next, ZKISIS_MSG_IMAGE_END, nullptr);
    for (int side = 0; side < 2; ++side)
        for (const CZKSimTagStore* settings : _SideSettings(side))
        {
            const int32_t status = _DeliverImage(module, side, *settings);
            if (status != ZKISIS_OK)
                return status;
        }
    return ZKISIS_OK;
}

// The tag stores of the images a side yields: the first windows of the side
// that the driver's window counts enable, or the driver's own settings when
// it has no windows.
std::vector<const CZKSimTagStore*> CZKSimIsisDriver::_SideSettings(int side) const
{
    const int32_t scanType = _ScanType();
    std::vector<const CZKSimTagStore*> result;
    if (side == 0 ? !ScansFront(scanType) : !ScansBack(scanType))
        return result;
    if (m_profile.windows.empty())
    {
        result.push_back(&m_profile.tags);
        return result;
    }
    const int count = static_cast<int>(
        m_profile.tags.Number(side == 0 ? ZKISIS_TAG_FRONT_WINDOWS : ZKISIS_TAG_BACK_WINDOWS, 1));
    for (int n = 1; n <= count; ++n)
    {
        auto window = m_profile.windows.find(side == 0 ? n : -n);
        if (window != m_profile.windows.end())
            result.push_back(&window->second);
    }
    return result;
}

int32_t CZKSimIsisDriver::_DeliverImage(ZKISIS_MODULE* module, int side, const CZKSimTagStore& settings)
{
    ZK_SIM_ISIS_IMAGE_FORMAT format;
    format.samplesPerPixel = static_cast<int32_t>(settings.Number(ZKISIS_TAG_SAMPLES_PER_PIXEL, 1));
    format.bitsPerSample = static_cast<int32_t>(settings.Number(ZKISIS_TAG_BITS_PER_SAMPLE, 1));
    format.compression = static_cast<int32_t>(settings.Number(ZKISIS_TAG_COMPRESSION, 1));
    format.xDpi = static_cast<int32_t>(settings.Number(ZKISIS_TAG_XRESOLUTION, 200));
    format.yDpi = static_cast<int32_t>(settings.Number(ZKISIS_TAG_YRESOLUTION, format.xDpi));
    format.widthInches = m_profile.pageWidth;
    format.heightInches = m_profile.pageHeight;
    const int contentSheet = m_profile.distinctSheets > 0 ? (m_sheet - 1) % m_profile.distinctSheets + 1 : m_sheet;
    // Held until the image end is sent: the page cache may evict the image
    // meanwhile, and the bytes must outlive that.
    const ZK_SIM_ISIS_IMAGE image = m_images.Get(m_name, contentSheet, side, format);
    if (!image.bytes)
        return ZKISIS_ERR_BAD_VALUE;

    ImageTags tags;
    tags.Long(ZKISIS_TAG_IMAGE_WIDTH, image.width);
    tags.Long(ZKISIS_TAG_IMAGE_LENGTH, image.length);
    tags.Long(ZKISIS_TAG_SAMPLES_PER_PIXEL, format.samplesPerPixel);
    tags.Long(ZKISIS_TAG_BITS_PER_SAMPLE, format.bitsPerSample);
    tags.Long(ZKISIS_TAG_PHOTOMETRIC, image.photometric);
    tags.Long(ZKISIS_TAG_PLANAR_CONFIG, 1);
    tags.Long(ZKISIS_TAG_COMPRESSION, format.compression);
    tags.Rational(ZKISIS_TAG_XRESOLUTION, format.xDpi);
    tags.Rational(ZKISIS_TAG_YRESOLUTION, format.yDpi);
    tags.Long(ZKISIS_TAG_UNITS, static_cast<int32_t>(m_profile.tags.Number(ZKISIS_TAG_UNITS, 2)));
    tags.Long(ZKISIS_TAG_SIDE, side);
    tags.Long(ZKISIS_TAG_PAGE_NUMBER, m_sheet);
    ZKISIS_IMAGE_TAGS list = tags.Finish();
    int32_t status = Send(module->next, ZKISIS_MSG_IMAGE_BEGIN, &list);
    if (status == ZKISIS_OK)
        status = _SendBlocks(module->next, image.Data(), image.Size());
    if (status == ZKISIS_OK && _Fault(ZK_SIM_ISIS_FAULT::LONG_BLOCK, m_sheet))
    {
        const std::vector<uint8_t> extra(m_profile.blockSize, 0);
        status = _SendBlocks(module->next, extra.data(), extra.size());
    }
    return status == ZKISIS_OK ? Send(module->next, ZKISIS_MSG_IMAGE_END, nullptr) : status;
}

int32_t CZKSimIsisDriver::_SendBlocks(ZKISIS_MODULE* next, const uint8_t* bytes, size_t size)
{
    for (size_t offset = 0; offset < size; offset += m_profile.blockSize)
    {
        ZKISIS_BLOCK block = {bytes + offset,
                              static_cast<uint32_t>(std::min<size_t>(m_profile.blockSize, size - offset))};
        const int32_t status = Send(next, ZKISIS_MSG_IMAGE_DATA, &block);
        if (status != ZKISIS_OK)
            return status;
    }
    return ZKISIS_OK;
}
