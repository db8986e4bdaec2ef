// Whole-file reads and crash-safe whole-file writes.
#pragma once

#include <string>

namespace zkfile
{

// false when the file cannot be read (missing included).
bool ReadAll(const std::string& path, std::string& out);
// Writes a temporary file beside the target and renames it over the target,
// so readers see the old or the new content, never half of it. Creates the
// parent folder when missing.
bool WriteAtomically(const std::string& path, const std::string& content);

} // namespace zkfile
