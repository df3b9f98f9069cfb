#pragma once
// A regular-expression matcher over Text, matching characters (not bytes) of code
// page 936. The dialect is Perl-like: ASCII character classes, \s as space, tab,
// line feed, carriage return, vertical tab and form feed, and a dot that never
// matches a line feed. Match numbers are 1-based; numbers out of range give "".

#include <memory>

#include "text/Text.h"

class RegexMatcher {
public:
    RegexMatcher();
    ~RegexMatcher();
    RegexMatcher(const RegexMatcher& other);
    RegexMatcher& operator=(const RegexMatcher& other);

    // Runs pattern over subject. False when the pattern does not compile.
    bool Create(const Text& pattern, const Text& subject, bool caseSensitive = false,
                bool multiline = true, bool global = true, bool quoteMarker = false);
    Text GetPattern() const;
    Text ReplaceMatches(const Text& replacement) const;
    int MatchCount() const;
    Text MatchText(int matchNumber) const;
    Text SubMatchText(int matchNumber, int subMatchNumber) const;
    int SubMatchCount() const;

private:
    struct State;
    std::shared_ptr<State> state_;
};

Text KeepDigits(const Text& text);
// kind 0: [a-zA-Z], 1: [a-z], 2: [A-Z]; any other kind gives "".
Text KeepLetters(const Text& text, int kind = 0);
// Removes one leading and one trailing CR LF from the caller's variable, then every blank line.
Text TrimBlankLines(Text& text);
