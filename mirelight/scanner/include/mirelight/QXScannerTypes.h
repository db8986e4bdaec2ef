// Enumerations shared by the scanner facade, its implementations and the
// event records. Each has int storage, so values outside the named ones
// (an unknown protocol, say) can be held and compared safely.
#pragma once

enum EQXScannerProtocol : int
{
    QX_SCANNER_PROTOCOL_TWAIN = 0,
    QX_SCANNER_PROTOCOL_ISIS = 1
};

enum EQXScannerFamily : int
{
    QX_SCANNER_FAMILY_NONE = -1, // no scanner is current
    QX_SCANNER_FAMILY_GENERIC = 0,
    QX_SCANNER_FAMILY_KAME = 1,
    QX_SCANNER_FAMILY_DRUMLIN2 = 2,
    QX_SCANNER_FAMILY_FELL = 3,
    QX_SCANNER_FAMILY_TALUS = 4,
    QX_SCANNER_FAMILY_TARN = 5,
    QX_SCANNER_FAMILY_CIRQUE = 6,
    QX_SCANNER_FAMILY_MORAINE = 7,
    QX_SCANNER_FAMILY_ESKER = 8,
    QX_SCANNER_FAMILY_CORRIE = 9
};

enum EQXCaptureSide : int
{
    QX_SCANNER_SIDE_NONE = 0,
    QX_SCANNER_SIDE_FRONT = 1,
    QX_SCANNER_SIDE_BACK = 2,
    QX_SCANNER_SIDE_BOTH = 3
};

// 1 and 2 are the driver dialog's two successful closings, passed through.
enum EQXScannerUIReturnCode : int
{
    QX_SCANNER_UI_FAILED = 0,
    QX_SCANNER_UI_OK = 1,
    QX_SCANNER_UI_CANCEL = 2
};

// Which dialog Setup shows: the driver's settings or its profile editor.
enum EQXScannerGUISetupType : int
{
    QX_SCANNER_GUISETUP_SETTINGS = 0,
    QX_SCANNER_GUISETUP_PROFILES = 1
};

enum EQXScannerCapability : int
{
    QX_SCANNER_CAP_CUSTOMDATA = 0,
    QX_SCANNER_CAP_DUPLEX = 1,
    QX_SCANNER_CAP_IMPRINTER = 2,
    QX_SCANNER_CAP_VENDOR8015 = 3,
    QX_SCANNER_CAP_DSCOMMAND = 4,
    QX_SCANNER_CAP_MULTISTREAM = 5,
    QX_SCANNER_CAP_PROFILES = 6
};

enum EQXScannerCameraID : int
{
    QX_SCANNER_CAMERA_FRONT_COLOR = 0,
    QX_SCANNER_CAMERA_FRONT_BITONAL = 1,
    QX_SCANNER_CAMERA_REAR_COLOR = 2,
    QX_SCANNER_CAMERA_REAR_BITONAL = 3
};

enum
{
    QX_SCANNER_ERROR_NONE = 0,
    QX_SCANNER_ERROR_FAILURE = 1,
    QX_SCANNER_ERROR_CANCELLED = 2,
    QX_SCANNER_ERROR_PAPERJAM = 3,
    QX_SCANNER_ERROR_DOUBLEFEED = 4,
    QX_SCANNER_ERROR_LOWMEMORY = 5,
    QX_SCANNER_ERROR_BUSY = 6
};
