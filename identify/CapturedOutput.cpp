#include "identify/CapturedOutput.h"

#include <cstring>

#include "platform/CodePage.h"

void CapturedOutput::Append(const Bytes& chunk) {
    if (chunk.empty()) return;
    raw_.append(chunk);
    chunkEnds_.push_back(raw_.size());
}

Text CapturedOutput::ToText() const {
    if (LooksLikeUtf16Le(raw_)) {
        std::string_view units(raw_);
        if (units.substr(0, 2) == "\xFF\xFE") units.remove_prefix(2);
        units = units.substr(0, units.size() & ~std::size_t{1});
        // A NUL character ends the text, as a NUL byte would.
        for (std::size_t i = 0; i < units.size(); i += 2) {
            if (units[i] == '\0' && units[i + 1] == '\0') {
                units = units.substr(0, i);
                break;
            }
        }
        return platform::Utf16LeToCp936(units);
    }
    Text text;
    text.reserve(raw_.size());
    std::size_t begin = 0;
    for (std::size_t end : chunkEnds_) {
        const char* chunk = raw_.data() + begin;
        text.append(chunk, ::strnlen(chunk, end - begin));
        begin = end;
    }
    return text;
}

bool LooksLikeUtf16Le(std::string_view bytes) {
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') return true;
    if (bytes.size() < 2) return false;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        if (bytes[i] == '\0' || bytes[i + 1] != '\0') return false;
        if (bytes[i] == '\n') return true;
    }
    return true;
}
