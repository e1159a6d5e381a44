// UTF-8 (the program's own text) to and from UTF-16 (Windows' paths and arguments).
#pragma once

#include <string>

namespace zvtinfo
{

std::wstring WidenUtf8(const std::string& text);
std::string NarrowToUtf8(const std::wstring& text);

} // namespace zvtinfo
