// The tool's exit codes: one per failure a capture operator can act on.
// The --help text lists them from the same table.
#pragma once

#include <string>

enum EQXScanExitCode
{
    QXSCAN_EXIT_OK = 0,
    QXSCAN_EXIT_FAILURE = 1,
    QXSCAN_EXIT_BAD_ARGUMENTS = 2,
    QXSCAN_EXIT_NO_SUCH_SCANNER = 3,
    QXSCAN_EXIT_PAPER_JAM = 4,
    QXSCAN_EXIT_DOUBLE_FEED = 5,
    QXSCAN_EXIT_OFFLINE = 6,
    QXSCAN_EXIT_CANCELLED = 7,
    QXSCAN_EXIT_OUTPUT = 8,
    QXSCAN_EXIT_INVALID = 9
};

// "Exit codes:" and one line per code, for the help text.
std::string QXScanExitCodeHelp();
