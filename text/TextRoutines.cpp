// The program's own text routines. Each keeps the edge behaviour of the primitives it
// is defined by (FindText, SplitText, TextMid, ...), but walks its input once: lines
// are visited in place rather than split into an array and rejoined.
#include "text/TextRoutines.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "text/TextScan.h"

using textscan::npos;
using textscan::Searcher;

// "#引号" in code page 936, spelled as bytes so that it needs no conversion at start-up.
// Never destroyed: the identification worker may still run routines at exit.
const Text& QuoteMarker = *new Text("#\xD2\xFD\xBA\xC5");

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Visits the lines of text as SplitText(text, CR LF) makes them: a CR LF at the very
// end opens no further line. visit(line, number) returns false to stop.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
    const Searcher lineBreak(kLineBreak, false);
    std::size_t pos = 0;
    int number = 0;
    for (std::size_t at = lineBreak.Find(text, 0); at != npos; at = lineBreak.Find(text, pos)) {
        if (!visit(text.substr(pos, at - pos), ++number)) return;
        pos = at + kLineBreak.size();
    }
    if (pos < text.size()) visit(text.substr(pos), ++number);
}

Text WithQuotes(const Text& marker) { return ReplaceSubtext(marker, QuoteMarker, "\"", std::nullopt, std::nullopt, true); }

}  // namespace

Text ReplaceMany(const Text& text, std::optional<int> count, std::optional<int> start, bool caseSensitive,
                 std::initializer_list<ReplacePair> pairs) {
    // As ReplaceSubtext would take them: start 0 means 1, and so does any start below 2.
    const int from = (!start || *start == 0) ? 1 : *start;
    const std::size_t offset = from > 1 ? static_cast<std::size_t>(from - 1) : 0;
    const long long limit = (count && *count >= 0) ? *count : -1;  // -1: all
    // A pair that changes nothing costs only its search. The others write alternately
    // into two buffers, so a chain of pairs over a long page allocates at most twice.
    Text current, spare;
    bool changed = false;
    for (const ReplacePair& pair : pairs) {
        const Text& source = changed ? current : text;
        if (textscan::ReplaceInto(source, Searcher(pair.find, !caseSensitive), pair.replacement, offset, limit,
                                  spare)) {
            current.swap(spare);
            changed = true;
        }
    }
    if (!changed) return text;
    return current;
}

Text Utf8ToGbk(const Text& utf8) {
    Text gbk = platform::Utf8ToCp936(utf8);
    // A Text never holds a zero byte: the result ends at the first one.
    gbk.resize(std::strlen(gbk.c_str()));
    return gbk;
}

int CountOccurrences(const Text& text, const Text& sought, bool caseSensitive) {
    if (text.empty() || sought.empty()) return 0;
    const Searcher searcher(sought, !caseSensitive);
    int count = 0;
    for (std::size_t at = searcher.Find(text, 0); at != npos; at = searcher.Find(text, at + sought.size()))
        ++count;
    return count;
}

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker, std::optional<int> start,
                 bool caseInsensitive) {
    const Text opening = WithQuotes(startMarker), closing = WithQuotes(endMarker);
    const int from = (!start || *start < 1) ? 1 : *start;
    const int p = FindText(text, opening, from, caseInsensitive);
    if (p == -1) return Text();
    const int q = p + TextLength(opening);
    const int end = FindText(text, closing, q, caseInsensitive);
    if (end == -1) return Text();
    return TextMid(text, q, end - q);
}

int CountLines(const Text& text) {
    if (text.empty()) return 0;
    const auto lineFeeds = std::count(text.begin(), text.end(), '\n');
    return static_cast<int>(lineFeeds) + (text.back() == '\n' ? 0 : 1);
}

int FindLineContaining(const Text& text, const Text& sought, bool caseSensitive) {
    const Searcher searcher(sought, !caseSensitive);
    int found = 0;
    ForEachLine(text, [&](std::string_view line, int number) {
        // FindText of an empty sought text finds it in every non-empty line.
        const bool match = sought.empty() ? !line.empty() : searcher.Find(line, 0) != npos;
        if (match) found = number;
        return !match;
    });
    return found;
}

Text DeleteLine(const Text& text, int lineNumber) {
    // Without any line break the text is one line (the empty text one empty line).
    if (Searcher(kLineBreak, false).Find(text, 0) == npos) return lineNumber == 1 ? Text() : text;
    Text result;
    result.reserve(text.size());
    bool first = true;
    ForEachLine(text, [&](std::string_view line, int number) {
        if (number == lineNumber) return true;
        if (!first) result += kLineBreak;
        result += line;
        first = false;
        return true;
    });
    return result;
}

Text TextAfterLast(const Text& text, const Text& marker, std::optional<int> start, bool caseInsensitive) {
    const int length = TextLength(text);
    const int p = FindTextReverse(text, marker, start ? *start : length + 1, caseInsensitive);
    if (p == -1) return Text();
    return TextRight(text, length - TextLength(marker) - p + 1);
}

Text TextBeforeFirst(const Text& text, const Text& marker, std::optional<int> start, bool caseInsensitive) {
    const int from = (!start || *start < 1) ? 1 : *start;
    const int p = FindText(text, marker, from, caseInsensitive);
    if (p == -1) return Text();
    return TextLeft(text, p - 1);
}

Text TrimBlanks(Text& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == npos) {
        text.clear();
    } else {
        text.erase(text.find_last_not_of(' ') + 1);
        text.erase(0, first);
    }
    return text;
}
