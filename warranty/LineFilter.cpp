#include "warranty/LineFilter.h"

#include <vector>

#include "text/TextRoutines.h"

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

    auto settleEnd = [&] {
        while (end > 0 && removed[end - 1]) --end;
    };

    for (int pass = 1; pass <= passes; ++pass) {
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
        // Nothing left to delete: later passes can only drop trailing empty lines.
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
    return result;
}
