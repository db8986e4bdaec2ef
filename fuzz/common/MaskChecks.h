// Checks shared by the mask and expression targets.
#pragma once

#include <wincompat/WinTypes.h>

// A refusal with a code in the parser's own range must have a message, or
// the user is told nothing.
void CheckRefusalExplained(BOOL accepted, DWORD code, DWORD firstCode, DWORD lastCode);
