#include "ZKSimTransfer.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "ZKSimImageEncoder.h"
#include "ZKSimPageGenerator.h"
#include "ZKSimServedPage.h"

namespace
{
constexpr TW_UINT32 kPreferredStrip = 64 * 1024;
constexpr TW_UINT32 kLargestStrip = 4 * 1024 * 1024;

TW_UINT16 Refuse(TW_UINT16& condition, TW_UINT16 code)
{
    condition = code;
    return TWRC_FAILURE;
}

TW_FIX32 ToFix32(LONG value)
{
    return TW_FIX32{static_cast<TW_INT16>(value), 0};
}

const char* Extension(TW_UINT16 format)
{
    switch (format)
    {
    case TWFF_BMP:
        return ".bmp";
    case TWFF_JFIF:
        return ".jpg";
    default:
        return ".tif";
    }
}

bool WriteWholeFile(const std::string& path, const BYTE* data, size_t size)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    return file && std::fwrite(data, 1, size, file.get()) == size && std::fflush(file.get()) == 0;
}

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}
} // namespace

CZKSimTransfer::CZKSimTransfer(const CZKSimProfile& profile, CZKSimFeeder& feeder)
    : m_profile(profile), m_feeder(feeder)
{
}

bool CZKSimTransfer::Handles(TW_UINT32 dg, TW_UINT16 dat)
{
    return dg == DG_IMAGE ||
           (dg == DG_CONTROL && (dat == DAT_PENDINGXFERS || dat == DAT_SETUPMEMXFER || dat == DAT_SETUPFILEXFER ||
                                 dat == DAT_XFERGROUP || dat == DAT_DEVICEEVENT));
}

int CZKSimTransfer::_FirstSheet() const
{
    return m_profile.sheets - m_feeder.GetSheets() + 1;
}

void CZKSimTransfer::BeginBatch()
{
    m_images.clear();
    m_sheetStarted = false;
    m_memory.Clear();
    const int first = _FirstSheet();
    m_batchFirstSheet = first;
    m_batchCounter = m_settings.printerIndex;
    const size_t limit = m_settings.xferCount > 0 ? static_cast<size_t>(m_settings.xferCount) : SIZE_MAX;
    for (int sheet = first; sheet < first + m_feeder.GetSheets() && m_images.size() < limit; ++sheet)
    {
        const int segments = m_profile.SegmentsOf(sheet);
        for (int segment = 0; segment < segments; ++segment)
            for (int side = 0; side < m_settings.sides && m_images.size() < limit; ++side)
                m_images.push_back(ZK_SIM_IMAGE{sheet, side, segment, segments});
    }
}

TW_UINT16 CZKSimTransfer::Entry(TW_UINT32 dg, TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data, int& state,
                                TW_UINT16& condition, std::vector<TW_UINT16>& events)
{
    if (dg == DG_CONTROL)
        switch (dat)
        {
        case DAT_PENDINGXFERS:
            return _PendingTransfers(msg, static_cast<TW_PENDINGXFERS*>(data), state, condition);
        case DAT_SETUPMEMXFER:
            return _SetupMemory(msg, static_cast<TW_SETUPMEMXFER*>(data), state, condition);
        case DAT_SETUPFILEXFER:
            return _SetupFile(msg, static_cast<TW_SETUPFILEXFER*>(data), state, condition);
        case DAT_DEVICEEVENT:
            return msg == MSG_GET ? _DeviceEvent(static_cast<TW_DEVICEEVENT*>(data), condition)
                                  : Refuse(condition, TWCC_BADPROTOCOL);
        case DAT_XFERGROUP:
            if (msg != MSG_GET || !data)
                return Refuse(condition, msg != MSG_GET ? TWCC_BADPROTOCOL : TWCC_BADVALUE);
            *static_cast<TW_UINT32*>(data) = DG_IMAGE;
            return TWRC_SUCCESS;
        default:
            return Refuse(condition, TWCC_BADPROTOCOL);
        }
    if (dat == DAT_IMAGELAYOUT)
        return _ImageLayout(msg, static_cast<TW_IMAGELAYOUT*>(data), state, condition);
    if (msg != MSG_GET)
        return Refuse(condition, TWCC_BADPROTOCOL);
    switch (dat)
    {
    case DAT_IMAGEINFO:
        return _ImageInfo(static_cast<TW_IMAGEINFO*>(data), state, condition);
    case DAT_EXTIMAGEINFO:
        return _ExtImageInfo(static_cast<TW_EXTIMAGEINFO*>(data), state, condition);
    case DAT_IMAGENATIVEXFER:
        return _NativeTransfer(static_cast<TW_HANDLE*>(data), state, condition, events);
    case DAT_IMAGEMEMXFER:
        return _MemoryTransfer(static_cast<TW_IMAGEMEMXFER*>(data), state, condition, events);
    case DAT_IMAGEFILEXFER:
        return _FileTransfer(state, condition, events);
    default:
        return Refuse(condition, TWCC_BADPROTOCOL);
    }
}

