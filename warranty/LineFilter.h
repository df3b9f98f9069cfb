#pragma once
// Removes every CR LF line of a text that contains a given text, with exactly the
// result of the scraper's original loop: n = CountLines(text) passes of
// text = DeleteLine(text, FindLineContaining(text, sought)). That loop rebuilds the
// whole text once per deleted line (quadratic); this does the same work in one pass
// over the lines, including the loop's quirks (each pass after the first drops one
// trailing empty line; a text of one line that ends in a lone lead byte gains a CR LF).

#include "text/Text.h"

Text DeleteLinesContaining(const Text& text, const Text& sought);
