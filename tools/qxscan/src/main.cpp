// qxscan: the capture command-line tool.
#include "QXScanCommandLine.h"

int main(int argc, char** argv)
{
    return CQXScanCommandLine::Run(argc, argv);
}
