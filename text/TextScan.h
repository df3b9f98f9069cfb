#pragma once
// Character stepping shared by the scanning routines: a byte below 0x80 is a character
// of its own; a byte of 0x80 or above takes the next byte with it.

#include <cstddef>
#include <string_view>

namespace textscan {

constexpr std::size_t npos = std::string_view::npos;

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
inline std::size_t CharLength(char c) { return IsLeadByte(c) ? 2 : 1; }
inline char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Offset of the first occurrence of sought that starts on a character start at or
// after offset `from` (itself taken as a character start), or npos. A lead byte that
// is the last byte of the text ends the scan. Linear in the scanned length.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view sought, bool foldCase);

}  // namespace textscan