void CZKSimTransfer::_EndTransfer()
{
    m_memory.Clear();
    if (m_images.empty())
        return;
    const int sheet = m_images.front().sheet;
    m_images.pop_front();
    ++m_pagesDelivered;
    m_sheetStarted = !m_images.empty() && m_images.front().sheet == sheet;
    if (!m_sheetStarted)
        m_feeder.TakeSheet();
}

TW_UINT16 CZKSimTransfer::_PendingTransfers(TW_UINT16 msg, TW_PENDINGXFERS* pending, int& state,
                                            TW_UINT16& condition)
{
    if (!pending)
        return Refuse(condition, TWCC_BADVALUE);
    switch (msg)
    {
    case MSG_GET:
        break;
    case MSG_ENDXFER:
        if (state != 6 && state != 7)
            return Refuse(condition, TWCC_SEQERROR);
        _EndTransfer();
        state = m_images.empty() ? 5 : 6;
        break;
    case MSG_RESET:
        if (state != 6)
            return Refuse(condition, TWCC_SEQERROR);
        if (m_sheetStarted) // the sheet under way has gone through the feeder
            m_feeder.TakeSheet();
        m_images.clear();
        m_sheetStarted = false;
        state = 5;
        break;
    case MSG_STOPFEEDER:
        if (state != 6)
            return Refuse(condition, TWCC_SEQERROR);
        // The sheet under way is still delivered; the rest stays in the feeder.
        while (!m_images.empty() && m_images.back().sheet != m_images.front().sheet)
            m_images.pop_back();
        break;
    default:
        return Refuse(condition, TWCC_BADPROTOCOL);
    }
    // More than fit a signed count is reported as -1, "not known".
    pending->Count = m_images.size() > 0x7FFF ? TW_UINT16(0xFFFF) : static_cast<TW_UINT16>(m_images.size());
    pending->EOJ = 0;
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimTransfer::_Compression() const
{
    const int bpp = m_settings.format.bitsPerPixel;
    switch (m_settings.xferMech)
    {
    case TWSX_NATIVE:
        return TWCP_NONE;
    case TWSX_FILE:
    {
        const TW_UINT16 format = m_fileSetupChosen ? m_fileSetup.Format : m_settings.fileFormat;
        if (format == TWFF_JFIF)
            return TWCP_JPEG;
        if (format == TWFF_BMP)
            return TWCP_NONE;
        return SZKSimImageEncoder::EffectiveCompression(bpp, m_settings.compression) == TWCP_GROUP4 ? TWCP_GROUP4
                                                                                                   : TWCP_NONE;
    }
    default:
        return SZKSimImageEncoder::EffectiveCompression(bpp, m_settings.compression);
    }
}

TW_UINT16 CZKSimTransfer::_ImageInfo(TW_IMAGEINFO* info, int state, TW_UINT16& condition) const
{
    if (!info)
        return Refuse(condition, TWCC_BADVALUE);
    if ((state != 6 && state != 7) || m_images.empty())
        return Refuse(condition, TWCC_SEQERROR);
    const ZK_SIM_PAGE_FORMAT& format = m_settings.format;
    std::memset(info, 0, sizeof(*info));
    info->XResolution = ToFix32(format.xDpi);
    info->YResolution = ToFix32(format.yDpi);
    info->ImageWidth = format.width;
    info->ImageLength = format.height;
    const bool colour = format.bitsPerPixel == 24;
    info->SamplesPerPixel = colour ? 3 : 1;
    for (int i = 0; i < info->SamplesPerPixel; ++i)
        info->BitsPerSample[i] = static_cast<TW_INT16>(colour ? 8 : format.bitsPerPixel);
    info->BitsPerPixel = static_cast<TW_INT16>(format.bitsPerPixel);
    info->Planar = FALSE;
    info->PixelType = static_cast<TW_INT16>(m_settings.pixelType);
    info->Compression = _Compression();
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimTransfer::_ImageLayout(TW_UINT16 msg, TW_IMAGELAYOUT* layout, int state, TW_UINT16& condition) const
{
    if (msg != MSG_GET && msg != MSG_GETCURRENT && msg != MSG_GETDEFAULT)
        return Refuse(condition, TWCC_BADPROTOCOL); // the frame capabilities set the layout
    if (!layout)
        return Refuse(condition, TWCC_BADVALUE);
    if (state < 4 || state > 7)
        return Refuse(condition, TWCC_SEQERROR);
    layout->Frame = m_settings.frame;
    layout->DocumentNumber = static_cast<TW_UINT32>(m_images.empty() ? _FirstSheet() : m_images.front().sheet);
    layout->PageNumber = m_pagesDelivered + 1;
    layout->FrameNumber = 1;
    return TWRC_SUCCESS;
}

std::string CZKSimTransfer::_Camera(const ZK_SIM_IMAGE& image) const
{
    const char* side = image.side == 0 ? "Top" : "Bottom";
    const char* kind = m_settings.format.bitsPerPixel == 1 ? "Bitonal" : "Color";
    for (const std::string& camera : m_profile.cameras)
        if (Contains(camera, side) && Contains(camera, kind))
            return camera;
    for (const std::string& camera : m_profile.cameras)
        if (Contains(camera, side))
            return camera;
    return std::string("/Camera_") + side;
}

TW_UINT32 CZKSimTransfer::_CounterOf(int sheet) const
{
    return m_batchCounter + static_cast<TW_UINT32>(sheet - m_batchFirstSheet);
}

TW_UINT32 CZKSimTransfer::NextCounter() const { return _CounterOf(_FirstSheet()); }

int CZKSimTransfer::SheetsTaken() const { return _FirstSheet() - m_batchFirstSheet; }

ZK_SIM_IMAGE_FACTS CZKSimTransfer::_Facts() const
{
    ZK_SIM_IMAGE_FACTS facts;
    facts.image = m_images.front();
    facts.documentNumber = static_cast<TW_UINT32>(facts.image.sheet);
    facts.pageNumber = m_pagesDelivered + 1;
    facts.counter = _CounterOf(facts.image.sheet);
    facts.camera = _Camera(facts.image);
    facts.frame = m_settings.frame;
    facts.texts = &m_settings.texts;
    return facts;
}

TW_UINT16 CZKSimTransfer::_ExtImageInfo(TW_EXTIMAGEINFO* info, int state, TW_UINT16& condition) const
{
    if (state != 7 || m_images.empty())
        return Refuse(condition, TWCC_SEQERROR);
    return SZKSimExtImageInfo::Fill(info, _Facts(), m_profile.extInfo, condition);
}

TW_UINT16 CZKSimTransfer::_SetupMemory(TW_UINT16 msg, TW_SETUPMEMXFER* setup, int state, TW_UINT16& condition) const
{
    if (msg != MSG_GET)
        return Refuse(condition, TWCC_BADPROTOCOL);
    if (!setup)
        return Refuse(condition, TWCC_BADVALUE);
    if (state < 4 || state > 6)
        return Refuse(condition, TWCC_SEQERROR);
    const ZK_SIM_PAGE_FORMAT& format = m_settings.format;
    const auto row = static_cast<TW_UINT32>((static_cast<uint64_t>(format.width) * format.bitsPerPixel + 7) / 8);
    setup->MinBufSize = row;
    setup->MaxBufSize = std::max(row, kLargestStrip);
    setup->Preferred = std::max(row, kPreferredStrip);
    return TWRC_SUCCESS;
}

TW_SETUPFILEXFER CZKSimTransfer::_DefaultFileSetup() const
{
    TW_SETUPFILEXFER setup{};
    std::string name = m_profile.fileName;
    if (name.empty())
    {
        const char* folder = std::getenv("TMPDIR");
        name = std::string(folder && *folder ? folder : "/tmp") + "/zkvirtual_" + std::to_string(getpid()) +
               Extension(m_settings.fileFormat);
    }
    std::strncpy(setup.FileName, name.c_str(), sizeof(setup.FileName) - 1);
    setup.Format = m_settings.fileFormat;
    return setup;
}

TW_UINT16 CZKSimTransfer::_SetupFile(TW_UINT16 msg, TW_SETUPFILEXFER* setup, int state, TW_UINT16& condition)
{
    if (!setup)
        return Refuse(condition, TWCC_BADVALUE);
    if (state < 4 || state > 6 || (msg == MSG_RESET && state != 4))
        return Refuse(condition, TWCC_SEQERROR);
    switch (msg)
    {
    case MSG_GET:
    case MSG_GETCURRENT:
        *setup = m_fileSetupChosen ? m_fileSetup : _DefaultFileSetup();
        return TWRC_SUCCESS;
    case MSG_GETDEFAULT:
        *setup = _DefaultFileSetup();
        return TWRC_SUCCESS;
    case MSG_RESET:
        m_fileSetupChosen = false;
        *setup = _DefaultFileSetup();
        return TWRC_SUCCESS;
    case MSG_SET:
    {
        const size_t length = strnlen(setup->FileName, sizeof(setup->FileName));
        const TW_UINT16 format = setup->Format;
        const bool known = format == TWFF_TIFF || format == TWFF_BMP || format == TWFF_JFIF;
        // JPEG has no bitonal form.
        if (length == 0 || length == sizeof(setup->FileName) || !known ||
            (format == TWFF_JFIF && m_settings.format.bitsPerPixel == 1))
            return Refuse(condition, TWCC_BADVALUE);
        m_fileSetup = *setup;
        m_fileSetupChosen = true;
        return TWRC_SUCCESS;
    }
    default:
        return Refuse(condition, TWCC_BADPROTOCOL);
    }
}

TW_UINT16 CZKSimTransfer::_DeviceEvent(TW_DEVICEEVENT* event, TW_UINT16& condition)
{
    if (!event)
        return Refuse(condition, TWCC_BADVALUE);
    if (m_deviceEvents.empty())
        return Refuse(condition, TWCC_SEQERROR);
    *event = m_deviceEvents.front();
    m_deviceEvents.pop_front();
    return TWRC_SUCCESS;
}

void CZKSimTransfer::_RaiseDeviceEvent(TW_UINT16 code, std::vector<TW_UINT16>& events)
{
    const auto& wanted = m_settings.deviceEvents;
    if (std::find(wanted.begin(), wanted.end(), code) == wanted.end())
        return;
    TW_DEVICEEVENT event{};
    event.Event = code;
    std::memcpy(event.DeviceName, m_profile.identity.ProductName, sizeof(m_profile.identity.ProductName));
    m_deviceEvents.push_back(event);
    events.push_back(MSG_DEVICEEVENT);
}

TW_UINT16 CZKSimTransfer::_FeedingFault(TW_UINT16 mechanism, TW_UINT16& condition, std::vector<TW_UINT16>& events)
{
    const ZK_SIM_IMAGE& image = m_images.front();
    const bool firstReport = m_reportedSheet != image.sheet;
    if (m_profile.FindSheetFault(image.sheet, ZK_SIM_SHEET_FAULT::OFFLINE))
    {
        m_online = false;
        _RaiseDeviceEvent(TWDE_DEVICEOFFLINE, events);
        return Refuse(condition, TWCC_CHECKDEVICEONLINE);
    }
    const bool jam = m_profile.FindSheetFault(image.sheet, ZK_SIM_SHEET_FAULT::PAPER_JAM) != nullptr;
    if (jam || m_profile.FindSheetFault(image.sheet, ZK_SIM_SHEET_FAULT::DOUBLE_FEED))
    {
        if (firstReport)
            _RaiseDeviceEvent(jam ? TWDE_PAPERJAM : TWDE_PAPERDOUBLEFEED, events);
        m_reportedSheet = image.sheet;
        return Refuse(condition, jam ? TWCC_PAPERJAM : TWCC_PAPERDOUBLEFEED);
    }
    if (m_profile.FindSheetFault(image.sheet, ZK_SIM_SHEET_FAULT::CANCEL) && image.side == 0 && image.segment == 0)
        return TWRC_CANCEL;
    if (mechanism == TWSX_MEMORY && m_profile.FindSheetFault(image.sheet, ZK_SIM_SHEET_FAULT::REFUSE_MEMORY))
        return Refuse(condition, TWCC_LOWMEMORY);
    return TWRC_SUCCESS;
}

TW_UINT16 CZKSimTransfer::_Scan(TW_UINT16 mechanism, TW_UINT16& condition, std::vector<TW_UINT16>& events)
{
    if (m_settings.xferMech != mechanism || m_images.empty())
        return Refuse(condition, TWCC_SEQERROR);
    if (!m_online)
        return Refuse(condition, TWCC_CHECKDEVICEONLINE);
    const TW_UINT16 fault = _FeedingFault(mechanism, condition, events);
    if (fault != TWRC_SUCCESS)
        return fault;
    if (m_profile.pageDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(m_profile.pageDelayMs));
    return TWRC_SUCCESS;
}

uint32_t CZKSimTransfer::_Seed() const
{
    const ZK_SIM_IMAGE& image = m_images.front();
    return SZKSimPageGenerator::Seed(m_profile.identity.ProductName, image.sheet, image.side, image.segment);
}

TW_UINT16 CZKSimTransfer::_NativeTransfer(TW_HANDLE* handle, int& state, TW_UINT16& condition,
                                          std::vector<TW_UINT16>& events)
{
    if (!handle)
        return Refuse(condition, TWCC_BADVALUE);
    if (state != 6)
        return Refuse(condition, TWCC_SEQERROR);
    *handle = nullptr;
    const TW_UINT16 rc = _Scan(TWSX_NATIVE, condition, events);
    if (rc == TWRC_CANCEL)
        state = 7;
    if (rc != TWRC_SUCCESS)
        return rc;
    const SZKSimServedPage::Page page = m_profile.nativeTiff
                                            ? SZKSimServedPage::Tiff(m_settings.format, _Seed(), m_settings.compression)
                                            : SZKSimServedPage::Dib(m_settings.format, _Seed());
    if (!page)
        return Refuse(condition, TWCC_LOWMEMORY);
    size_t size = page->size;
    if (m_profile.FindSheetFault(m_images.front().sheet, ZK_SIM_SHEET_FAULT::DAMAGED_NATIVE))
        size /= 2;
    void* block = std::malloc(size);
    if (!block)
        return Refuse(condition, TWCC_LOWMEMORY);
    std::memcpy(block, page->data.get(), size);
    *handle = block;
    state = 7;
    return TWRC_XFERDONE;
}

TW_UINT16 CZKSimTransfer::_MemoryTransfer(TW_IMAGEMEMXFER* block, int& state, TW_UINT16& condition,
                                          std::vector<TW_UINT16>& events)
{
    if (!block)
        return Refuse(condition, TWCC_BADVALUE);
    if (state == 7)
        return m_memory.IsActive() ? m_memory.Next(*block, condition) : Refuse(condition, TWCC_SEQERROR);
    if (state != 6)
        return Refuse(condition, TWCC_SEQERROR);
    const ZK_SIM_PAGE_FORMAT& format = m_settings.format;
    const auto bytesPerRow = static_cast<TW_UINT32>((static_cast<uint64_t>(format.width) * format.bitsPerPixel + 7) / 8);
    const TW_UINT16 compression = _Compression();
    if (!CZKSimMemoryTransfer::Fits(*block, bytesPerRow, compression != TWCP_NONE))
        return Refuse(condition, TWCC_BADVALUE);
    const TW_UINT16 rc = _Scan(TWSX_MEMORY, condition, events);
    if (rc == TWRC_CANCEL)
        state = 7;
    if (rc != TWRC_SUCCESS)
        return rc;
    SZKSimServedPage::Page data = SZKSimServedPage::Memory(format, _Seed(), compression);
    if (!data)
        return Refuse(condition, TWCC_LOWMEMORY);
    m_memory.Begin(std::move(data), compression, bytesPerRow, static_cast<TW_UINT32>(format.width),
                   static_cast<TW_UINT32>(format.height));
    state = 7;
    return m_memory.Next(*block, condition);
}

TW_UINT16 CZKSimTransfer::_FileTransfer(int& state, TW_UINT16& condition, std::vector<TW_UINT16>& events)
{
    if (state != 6)
        return Refuse(condition, TWCC_SEQERROR);
    const TW_UINT16 rc = _Scan(TWSX_FILE, condition, events);
    if (rc == TWRC_CANCEL)
        state = 7;
    if (rc != TWRC_SUCCESS)
        return rc;
    const TW_SETUPFILEXFER setup = m_fileSetupChosen ? m_fileSetup : _DefaultFileSetup();
    // A format set up before the pixel type changed may have no form of the page.
    if (!SZKSimServedPage::Serves(setup.Format, m_settings.format.bitsPerPixel))
        return Refuse(condition, TWCC_FILEWRITEERROR);
    const SZKSimServedPage::Page file =
        SZKSimServedPage::File(m_settings.format, _Seed(), setup.Format, m_settings.compression);
    if (!file)
        return Refuse(condition, TWCC_LOWMEMORY);
    const std::string path(setup.FileName, strnlen(setup.FileName, sizeof(setup.FileName)));
    if (!WriteWholeFile(path, file->data.get(), file->size))
        return Refuse(condition, TWCC_FILEWRITEERROR);
    state = 7;
    return TWRC_XFERDONE;
}
