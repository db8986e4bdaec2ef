// The ISIS toolkit interface as this project uses it: the module record that
// every module of a chain is, the message and tag numbers, the status codes,
// and the entry points of the three toolkit libraries (driver loader, module
// manager, locale) and of a driver file.
//
// All calls are plain C so that drivers built by anyone can be loaded. A
// status is a 32-bit value; negative means failure, and the error id is its
// low 16 bits when the high 16 bits are all ones.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define ZKISIS_API __attribute__((visibility("default")))
#else
#define ZKISIS_API
#endif

typedef struct ZKISIS_MODULE ZKISIS_MODULE;

// A module's message procedure. param carries (value index << 16) | tag for
// tag messages; data points to the message's argument (see each message).
typedef int32_t (*ZKISIS_MSGPROC)(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);

struct ZKISIS_MODULE
{
    ZKISIS_MSGPROC proc;
    void* userData;     // the module's own state
    ZKISIS_MODULE* next; // the module images flow to
    void* toolkitData;  // the toolkit's bookkeeping (default tag store)
};

// ---- Status codes -----------------------------------------------------------
enum
{
    ZKISIS_OK = 0,
    ZKISIS_END_OF_PAGES = 1, // not an error: the feeder is empty
    ZKISIS_ERR_CANCELLED = -4401,
    ZKISIS_ERR_NO_PAPER = -4402,
    ZKISIS_ERR_PAPER_JAM = -4426,
    ZKISIS_ERR_OUT_OF_MEMORY = -4500,
    ZKISIS_ERR_BAD_PARAMETER = -4501,
    ZKISIS_ERR_TAG_UNSUPPORTED = -4502,
    ZKISIS_ERR_BAD_VALUE = -4503,
    ZKISIS_ERR_BAD_MESSAGE = -4504,
    ZKISIS_ERR_BUFFER_TOO_SMALL = -4505,
    ZKISIS_ERR_DRIVER_NOT_FOUND = -4510,
    ZKISIS_ERR_BAD_DRIVER = -4511,
    ZKISIS_ERR_NO_MODEL = -4512,
    ZKISIS_ERR_MODULE_NOT_FOUND = -4513,
    ZKISIS_ERR_NOT_INITIALISED = -4514,
    ZKISIS_ERR_NO_MORE_FILES = -4520,
    ZKISIS_ERR_FILE = -4530,
    ZKISIS_ERR_DIALOG_CANCELLED = -4526,
    ZKISIS_ERR_DIALOG_CLOSED = -4525,
    ZKISIS_ERR_DOUBLE_FEED = -4619,
    ZKISIS_SETUP_CANCELLED = 61010 // the setup dialog's answer when cancelled
};

// ---- Tag value types ----------------------------------------------------------
enum
{
    ZKISIS_TYPE_RATIONAL = 1,
    ZKISIS_TYPE_LONG = 2,
    ZKISIS_TYPE_ASCII = 3,
    ZKISIS_TYPE_POINTER = 4
};

// Tag type flags answered by ZKISIS_MSG_TAG_TYPE.
enum
{
    ZKISIS_TAGTYPE_CHOICES = 1,
    ZKISIS_TAGTYPE_RANGE = 2
};

// Value indexes of a range tag's choice messages.
enum
{
    ZKISIS_RANGE_MIN = -1,
    ZKISIS_RANGE_MAX = -2,
    ZKISIS_RANGE_STEP = -3
};

