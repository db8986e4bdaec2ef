#include "QXSectionSteps.h"

#include <brackwater/QXScriptSectionGuard.h>

bool SQXSectionSteps::Run(CZKScript& script, std::initializer_list<QXSectionStep> steps)
{
    CQXScriptSectionGuard guard(script);
    for (const QXSectionStep& step : steps)
    {
        if (step.section)
            guard.Enter(step.section);
        else
            guard.Restore();
        if (!step.run())
            return false;
    }
    return true;
}
