// The simulated toolkit's error texts, by error id.
#pragma once

#include <cstdint>

const char* ZKSimIsisErrorText(int32_t id);
