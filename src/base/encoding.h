#pragma once
// The one converter between the program's Windows-1252 bytes and the UTF-8
// that Linux paths, command lines and the terminal use.

#include <string>
#include <string_view>

namespace qlr {

std::string Cp1252ToUtf8(std::string_view text);
// Characters without a Windows-1252 form, and malformed UTF-8, become "?".
std::string Utf8ToCp1252(std::string_view text);

}  // namespace qlr
