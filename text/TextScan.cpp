// Searching on character starts. Candidates come from a byte-level search; whether a
// candidate starts a character is decided locally (see StartsCharacter), so no
// search steps through the text character by character from its start.
#include "text/TextScan.h"

#include <algorithm>

namespace textscan {
namespace {

// Up to this length the plain search (at most this many byte comparisons per text
// byte) is fastest; longer sought texts use a failure function to stay linear.
constexpr std::size_t kShortSought = 64;

// True when `at` starts a character, given that `known` (at or before it) does. A
// byte below 0x80 always ends a character (alone or as a second byte), so only the
// run of bytes of 0x80 or above right before `at` decides: they pair up from its start.
bool StartsCharacter(std::string_view text, std::size_t known, std::size_t at) {
    std::size_t runStart = at;
    while (runStart > known && IsLeadByte(text[runStart - 1])) --runStart;
    return (at - runStart) % 2 == 0;
}

bool EqualFolded(const char* a, const char* b, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

}  // namespace

Searcher::Searcher(std::string_view sought, bool foldCase) : sought_(sought), foldCase_(foldCase) {
    const std::size_t m = sought_.size();
    if (m <= kShortSought) return;
    auto at = [&](std::size_t i) { return foldCase_ ? FoldAscii(sought_[i]) : sought_[i]; };
    border_.assign(m, 0);
    for (std::size_t i = 1, k = 0; i < m; ++i) {
        while (k > 0 && at(i) != at(k)) k = border_[k - 1];
        if (at(i) == at(k)) ++k;
        border_[i] = k;
    }
}

template <class OnMatch>
void Searcher::Scan(std::string_view text, std::size_t from, std::size_t limit, OnMatch onMatch) const {
    const std::size_t n = text.size(), m = sought_.size();
    limit = std::min(limit, n);
    if (m == 0 || from >= limit || m > limit - from) return;

    std::size_t known = from;  // a character start at or before every later candidate
    auto accept = [&](std::size_t at) {
        if (!StartsCharacter(text, known, at)) {
            known = at + 1;  // `at` is a second byte, so the next byte starts a character
            return false;
        }
        known = at;
        return !(at + 1 == n && IsLeadByte(text[at]));
    };

    if (m > kShortSought) {
        auto soughtAt = [&](std::size_t i) { return foldCase_ ? FoldAscii(sought_[i]) : sought_[i]; };
        std::size_t k = 0;
        for (std::size_t i = from; i < limit; ++i) {
            const char c = foldCase_ ? FoldAscii(text[i]) : text[i];
            while (k > 0 && c != soughtAt(k)) k = border_[k - 1];
            if (c == soughtAt(k)) ++k;
            if (k == m) {
                const std::size_t at = i + 1 - m;
                if (accept(at) && !onMatch(at)) return;
                k = border_[m - 1];
            }
        }
        return;
    }

    if (!foldCase_) {
        const std::string_view region = text.substr(0, limit);
        for (std::size_t at = region.find(sought_, from); at != npos; at = region.find(sought_, at + 1))
            if (accept(at) && !onMatch(at)) return;
        return;
    }

    const char first = FoldAscii(sought_[0]);
    const std::size_t lastStart = limit - m;
    for (std::size_t at = from; at <= lastStart; ++at) {
        if (FoldAscii(text[at]) == first && EqualFolded(text.data() + at, sought_.data(), m) && accept(at) &&
            !onMatch(at))
            return;
    }
}

std::size_t Searcher::Find(std::string_view text, std::size_t from, std::size_t limit) const {
    std::size_t found = npos;
    Scan(text, from, limit, [&](std::size_t at) {
        found = at;
        return false;
    });
    return found;
}

std::size_t Searcher::FindLast(std::string_view text, std::size_t limit) const {
    std::size_t found = npos;
    Scan(text, 0, limit, [&](std::size_t at) {
        found = at;
        return true;
    });
    return found;
}

bool ReplaceInto(std::string_view text, const Searcher& searcher, std::string_view replacement,
                 std::size_t offset, long long count, std::string& out) {
    if (count == 0 || offset >= text.size()) return false;
    std::size_t at = searcher.Find(text, offset);
    if (at == npos) return false;
    out.clear();
    out.reserve(text.size());
    std::size_t pos = 0;
    do {
        out.append(text, pos, at - pos);
        out.append(replacement);
        pos = at + searcher.SoughtLength();
        if (count > 0 && --count == 0) break;
        at = searcher.Find(text, pos);
    } while (at != npos);
    out.append(text, pos, npos);
    return true;
}

}  // namespace textscan
