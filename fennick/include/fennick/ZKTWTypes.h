// Enumerations, constants and the image record shared by the TWAIN layer's
// exported classes.
#pragma once

#include <twaindefs/ZKTwainDefs.h>
#include <wincompat/WinTypes.h>

// TWAIN state minus one.
enum EZKTWState : int32_t
{
    ZKTW_STATE_UNLOADED = 0,
    ZKTW_STATE_DSM_LOADED = 1,
    ZKTW_STATE_DSM_OPEN = 2,
    ZKTW_STATE_SOURCE_OPEN = 3,
    ZKTW_STATE_SOURCE_ENABLED = 4,
    ZKTW_STATE_TRANSFER_READY = 5,
    ZKTW_STATE_TRANSFERRING = 6
};

// How a source's own dialog ended.
enum EZKTWUIReturnCode : int32_t
{
    ZKTW_UI_FAILED = 0,
    ZKTW_UI_OK = 1,
    ZKTW_UI_CANCEL = 2
};

// TWAIN unit codes.
enum EZKTWImageUnit : int32_t
{
    ZKTW_UNIT_INCHES = 0,
    ZKTW_UNIT_CENTIMETERS = 1,
    ZKTW_UNIT_PICAS = 2,
    ZKTW_UNIT_POINTS = 3,
    ZKTW_UNIT_TWIPS = 4,
    ZKTW_UNIT_PIXELS = 5
};

// The message a capability is read with.
enum EZKTWGetCapOp : int32_t
{
    ZKTW_GETCAP_GET = 1,
    ZKTW_GETCAP_CURRENT = 2,
    ZKTW_GETCAP_DEFAULT = 3
};

// Private message of the hidden window: wParam the manager, lParam a command.
constexpr UINT WM_ZKTW_COMMAND = 0xCA89;
constexpr LPARAM ZKTW_COMMAND_QUIT = 1;
constexpr LPARAM ZKTW_COMMAND_CALL = 2;
constexpr LPARAM ZKTW_COMMAND_CANCEL = 3;

// Results of the capability operations.
constexpr WORD ZKTW_CAP_SUCCESS = 0;
constexpr WORD ZKTW_CAP_FAILURE = 1;
constexpr WORD ZKTW_CAP_UNSUPPORTED = 8;

// A DSM call's outcome: return code in the high word, condition code in the
// low word; below 0x10000 means TWRC_SUCCESS.
inline WORD ZKTWReturnCode(DWORD packed) { return static_cast<WORD>(packed >> 16); }
inline WORD ZKTWConditionCode(DWORD packed) { return static_cast<WORD>(packed & 0xFFFF); }
inline bool ZKTWSucceeded(DWORD packed) { return packed < 0x10000; }
inline DWORD ZKTWPack(WORD rc, WORD cc) { return (static_cast<DWORD>(rc) << 16) | cc; }

// The description handed out with each image.
struct ZKTWIMAGEINFO
{
    double XResolution = 0.0;
    double YResolution = 0.0;
    int32_t ImageWidth = 0;
    int32_t ImageLength = 0;
    int16_t SamplesPerPixel = 0;
    int16_t BitsPerSample[8] = {};
    int16_t BitsPerPixel = 0;
    BOOL Planar = FALSE;
    int16_t PixelType = 0;
    uint16_t Compression = 0;
    uint32_t BytesPerRow = 0;
};
