#include "ZKSimErrorTexts.h"

#include <isisdefs/ZKIsisToolkit.h>

namespace
{
struct ErrorText
{
    int32_t id;
    const char* text;
};

const ErrorText kTexts[] = {
    {ZKISIS_ERR_CANCELLED, "The scan was cancelled"},
    {ZKISIS_ERR_NO_PAPER, "No paper in the feeder"},
    {ZKISIS_ERR_PAPER_JAM, "Paper jam"},
    {ZKISIS_ERR_OUT_OF_MEMORY, "Out of memory"},
    {ZKISIS_ERR_BAD_PARAMETER, "Bad parameter"},
    {ZKISIS_ERR_TAG_UNSUPPORTED, "Tag not supported"},
    {ZKISIS_ERR_BAD_VALUE, "Value not allowed for this tag"},
    {ZKISIS_ERR_BAD_MESSAGE, "Message not supported"},
    {ZKISIS_ERR_BUFFER_TOO_SMALL, "Buffer too small"},
    {ZKISIS_ERR_DRIVER_NOT_FOUND, "Driver not found"},
    {ZKISIS_ERR_BAD_DRIVER, "The file is not a usable driver"},
    {ZKISIS_ERR_NO_MODEL, "No such model"},
    {ZKISIS_ERR_MODULE_NOT_FOUND, "Module not found"},
    {ZKISIS_ERR_NOT_INITIALISED, "Toolkit not initialised"},
    {ZKISIS_ERR_NO_MORE_FILES, "No more files"},
    {ZKISIS_ERR_FILE, "The image file could not be written"},
    {ZKISIS_ERR_DIALOG_CANCELLED, "Dialog cancelled"},
    {ZKISIS_ERR_DIALOG_CLOSED, "Dialog closed"},
    {ZKISIS_ERR_DOUBLE_FEED, "Double feed detected"},
};
} // namespace

const char* ZKSimIsisErrorText(int32_t id)
{
    for (const ErrorText& entry : kTexts)
        if (entry.id == id)
            return entry.text;
    return "Unknown error";
}
