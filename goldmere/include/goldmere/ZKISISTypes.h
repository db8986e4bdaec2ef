// Enumerations and records of the ISIS session layer.
#pragma once

#include <string>
#include <vector>

#include <wincompat/WinTypes.h>

// Process-wide state of the ISIS layer.
enum EZKISISState : int32_t
{
    ZKISIS_STATE_NOT_INITIALISED = 0,
    ZKISIS_STATE_INITIALISED = 1,
    ZKISIS_STATE_DRIVER_OPEN = 2,
    ZKISIS_STATE_RUN_REQUESTED = 3,
    ZKISIS_STATE_SCANNING = 4
};

enum EZKISISTransferType : int32_t
{
    ZKISIS_TRANSFER_PAGE = 0, // images in memory through the page module
    ZKISIS_TRANSFER_FILE = 1  // the file output module writes files
};

enum EZKISISScanMode : int32_t
{
    ZKISIS_SCAN_ONE_RUN = 0,
    ZKISIS_SCAN_REPEATED = 1 // flatbed: runs repeated with a delay between
};

enum EZKISISUIReturnCode : int32_t
{
    ZKISIS_UI_FAILED = 0,
    ZKISIS_UI_OK = 1,
    ZKISIS_UI_CANCELLED = 2
};

// The toolkit's tag value types.
enum EZKISISTagValueType : int32_t
{
    ZKISIS_TAGVALUE_RATIONAL = 1,
    ZKISIS_TAGVALUE_LONG = 2,
    ZKISIS_TAGVALUE_ASCII = 3,
    ZKISIS_TAGVALUE_POINTER = 4
};

// How a run chooses each scan window's compression.
enum EZKISISCompressionType : int32_t
{
    ZKISIS_COMPRESSION_NONE = 0,     // every window uncompressed
    ZKISIS_COMPRESSION_BEST = 1,     // JPEG, else G4, else uncompressed
    ZKISIS_COMPRESSION_PER_WINDOW = 2 // the list given with SetCompression
};

struct ZK_ISIS_DRIVERLIST_ITEM
{
    std::wstring DriverName; // file name without ".ISD", upper case
    std::wstring ModelName;
    int32_t ModelIndex = 0;
};

struct ZK_ISIS_DRIVERINFO
{
    std::wstring DriverName;
    std::wstring Description;
    std::wstring Manufacturer;
    std::wstring ModelName;
    DWORD MajorVersion = 0;
    DWORD MinorVersion = 0;
    LONG Release = 0;
    LONG Build = 0;
    std::wstring VersionText;
    DWORD Capabilities = 0;
    std::wstring ProductName;
};

struct ZKISIS_DRIVER_VERSION
{
    DWORD Major = 0;
    DWORD Minor = 0;
    DWORD Release = 0;
    DWORD Build = 0;
};

struct ZK_ISIS_ERROR
{
    int32_t Id = 0;
    std::wstring Text;
};

struct ZK_ISIS_SESSION_BEGIN
{
};

struct ZK_ISIS_SESSION_END
{
};

struct ZK_ISIS_IMAGE_BEGIN
{
};

// The block belongs to the toolkit and is valid during the call only.
struct ZK_ISIS_IMAGE_DATA
{
    const BYTE* Data = nullptr;
    DWORD Length = 0;
};

struct ZK_ISIS_IMAGE_INFO
{
    double XResolution = 0;
    double YResolution = 0;
    DWORD ImageWidth = 0;
    DWORD ImageLength = 0;
    SHORT SamplesPerPixel = 0;
    SHORT BitsPerSample = 0;
    SHORT Photometric = 0;
    SHORT PlanarConfiguration = 0;
    SHORT Compression = 0;
    SHORT Side = 0; // 0 front, 1 back
    DWORD PageNumber = 0;
    DWORD ImageDataSize = 0; // bytes delivered for the image, dropped ones included
    LONG ColorMapLength = 0;
    std::vector<DWORD> ColorMap; // ColorMapLength values, or empty
};

struct ZK_ISIS_IMAGE_END
{
    ZK_ISIS_IMAGE_INFO Info;
};

// File transfers: the observer names each image's file and its format.
struct ZK_ISIS_IMAGEFILE_BEGIN_INFO
{
    std::wstring FileName;
    SHORT Format = 0;
};

struct ZK_ISIS_IMAGEFILE_END_INFO
{
};

struct ZK_ISIS_WINDOWSINFO
{
    int32_t WindowId = 0; // 1, 2 front; -1, -2 back
    BOOL Available = FALSE;
    BOOL Enabled = FALSE;
    int32_t SamplesPerPixel = 0;
    int32_t BitsPerSample = 0;
    int32_t Photometric = 0;
    int32_t Compression = 0;
    int32_t XResolution = 0;
    int32_t YResolution = 0;
    std::vector<int32_t> CompressionChoices;
    int32_t Flags = 0;
};