// ---- Messages ---------------------------------------------------------------
enum
{
    ZKISIS_MSG_INIT = 259,            // a module joins a chain
    ZKISIS_MSG_SETUP = 288,           // data: ZKISIS_SETUP*
    ZKISIS_MSG_TAG_CREATE = 768,      // data: int32_t* value type
    ZKISIS_MSG_GET_LONG = 784,        // data: ZKISIS_VALUE*
    ZKISIS_MSG_GET_RATIONAL = 785,    // data: ZKISIS_VALUE*
    ZKISIS_MSG_GET_ASCII = 786,       // data: ZKISIS_TEXT*
    ZKISIS_MSG_GET_LENGTH = 788,      // data: int32_t* bytes without the NUL
    ZKISIS_MSG_SET_ASCII = 800,       // data: const char*
    ZKISIS_MSG_SET_LONG = 801,        // data: const int32_t*
    ZKISIS_MSG_SET_RATIONAL = 802,    // data: const ZKISIS_RATIONAL*
    ZKISIS_MSG_SET_POINTER = 803,     // data: void* const*
    ZKISIS_MSG_SET_ALL_DEFAULT = 832,
    ZKISIS_MSG_VALUE_TYPE = 834,      // data: int32_t*
    ZKISIS_MSG_SAVE_TAGS = 835,
    ZKISIS_MSG_FLUSH_TAGS = 836,
    ZKISIS_MSG_RESTORE_TAGS = 837,
    ZKISIS_MSG_SAVE_CONFIG = 838,     // data: ZKISIS_CONFIG_FILE*
    ZKISIS_MSG_LOAD_CONFIG = 839,     // data: ZKISIS_CONFIG_FILE*
    ZKISIS_MSG_RESET_CONFIG = 840,
    ZKISIS_MSG_CHOICE_COUNT = 1040,   // data: int32_t*
    ZKISIS_MSG_CHOICE_LONG = 1041,    // data: ZKISIS_VALUE*
    ZKISIS_MSG_CHOICE_RATIONAL = 1042,// data: ZKISIS_VALUE*
    ZKISIS_MSG_CHOICE_ASCII = 1043,   // data: ZKISIS_TEXT*
    ZKISIS_MSG_CHOICE_LENGTH = 1044,  // data: int32_t*
    ZKISIS_MSG_TAG_TYPE = 1045,       // data: uint32_t* ZKISIS_TAGTYPE_ flags
    ZKISIS_MSG_SET_HANDLER = 1312,    // data: ZKISIS_HANDLER*
    ZKISIS_MSG_SET_PAGE_CALLBACKS = 1320, // page module; data: ZKISIS_PAGE_CALLBACKS*
    ZKISIS_MSG_CLEAR_HANDLER = 1328,
    ZKISIS_MSG_IMAGE_DATA = 1330,     // data: ZKISIS_BLOCK*
    ZKISIS_MSG_IMAGE_BEGIN = 1536,    // data: ZKISIS_IMAGE_TAGS*
    ZKISIS_MSG_IMAGE_END = 1538,      // data: null
    ZKISIS_MSG_SCAN_START = 1540,     // data: const int32_t* non-zero for scan-ahead feeding
    ZKISIS_MSG_SCAN_PAGE = 1541,      // one sheet; ZKISIS_END_OF_PAGES when the feeder is empty
    ZKISIS_MSG_SCAN_END = 1542
};

// ---- Tags ---------------------------------------------------------------------
enum
{
    ZKISIS_TAG_UNITS = 2,
    ZKISIS_TAG_IMAGE_WIDTH = 256,
    ZKISIS_TAG_IMAGE_LENGTH = 257,
    ZKISIS_TAG_BITS_PER_SAMPLE = 258,
    ZKISIS_TAG_COMPRESSION = 259,
    ZKISIS_TAG_PHOTOMETRIC = 262,
    ZKISIS_TAG_SAMPLES_PER_PIXEL = 277,
    ZKISIS_TAG_XRESOLUTION = 282,
    ZKISIS_TAG_YRESOLUTION = 283,
    ZKISIS_TAG_PLANAR_CONFIG = 284,
    ZKISIS_TAG_COLORMAP = 320,
    ZKISIS_TAG_CAPABILITIES = 1283,
    ZKISIS_TAG_DRIVER_TEXT = 1294,
    ZKISIS_TAG_SCAN_TYPE = 1300,
    ZKISIS_TAG_FILE_NAME = 1664,
    ZKISIS_TAG_WINDOW = 1690,
    ZKISIS_TAG_BACK_WINDOWS = 1707,
    ZKISIS_TAG_FRONT_WINDOWS = 1708,
    ZKISIS_TAG_PAGE_NUMBER = 1763,
    ZKISIS_TAG_SIDE = 1791,
    ZKISIS_TAG_HANDLER = 1792,
    ZKISIS_TAG_FILE_FORMAT = 2311,
    ZKISIS_TAG_SINGLE_SIDE_MODE = 5440
};

