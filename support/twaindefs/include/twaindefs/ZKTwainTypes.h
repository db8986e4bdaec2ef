// TWAIN scalar types, structures and entry-point signatures as Linux TWAIN
// lays them out: 32-bit integers are int, handles and memory references are
// plain pointers, and every structure is packed to 2 bytes so that it matches
// what a data source manager or data source built elsewhere expects.
#pragma once

#include <cstddef>

typedef signed char TW_INT8; // plain char is unsigned on some targets
typedef short TW_INT16;
typedef int TW_INT32;
typedef unsigned char TW_UINT8;
typedef unsigned short TW_UINT16;
typedef unsigned int TW_UINT32;
typedef unsigned short TW_BOOL;
typedef void* TW_HANDLE;
typedef void* TW_MEMREF;
typedef unsigned long long TW_UINTPTR;

// Texts are NUL-terminated; the odd lengths keep the published layouts.
typedef char TW_STR32[34];
typedef char TW_STR64[66];
typedef char TW_STR128[130];
typedef char TW_STR255[256];

#pragma pack(push, 2)

struct TW_FIX32
{
    TW_INT16 Whole;
    TW_UINT16 Frac;
};

struct TW_FRAME
{
    TW_FIX32 Left;
    TW_FIX32 Top;
    TW_FIX32 Right;
    TW_FIX32 Bottom;
};

struct TW_VERSION
{
    TW_UINT16 MajorNum;
    TW_UINT16 MinorNum;
    TW_UINT16 Language;
    TW_UINT16 Country;
    TW_STR32 Info;
};

struct TW_IDENTITY
{
    TW_UINT32 Id;
    TW_VERSION Version;
    TW_UINT16 ProtocolMajor;
    TW_UINT16 ProtocolMinor;
    TW_UINT32 SupportedGroups;
    TW_STR32 Manufacturer;
    TW_STR32 ProductFamily;
    TW_STR32 ProductName;
};
typedef TW_IDENTITY* pTW_IDENTITY;

struct TW_CAPABILITY
{
    TW_UINT16 Cap;
    TW_UINT16 ConType;
    TW_HANDLE hContainer;
};

// Containers: the item data starts right after the header, so allocate
// header + count * item size rather than sizeof().
struct TW_ONEVALUE
{
    TW_UINT16 ItemType;
    TW_UINT32 Item;
};

struct TW_ARRAY
{
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT8 ItemList[1];
};

struct TW_ENUMERATION
{
    TW_UINT16 ItemType;
    TW_UINT32 NumItems;
    TW_UINT32 CurrentIndex;
    TW_UINT32 DefaultIndex;
    TW_UINT8 ItemList[1];
};

struct TW_RANGE
{
    TW_UINT16 ItemType;
    TW_UINT32 MinValue;
    TW_UINT32 MaxValue;
    TW_UINT32 StepSize;
    TW_UINT32 DefaultValue;
    TW_UINT32 CurrentValue;
};

struct TW_STATUS
{
    TW_UINT16 ConditionCode;
    union
    {
        TW_UINT16 Data;
        TW_UINT16 Reserved;
    };
};

struct TW_USERINTERFACE
{
    TW_BOOL ShowUI;
    TW_BOOL ModalUI;
    TW_HANDLE hParent;
};

struct TW_EVENT
{
    TW_MEMREF pEvent;
    TW_UINT16 TWMessage;
};

struct TW_PENDINGXFERS
{
    TW_UINT16 Count;
    union
    {
        TW_UINT32 EOJ;
        TW_UINT32 Reserved;
    };
};

struct TW_SETUPMEMXFER
{
    TW_UINT32 MinBufSize;
    TW_UINT32 MaxBufSize;
    TW_UINT32 Preferred;
};

struct TW_SETUPFILEXFER
{
    TW_STR255 FileName;
    TW_UINT16 Format;
    TW_INT16 VRefNum;
};

struct TW_MEMORY
{
    TW_UINT32 Flags;
    TW_UINT32 Length;
    TW_MEMREF TheMem;
};

struct TW_IMAGEMEMXFER
{
    TW_UINT16 Compression;
    TW_UINT32 BytesPerRow;
    TW_UINT32 Columns;
    TW_UINT32 Rows;
    TW_UINT32 XOffset;
    TW_UINT32 YOffset;
    TW_UINT32 BytesWritten;
    TW_MEMORY Memory;
};

