// Wide text <-> UTF-8 for file contents and system calls.
#pragma once

#include <string>

namespace zkutf8
{

std::string FromWide(const std::wstring& text);
// Malformed bytes become U+FFFD instead of failing the whole text.
std::wstring ToWide(const std::string& text);

} // namespace zkutf8