// Tag 1283 flag: the driver can feed ahead of the application.
#define ZKISIS_CAPABILITY_SCAN_AHEAD 0x200000u

// ---- Message arguments ------------------------------------------------------------
typedef struct ZKISIS_RATIONAL
{
    int32_t numerator;
    int32_t denominator;
} ZKISIS_RATIONAL;

// A numeric answer. The answering module names the type it wrote.
typedef struct ZKISIS_VALUE
{
    int32_t type; // ZKISIS_TYPE_LONG, _RATIONAL or _POINTER
    int32_t longValue;
    ZKISIS_RATIONAL rational;
    void* pointer;
} ZKISIS_VALUE;

// A text answer: the module writes at most size bytes, NUL included, and
// sets length to the text's length without the NUL.
typedef struct ZKISIS_TEXT
{
    char* buffer;
    uint32_t size;
    uint32_t length;
} ZKISIS_TEXT;

typedef struct ZKISIS_SETUP
{
    void* window;
    int32_t what;
} ZKISIS_SETUP;

typedef struct ZKISIS_CONFIG_FILE
{
    const char* application; // "ISIS"
    const char* path;
} ZKISIS_CONFIG_FILE;

typedef struct ZKISIS_BLOCK
{
    const uint8_t* data;
    uint32_t length;
} ZKISIS_BLOCK;

// One tag of an image, set on the modules downstream at image begin.
typedef struct ZKISIS_IMAGE_TAG
{
    uint16_t tag;
    int32_t type;   // ZKISIS_TYPE_LONG or ZKISIS_TYPE_RATIONAL
    int32_t count;  // number of values (the colour map has several)
    const int32_t* values; // count longs, or count (numerator, denominator) pairs
} ZKISIS_IMAGE_TAG;

typedef struct ZKISIS_IMAGE_TAGS
{
    uint32_t count;
    const ZKISIS_IMAGE_TAG* tags;
} ZKISIS_IMAGE_TAGS;

typedef struct ZKISIS_HANDLER
{
    ZKISIS_MSGPROC proc;
    void* context;
} ZKISIS_HANDLER;

// The page module's three deliveries; each answers 0 to go on.
typedef struct ZKISIS_PAGE_CALLBACKS
{
    void* context;
    int32_t (*imageBegin)(void* context, ZKISIS_MODULE* page);
    int32_t (*imageData)(void* context, const uint8_t* data, uint32_t length);
    int32_t (*imageEnd)(void* context, ZKISIS_MODULE* page);
} ZKISIS_PAGE_CALLBACKS;