struct TW_IMAGEINFO
{
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    TW_INT32 ImageWidth;
    TW_INT32 ImageLength;
    TW_INT16 SamplesPerPixel;
    TW_INT16 BitsPerSample[8];
    TW_INT16 BitsPerPixel;
    TW_BOOL Planar;
    TW_INT16 PixelType;
    TW_UINT16 Compression;
};

struct TW_IMAGELAYOUT
{
    TW_FRAME Frame;
    TW_UINT32 DocumentNumber;
    TW_UINT32 PageNumber;
    TW_UINT32 FrameNumber;
};

struct TW_CUSTOMDSDATA
{
    TW_UINT32 InfoLength;
    TW_HANDLE hData;
};

struct TW_FILESYSTEM
{
    TW_STR255 InputName;
    TW_STR255 OutputName;
    TW_MEMREF Context;
    union
    {
        int Recursive;
        TW_BOOL Subdirectories;
    };
    union
    {
        TW_INT32 FileType;
        TW_UINT32 FileSystemType;
    };
    TW_UINT32 Size;
    TW_STR32 CreateTimeDate;
    TW_STR32 ModifiedTimeDate;
    TW_UINT32 FreeSpace;
    TW_INT32 NewImageSize;
    TW_UINT32 NumberOfFiles;
    TW_UINT32 NumberOfSnippets;
    TW_UINT32 DeviceGroupMask;
    TW_INT8 Reserved[508];
};

struct TW_DEVICEEVENT
{
    TW_UINT32 Event;
    TW_STR255 DeviceName;
    TW_UINT32 BatteryMinutes;
    TW_INT16 BatteryPercentage;
    TW_INT32 PowerSupply;
    TW_FIX32 XResolution;
    TW_FIX32 YResolution;
    TW_UINT32 FlashUsed2;
    TW_UINT32 AutomaticCapture;
    TW_UINT32 TimeBeforeFirstCapture;
    TW_UINT32 TimeBetweenCaptures;
};

struct TW_INFO
{
    TW_UINT16 InfoID;
    TW_UINT16 ItemType;
    TW_UINT16 NumItems;
    union
    {
        TW_UINT16 ReturnCode;
        TW_UINT16 CondCode;
    };
    TW_UINTPTR Item;
};

struct TW_EXTIMAGEINFO
{
    TW_UINT32 NumInfos;
    TW_INFO Info[1];
};

struct TW_CALLBACK
{
    TW_MEMREF CallBackProc;
    TW_UINT32 RefCon;
    TW_INT16 Message;
};

struct TW_CALLBACK2
{
    TW_MEMREF CallBackProc;
    TW_UINTPTR RefCon;
    TW_INT16 Message;
};

struct TW_DECODEFUNCTION
{
    TW_FIX32 StartIn;
    TW_FIX32 BreakIn;
    TW_FIX32 EndIn;
    TW_FIX32 StartOut;
    TW_FIX32 BreakOut;
    TW_FIX32 EndOut;
    TW_FIX32 Gamma;
    TW_FIX32 SampleCount;
};

struct TW_TRANSFORMSTAGE
{
    TW_DECODEFUNCTION Decode[3];
    TW_FIX32 Mix[3][3];
};

struct TW_AUDIOINFO
{
    TW_STR255 Name;
    TW_UINT32 Reserved;
};

struct TW_CIEPOINT
{
    TW_FIX32 X;
    TW_FIX32 Y;
    TW_FIX32 Z;
};

struct TW_CIECOLOR
{
    TW_UINT16 ColorSpace;
    TW_INT16 LowEndian;
    TW_INT16 DeviceDependent;
    TW_INT32 VersionNumber;
    TW_TRANSFORMSTAGE StageABC;
    TW_TRANSFORMSTAGE StageLMN;
    TW_CIEPOINT WhitePoint;
    TW_CIEPOINT BlackPoint;
    TW_CIEPOINT WhitePaper;
    TW_CIEPOINT BlackInk;
    TW_FIX32 Samples[1];
};

struct TW_ELEMENT8
{
    TW_UINT8 Index;
    TW_UINT8 Channel1;
    TW_UINT8 Channel2;
    TW_UINT8 Channel3;
};

