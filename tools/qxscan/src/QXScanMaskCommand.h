// `qxscan mask ...`: the index-data languages from the command line, for
// trying a mask or expression before it goes into a job.
//   validate input|time|output|default MASK [VALUE]
//   format OUTPUT_MASK VALUE [--input-mask MASK]
//   default EXPRESSION
#pragma once

#include "QXScanExitCode.h"

#include <cstdio>
#include <string>

class CQXScanMaskCommand
{
public:
    static EQXScanExitCode Validate(const std::string& kind, const std::string& mask,
                                    const std::string* value, std::FILE* out);
    static EQXScanExitCode Format(const std::string& outputMask, const std::string& value,
                                  const std::string& inputMask, std::FILE* out);
    static EQXScanExitCode Default(const std::string& expression, std::FILE* out);

private:
    static EQXScanExitCode _Result(bool valid, unsigned long code, const std::string& text,
                                   std::FILE* out);
};
