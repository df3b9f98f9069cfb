// RegexMatcher on Boost.Regex (header-only), over wide characters decoded from code
// page 936, so a pattern sees characters, never the bytes of double-byte ones. Boost's
// matcher is not recursive: long subjects cannot exhaust the stack.
#include "text/RegexMatcher.h"

#include <exception>
#include <vector>

#include "platform/CodePage.h"
#include "text/AsciiRegexTraits.h"
#include "text/TextRoutines.h"

namespace {

using WideRegex = boost::basic_regex<wchar_t, text_regex::AsciiRegexTraits>;
using WideIterator = std::wstring::const_iterator;

constexpr std::size_t kUnmatched = std::wstring::npos;

struct Span {
    std::size_t begin = kUnmatched;
    std::size_t end = kUnmatched;
};

}  // namespace

// What one Create leaves behind. Never changed afterwards: a later Create makes a new
// State, so copies that share one see a consistent collection.
struct RegexMatcher::State {
    Text pattern;
    bool hasCollection = false;
    std::wstring subject;
    std::size_t spansPerMatch = 1;  // the whole match and each capture group
    std::vector<Span> spans;        // spansPerMatch entries per match, in match order

    int Count() const { return static_cast<int>(spans.size() / spansPerMatch); }
    std::wstring_view SpanText(const Span& span) const {
        if (span.begin == kUnmatched) return {};
        return std::wstring_view(subject).substr(span.begin, span.end - span.begin);
    }
    const Span* At(int matchNumber, int spanIndex) const {
        if (matchNumber < 1 || matchNumber > Count() || spanIndex < 0 ||
            static_cast<std::size_t>(spanIndex) >= spansPerMatch)
            return nullptr;
        return &spans[static_cast<std::size_t>(matchNumber - 1) * spansPerMatch +
                      static_cast<std::size_t>(spanIndex)];
    }
    void AppendReplacement(std::wstring& out, const std::wstring& replacement, std::size_t match) const;
};

// The platform object's replacement syntax: $1 to $99, $& (the match), $` (before
// it), $' (after it), $$ (a dollar sign). A two-digit group number is taken when
// such a group exists, else one digit; anything else is literal text.
void RegexMatcher::State::AppendReplacement(std::wstring& out, const std::wstring& replacement,
                                            std::size_t match) const {
    const Span* groups = &spans[match * spansPerMatch];
    const std::size_t groupCount = spansPerMatch - 1;
    auto isDigit = [](wchar_t c) { return c >= L'0' && c <= L'9'; };
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const wchar_t c = replacement[i];
        if (c != L'$' || i + 1 == replacement.size()) {
            out.push_back(c);
            continue;
        }
        const wchar_t next = replacement[i + 1];
        if (next == L'$') {
            out.push_back(L'$');
        } else if (next == L'&') {
            out.append(SpanText(groups[0]));
        } else if (next == L'`') {
            out.append(subject, 0, groups[0].begin);
        } else if (next == L'\'') {
            out.append(subject, groups[0].end);
        } else if (isDigit(next)) {
            const std::size_t one = static_cast<std::size_t>(next - L'0');
            if (i + 2 < replacement.size() && isDigit(replacement[i + 2])) {
                const std::size_t two = one * 10 + static_cast<std::size_t>(replacement[i + 2] - L'0');
                if (two >= 1 && two <= groupCount) {
                    out.append(SpanText(groups[two]));
                    i += 2;
                    continue;
                }
            }
            if (one < 1 || one > groupCount) {
                out.push_back(c);
                continue;
            }
            out.append(SpanText(groups[one]));
        } else {
            out.push_back(c);
            continue;
        }
        ++i;
    }
}

RegexMatcher::RegexMatcher() = default;
RegexMatcher::~RegexMatcher() = default;
RegexMatcher::RegexMatcher(const RegexMatcher& other) = default;
RegexMatcher& RegexMatcher::operator=(const RegexMatcher& other) = default;

bool RegexMatcher::Create(const Text& pattern, const Text& subject, bool caseSensitive, bool multiline,
                          bool global, bool quoteMarker) {
    auto state = std::make_shared<State>();
    state->pattern =
        quoteMarker ? ReplaceSubtext(pattern, QuoteMarker, "\"", std::nullopt, std::nullopt, true) : pattern;
    state_ = state;  // the pattern is readable even when it does not compile
    try {
        state->subject = platform::Cp936ToWide(subject);
        // No single-line mode: a dot never matches a line feed.
        auto flags = boost::regex_constants::perl | boost::regex_constants::no_mod_s;
        if (!caseSensitive) flags |= boost::regex_constants::icase;
        if (!multiline) flags |= boost::regex_constants::no_mod_m;
        const WideRegex regex(platform::Cp936ToWide(state->pattern), flags);

        state->spansPerMatch = regex.mark_count() + 1;
        const std::wstring& s = state->subject;
        for (boost::regex_iterator<WideIterator, wchar_t, text_regex::AsciiRegexTraits> it(s.begin(), s.end(),
                                                                                           regex),
             end;
             it != end; ++it) {
            for (std::size_t k = 0; k < state->spansPerMatch; ++k) {
                const auto& sub = (*it)[static_cast<int>(k)];
                Span span;
                if (sub.matched) {
                    span.begin = static_cast<std::size_t>(sub.first - s.begin());
                    span.end = static_cast<std::size_t>(sub.second - s.begin());
                }
                state->spans.push_back(span);
            }
            if (!global) break;
        }
        state->hasCollection = true;
    } catch (const std::exception&) {
        // A pattern that does not compile, a match too complex to finish, or no memory.
        state->spans.clear();
        state->spans.shrink_to_fit();
        state->spansPerMatch = 1;
        return false;
    }
    return true;
}

Text RegexMatcher::GetPattern() const { return state_ ? state_->pattern : Text(); }

Text RegexMatcher::ReplaceMatches(const Text& replacement) const {
    if (!state_ || !state_->hasCollection) return Text();
    const State& state = *state_;
    const std::wstring wideReplacement = platform::Cp936ToWide(replacement);
    std::wstring out;
    out.reserve(state.subject.size());
    std::size_t copied = 0;
    const std::size_t count = static_cast<std::size_t>(state.Count());
    for (std::size_t match = 0; match < count; ++match) {
        const Span& whole = state.spans[match * state.spansPerMatch];
        out.append(state.subject, copied, whole.begin - copied);
        state.AppendReplacement(out, wideReplacement, match);
        copied = whole.end;
    }
    out.append(state.subject, copied);
    return platform::WideToCp936(out);
}

int RegexMatcher::MatchCount() const { return state_ ? state_->Count() : 0; }

Text RegexMatcher::MatchText(int matchNumber) const {
    const Span* span = state_ ? state_->At(matchNumber, 0) : nullptr;
    return span ? platform::WideToCp936(state_->SpanText(*span)) : Text();
}

Text RegexMatcher::SubMatchText(int matchNumber, int subMatchNumber) const {
    if (subMatchNumber < 1) return Text();
    const Span* span = state_ ? state_->At(matchNumber, subMatchNumber) : nullptr;
    return span ? platform::WideToCp936(state_->SpanText(*span)) : Text();
}

int RegexMatcher::SubMatchCount() const {
    if (!state_ || state_->Count() == 0) return 0;
    return static_cast<int>(state_->spansPerMatch - 1);
}
