// Format versions in which records gained keys.
#pragma once

// Output file, image stamp and stamping, invoke-program records.
#define QX_FORMAT_VERSION_OUTPUT L"1.3.0.0"
