// libFuzzer target: ParseWarrantyPage on any bytes, as the fetched page (UTF-8,
// converted) and as code page 936 text directly. Short inputs also check that the
// one-pass line removal agrees with the line-by-line loop it replaces.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "text/TextRoutines.h"
#include "warranty/LineFilter.h"
#include "warranty/WarrantyPage.h"

namespace {

Text DeleteLinesOneByOne(Text text, const Text& sought) {
    const int passes = CountLines(text);
    for (int pass = 0; pass < passes; ++pass) text = DeleteLine(text, FindLineContaining(text, sought));
    return text;
}

void CheckSummary(const WarrantyPage& result) {
    static const Text prefix = Gbk("剩余:");
    if (result.warrantySummary.compare(0, prefix.size(), prefix) != 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes bytes(reinterpret_cast<const char*>(data), size);
    const Text asIs = BytesToText(bytes);

    CheckSummary(ParseWarrantyPage(Utf8ToGbk(asIs)));
    CheckSummary(ParseWarrantyPage(asIs));

    if (size <= 512 && DeleteLinesContaining(asIs, ">") != DeleteLinesOneByOne(asIs, ">")) std::abort();
    return 0;
}