struct TW_GRAYRESPONSE
{
    TW_ELEMENT8 Response[1];
};

struct TW_RGBRESPONSE
{
    TW_ELEMENT8 Response[1];
};

struct TW_JPEGCOMPRESSION
{
    TW_UINT16 ColorSpace;
    TW_UINT32 SubSampling;
    TW_UINT16 NumComponents;
    TW_UINT16 RestartFrequency;
    TW_UINT16 QuantMap[4];
    TW_MEMORY QuantTable[4];
    TW_UINT16 HuffmanMap[4];
    TW_MEMORY HuffmanDC[2];
    TW_MEMORY HuffmanAC[2];
};

struct TW_METRICS
{
    TW_UINT32 SizeOf;
    TW_UINT32 ImageCount;
    TW_UINT32 SheetCount;
};

struct TW_PALETTE8
{
    TW_UINT16 NumColors;
    TW_UINT16 PaletteType;
    TW_ELEMENT8 Colors[256];
};

struct TW_PASSTHRU
{
    TW_MEMREF pCommand;
    TW_UINT32 CommandBytes;
    TW_INT32 Direction;
    TW_MEMREF pData;
    TW_UINT32 DataBytes;
    TW_UINT32 DataBytesXfered;
};

struct TW_STATUSUTF8
{
    TW_STATUS Status;
    TW_UINT32 Size;
    TW_HANDLE UTF8string;
};

struct TW_TWAINDIRECT
{
    TW_UINT32 SizeOf;
    TW_UINT16 CommunicationManager;
    TW_HANDLE Send;
    TW_UINT32 SendSize;
    TW_HANDLE Receive;
    TW_UINT32 ReceiveSize;
};

struct TW_SETUPFILEXFER2
{
    TW_MEMREF FileName;
    TW_UINT16 FileNameType;
    TW_UINT16 Format;
    TW_INT16 VRefNum;
    TW_UINT32 parID;
};

struct TW_CAPEXT
{
    TW_UINT16 Cap;
    TW_UINT16 Properties;
};

struct TW_SETUPAUDIOFILEXFER
{
    TW_STR255 FileName;
    TW_UINT16 Format;
    TW_INT16 VRefNum;
};

struct TW_FILTER_DESCRIPTOR
{
    TW_UINT32 Size;
    TW_UINT32 HueStart;
    TW_UINT32 HueEnd;
    TW_UINT32 SaturationStart;
    TW_UINT32 SaturationEnd;
    TW_UINT32 ValueStart;
    TW_UINT32 ValueEnd;
    TW_UINT32 Replacement;
};

struct TW_FILTER
{
    TW_UINT32 Size;
    TW_UINT32 DescriptorCount;
    TW_UINT32 MaxDescriptorCount;
    TW_UINT32 Condition;
    TW_HANDLE hDescriptors;
};

#pragma pack(pop)

// Entry points. The application's callback has the DSM_Entry signature.
extern "C" {
typedef TW_UINT16 (*DSMENTRYPROC)(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg,
                                  TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
typedef TW_UINT16 (*DSENTRYPROC)(pTW_IDENTITY origin, TW_UINT32 dg, TW_UINT16 dat,
                                 TW_UINT16 msg, TW_MEMREF data);
typedef TW_UINT16 (*TWAINCALLBACKPROC)(pTW_IDENTITY origin, pTW_IDENTITY dest, TW_UINT32 dg,
                                       TW_UINT16 dat, TW_UINT16 msg, TW_MEMREF data);
typedef TW_HANDLE (*DSM_MEMALLOCATE)(TW_UINT32 size);
typedef void (*DSM_MEMFREE)(TW_HANDLE handle);
typedef TW_MEMREF (*DSM_MEMLOCK)(TW_HANDLE handle);
typedef void (*DSM_MEMUNLOCK)(TW_HANDLE handle);
}

#pragma pack(push, 2)
struct TW_ENTRYPOINT
{
    TW_UINT32 Size;
    DSMENTRYPROC DSM_Entry;
    DSM_MEMALLOCATE DSM_MemAllocate;
    DSM_MEMFREE DSM_MemFree;
    DSM_MEMLOCK DSM_MemLock;
    DSM_MEMUNLOCK DSM_MemUnlock;
};
#pragma pack(pop)
