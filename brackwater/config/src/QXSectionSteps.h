// Runs the parts of a record that live in absolute sections ("DOCRANGE",
// "Index", "Barcode & OCR"), each in its own section, in order, stopping at
// the first part that fails. The section current before is restored
// whatever happens.
#pragma once

#include <functional>
#include <initializer_list>

class CZKScript;

struct QXSectionStep
{
    // nullptr: the section that was current when the steps began.
    const wchar_t* section;
    std::function<bool()> run;
};

class SQXSectionSteps
{
public:
    static bool Run(CZKScript& script, std::initializer_list<QXSectionStep> steps);
};
