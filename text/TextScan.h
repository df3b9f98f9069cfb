#pragma once
// Character stepping shared by the scanning routines: a byte below 0x80 is a character
// of its own; a byte of 0x80 or above takes the next byte with it, whatever it is.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace textscan {

constexpr std::size_t npos = std::string_view::npos;

inline bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }
inline std::size_t CharLength(char c) { return IsLeadByte(c) ? 2 : 1; }
inline char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

// Searches one sought text (kept by reference: it must outlive the searcher) in
// texts, trying only character starts. The caller's `from` is taken as a character
// start. A lead byte that is the last byte of the text ends the scan, so no match
// starts there. Every search is linear in the scanned length, also for long sought
// texts with repetitive content.
class Searcher {
public:
    Searcher(std::string_view sought, bool foldCase);

    // Offset of the first occurrence starting at or after `from` and ending at or
    // before `limit`, or npos. An empty sought text finds nothing.
    std::size_t Find(std::string_view text, std::size_t from, std::size_t limit = npos) const;

    // Offset of the last occurrence that ends at or before `limit`, scanning from the
    // start of the text, or npos.
    std::size_t FindLast(std::string_view text, std::size_t limit) const;

    std::size_t SoughtLength() const { return sought_.size(); }

private:
    // Calls onMatch(offset) for each occurrence on a character start, in order,
    // overlapping ones included, until it returns false.
    template <class OnMatch>
    void Scan(std::string_view text, std::size_t from, std::size_t limit, OnMatch onMatch) const;

    std::string_view sought_;
    bool foldCase_;
    std::vector<std::size_t> border_;  // failure function, only for long sought texts
};

// Writes into `out` the text with the occurrences the searcher finds from `offset` on
// replaced, at most `count` of them (negative: all), and returns true. Returns false
// and leaves `out` alone when that would replace nothing, so that callers can keep
// the text itself instead of a copy.
bool ReplaceInto(std::string_view text, const Searcher& searcher, std::string_view replacement,
                 std::size_t offset, long long count, std::string& out);

}  // namespace textscan
