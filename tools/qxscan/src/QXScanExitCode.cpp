#include "QXScanExitCode.h"

namespace
{
struct EXIT_CODE_TEXT
{
    EQXScanExitCode code;
    const char* meaning;
};

const EXIT_CODE_TEXT kExitCodes[] = {
    {QXSCAN_EXIT_OK, "success"},
    {QXSCAN_EXIT_FAILURE, "the scanner or the libraries failed otherwise"},
    {QXSCAN_EXIT_BAD_ARGUMENTS, "bad arguments or an unreadable input file"},
    {QXSCAN_EXIT_NO_SUCH_SCANNER, "no such scanner"},
    {QXSCAN_EXIT_PAPER_JAM, "paper jam"},
    {QXSCAN_EXIT_DOUBLE_FEED, "double feed"},
    {QXSCAN_EXIT_OFFLINE, "scanner offline or cover open"},
    {QXSCAN_EXIT_CANCELLED, "scan cancelled (Ctrl-C or at the scanner); pages received are kept"},
    {QXSCAN_EXIT_OUTPUT, "the output folder or a file in it cannot be written"},
    {QXSCAN_EXIT_INVALID, "the mask, value, expression or file checked is not valid"},
};
} // namespace

std::string QXScanExitCodeHelp()
{
    std::string text = "Exit codes:\n";
    for (const EXIT_CODE_TEXT& entry : kExitCodes)
        text += "  " + std::to_string(entry.code) + "  " + entry.meaning + "\n";
    return text;
}
