// Ctrl-C while scanning: the first one asks the scanner to stop its feeder
// (the sheet under way is still delivered and written); a second one ends
// the process the default way.
#pragma once

class CQXScanInterrupt
{
public:
    static void Install();
    static bool Requested();
    // For tests and for a cancel that did not come from the terminal.
    static void Request();

private:
    static void _OnSignal(int signal);
};
