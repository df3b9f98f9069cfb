#pragma once
// Everything a hidden command wrote, collected chunk by chunk as it was read from
// the pipe, and turned into the command's text at the end.

#include <cstddef>
#include <string_view>
#include <vector>

#include "platform/Bytes.h"
#include "text/Text.h"

class CapturedOutput {
public:
    // Appends in amortised constant time per byte; an empty chunk is no chunk.
    void Append(const Bytes& chunk);
    std::size_t Size() const { return raw_.size(); }

    // UTF-16LE output (Wine's wmic writes it into pipes) becomes code page 936 text,
    // ending at its first NUL character. Any other output is taken as code page 936
    // bytes, a NUL byte ending its own chunk's text: later chunks still count.
    Text ToText() const;

private:
    Bytes raw_;
    std::vector<std::size_t> chunkEnds_;
};

// Whether the bytes are UTF-16LE: they begin with the byte-order mark FF FE, or every
// byte of the first line (up to and including its line feed) is, alternately, a
// non-zero byte and a zero byte.
bool LooksLikeUtf16Le(std::string_view bytes);
