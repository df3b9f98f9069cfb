#include "warranty/LineFilter.h"

#include <vector>

#include "text/TextRoutines.h"

namespace {

// True when the character scan of line ends on a lead byte with no byte after it.
bool EndsInLoneLeadByte(const Text& line) {
    size_t i = 0;
    while (i < line.size()) {
        if (static_cast<unsigned char>(line[i]) >= 0x80) {
            if (i + 1 == line.size()) return true;
            i += 2;
        } else {
            i += 1;
        }
    }
    return false;
}

}  // namespace

Text DeleteLinesContaining(const Text& text, const Text& sought) {
    const int passes = CountLines(text);
    if (passes == 0) return text;

    // The lines as FindLineContaining and DeleteLine see them; removed ones are
    // skipped by the two cursors, which only ever move towards each other.
    const TextArray split = SplitText(text, "\r\n");
    const std::vector<Text>& lines = split.Items();
    std::vector<bool> removed(lines.size(), false);
    std::vector<bool> matches(lines.size(), false);
    for (size_t i = 0; i < lines.size(); ++i)
        matches[i] = FindText(lines[i], sought, std::nullopt, true) != -1;

    size_t alive = lines.size();
    size_t nextMatch = 0;         // no alive line before it matches
    size_t end = lines.size();    // one past the last alive line
    bool gainedLineEnd = false;   // the lone-lead-byte quirk; the text then stays as it is

    auto settleEnd = [&] {
        while (end > 0 && removed[end - 1]) --end;
    };

    for (int pass = 1; pass <= passes && !gainedLineEnd; ++pass) {
        // Each pass re-splits the text the previous one joined: a last line that is
        // empty was a final CR LF, which opens no line.
        if (pass > 1 && alive > 0 && lines[end - 1].empty()) {
            removed[end - 1] = true;
            --alive;
            settleEnd();
        }
        while (nextMatch < end && (removed[nextMatch] || !matches[nextMatch])) ++nextMatch;
        if (nextMatch < end) {
            removed[nextMatch] = true;
            --alive;
            settleEnd();
            continue;
        }
        // Nothing left to delete. DeleteLine appends CR LF to a text without one; for a
        // single line ending in a lone lead byte that CR LF is swallowed by the
        // character scan and stays.
        if (alive == 1 && EndsInLoneLeadByte(lines[end - 1])) {
            gainedLineEnd = true;
            continue;
        }
        // Later passes can only drop trailing empty lines.
        if (alive == 0 || !lines[end - 1].empty()) break;
    }

    Text result;
    bool first = true;
    for (size_t i = 0; i < end; ++i) {
        if (removed[i]) continue;
        if (!first) result += "\r\n";
        result += lines[i];
        first = false;
    }
    if (gainedLineEnd) result += "\r\n";
    return result;
}
