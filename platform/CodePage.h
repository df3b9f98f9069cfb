#pragma once
// Conversions that name code page 936 explicitly, never the process's current ANSI
// code page, so the program behaves alike on every system locale. Nothing stops a
// conversion: an invalid sequence or a character the target lacks becomes '?'.

#include <string>
#include <string_view>

namespace platform {

std::string Utf8ToCp936(std::string_view utf8);
std::string Cp936ToUtf8(std::string_view cp936);
std::wstring Cp936ToWide(std::string_view cp936);
std::string WideToCp936(std::wstring_view wide);
// UTF-16LE bytes (without a byte-order mark) to code page 936.
std::string Utf16LeToCp936(std::string_view utf16le);

}  // namespace platform