// ---- Driver loader (ISISDL) --------------------------------------------------
typedef struct ZKISIS_FIND ZKISIS_FIND;
ZKISIS_API int32_t ZKISIS_DL_Initialize(void);
ZKISIS_API int32_t ZKISIS_DL_Terminate(void);
// pattern: a folder and a file pattern with '*' ("/sys/isisdrv/*.isd").
// The found file's name (no folder) goes to name.
ZKISIS_API int32_t ZKISIS_DL_FindFirst(const char* pattern, char* name, uint32_t size, ZKISIS_FIND** find);
ZKISIS_API int32_t ZKISIS_DL_FindNext(ZKISIS_FIND* find, char* name, uint32_t size);
ZKISIS_API void ZKISIS_DL_FindClose(ZKISIS_FIND* find);
// The model at index of a driver file (a full path).
ZKISIS_API int32_t ZKISIS_DL_ModelName(const char* driverPath, int32_t index, char* model, uint32_t size);
// Loads a driver by name (file name without ".isd") from the system folder.
ZKISIS_API int32_t ZKISIS_DL_LoadDriver(const char* driverName, ZKISIS_MODULE** module);
ZKISIS_API int32_t ZKISIS_DL_UnloadDriver(ZKISIS_MODULE* module);
ZKISIS_API int32_t ZKISIS_DL_ErrorText(int32_t id, char* text, uint32_t size);
ZKISIS_API int32_t ZKISIS_DL_DefaultDriver(char* name, uint32_t size);
// The driver selection dialog: 0 when a driver was chosen (it becomes the
// default driver), ZKISIS_ERR_DIALOG_CANCELLED when cancelled.
ZKISIS_API int32_t ZKISIS_DL_SelectDriver(void* parent);

// ---- Module manager (ISISMD) -------------------------------------------------
ZKISIS_API int32_t ZKISIS_MD_Initialize(void);
ZKISIS_API int32_t ZKISIS_MD_Terminate(void);
// Loads a toolkit module by name ("ISISPAGE", "ISISFPACK").
ZKISIS_API int32_t ZKISIS_MD_LoadModule(const char* name, ZKISIS_MODULE** module);
// A module whose message procedure is the application's own.
ZKISIS_API int32_t ZKISIS_MD_CreateModule(ZKISIS_MSGPROC proc, void* userData, ZKISIS_MODULE** module);
ZKISIS_API int32_t ZKISIS_MD_FreeModule(ZKISIS_MODULE* module);
ZKISIS_API int32_t ZKISIS_MD_Link(ZKISIS_MODULE* upstream, ZKISIS_MODULE* downstream);
ZKISIS_API int32_t ZKISIS_MD_Unlink(ZKISIS_MODULE* upstream);
ZKISIS_API int32_t ZKISIS_MD_Send(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
// The toolkit's handling of a message a module does not handle itself: tag
// messages against the module's default tag store, image messages passed on
// to the next module.
ZKISIS_API int32_t ZKISIS_MD_Default(ZKISIS_MODULE* module, uint32_t message, uint32_t param, void* data);
// The toolkit environment: section/key text values. EnvGet answers
// ZKISIS_ERR_BAD_VALUE when the key is missing.
ZKISIS_API int32_t ZKISIS_MD_EnvPut(const char* section, const char* key, const char* value);
ZKISIS_API int32_t ZKISIS_MD_EnvGet(const char* section, const char* key, char* value, uint32_t size);

// ---- Locale (ISISLC) -------------------------------------------------------------
ZKISIS_API int32_t ZKISIS_LC_SetLocale(uint32_t localeId);
ZKISIS_API uint32_t ZKISIS_LC_GetLocale(void);

// ---- Driver files --------------------------------------------------------------
// Every ".isd" exports these four.
typedef int32_t (*ZKISIS_DRIVER_MODEL)(const char* driverPath, int32_t index, char* model, uint32_t size);
typedef void* (*ZKISIS_DRIVER_CREATE)(const char* driverPath);
typedef void (*ZKISIS_DRIVER_DESTROY)(void* driver);
#define ZKISIS_DRIVER_MODEL_EXPORT "ZKISIS_DriverModel"
#define ZKISIS_DRIVER_CREATE_EXPORT "ZKISIS_DriverCreate"
#define ZKISIS_DRIVER_DESTROY_EXPORT "ZKISIS_DriverDestroy"
#define ZKISIS_DRIVER_MESSAGE_EXPORT "ZKISIS_DriverMessage"

#ifdef __cplusplus
}
#endif
