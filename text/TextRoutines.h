#pragma once
// The program's own text routines over Text. Case flags point different ways:
// ReplaceMany, CountOccurrences and FindLineContaining take a case-sensitive flag
// (default false: without regard to case); TextBetween, TextAfterLast and
// TextBeforeFirst take a case-insensitive flag (default false: exact).

#include "text/Text.h"

// Stands for a double quote in markers given to TextBetween and in RegexMatcher patterns.
extern const Text& QuoteMarker;

struct ReplacePair {
    Text find;
    Text replacement;
};

// Up to five pairs applied one after the other; a count limits each pair separately.
Text ReplaceMany(const Text& text, std::optional<int> count, std::optional<int> start,
                 bool caseSensitive, std::initializer_list<ReplacePair> pairs);

// UTF-8 bytes to code page 936; invalid input and characters 936 lacks become '?'.
Text Utf8ToGbk(const Text& utf8);

int CountOccurrences(const Text& text, const Text& sought, bool caseSensitive = false);

Text TextBetween(const Text& text, const Text& startMarker, const Text& endMarker,
                 std::optional<int> start = std::nullopt, bool caseInsensitive = false);

int CountLines(const Text& text);
int FindLineContaining(const Text& text, const Text& sought, bool caseSensitive = false);
Text DeleteLine(const Text& text, int lineNumber);

Text TextAfterLast(const Text& text, const Text& marker, std::optional<int> start = std::nullopt,
                   bool caseInsensitive = false);
Text TextBeforeFirst(const Text& text, const Text& marker, std::optional<int> start = std::nullopt,
                     bool caseInsensitive = false);

// Trims leading and trailing spaces of the caller's variable in place and returns a copy.
Text TrimBlanks(Text& text);
