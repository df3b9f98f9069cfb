// The text toolkit on 1 MiB and 16 MiB of mixed Chinese and ASCII text in code page
// 936, shaped like the pages and command output the program reads, with
// std::string_view::find on the same input as the baseline. Each routine's 16 MiB time
// should stay within 20 times its 1 MiB time (linear), exact FindText within 4 times
// of the baseline. A routine whose result is about as long as its input cannot scale
// better than a plain copy of the input, the second baseline: at 16 MiB that copy no
// longer fits the caches and its fresh pages may have to be faulted in.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string_view>

#include "platform/CodePage.h"
#include "text/RegexMatcher.h"
#include "text/TextRoutines.h"

namespace {

constexpr std::int64_t kOneMiB = 1 << 20;
constexpr std::int64_t kSixteenMiB = 16 << 20;

// Ends every input: the searches look for it, so they run over the whole text.
const Text kEndMarker = "Lantuo-End-Marker";

// Deterministic lines of a support page: table cells, Chinese prose, dates, numbers,
// blank lines and white-space-only lines, CR LF separated.
Text MakeInput(std::size_t size) {
    const Text pieces[] = {
        Gbk("<tr><td class=\"label\">产品型号</td><td>HP ZHAN 66 Pro G1 笔记本电脑</td></tr>"),
        Gbk("<td>保修类型:</td><td>基本保修 Base Warranty</td>"),
        Gbk("<span>活跃状态中:</span><span>15</span> 剩余:1年3个月.截止:2021年3月5日"),
        Gbk("本产品的保修信息仅供参考,如有疑问请联系惠普客户支持中心。Serial 5CD0000XYZ"),
        "<div id=\"main\" style=\"display:none\">Drivers/SelfService/x?q=1&amp;lang=zh</div>",
        "",
        "    \t",
        Gbk("　　全角空格开头的段落,带有数字１２３和English words mixed in."),
    };
    Text text;
    text.reserve(size + 256);
    std::uint32_t state = 12345;
    while (text.size() + kEndMarker.size() + 2 < size) {
        state = state * 1103515245u + 12345u;
        text += pieces[(state >> 16) % std::size(pieces)];
        text += "\r\n";
    }
    text.resize(size - kEndMarker.size());
    // Never end on half a character.
    std::size_t pos = 0;
    while (pos < text.size()) pos += static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1;
    if (pos > text.size()) text.back() = ' ';
    if (text.rfind("\r\n", 0) == 0) text[0] = 'x';  // TrimBlankLines then leaves its argument alone
    return text + kEndMarker;
}

const Text& Input(std::int64_t size) {
    static std::map<std::int64_t, Text> inputs;
    auto it = inputs.find(size);
    if (it == inputs.end()) it = inputs.emplace(size, MakeInput(static_cast<std::size_t>(size))).first;
    return it->second;
}

template <class Body>
void Run(benchmark::State& state, const Text& input, Body body) {
    for (auto _ : state) benchmark::DoNotOptimize(body(input));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(input.size()));
}

void BM_Baseline_StringViewFind(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return std::string_view(t).find(kEndMarker); });
}
void BM_Baseline_TextCopy(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return Text(t); });
}
void BM_FindText_Exact(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return FindText(t, kEndMarker); });
}
void BM_FindText_CaseInsensitive(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return FindText(t, "lantuo-end-marker", std::nullopt, true); });
}
void BM_FindTextReverse(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return FindTextReverse(t, "<td>"); });
}
void BM_ReplaceSubtext(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return ReplaceSubtext(t, "</td>", "</TD>"); });
}
void BM_ReplaceMany(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) {
        return ReplaceMany(t, std::nullopt, std::nullopt, false,
                           {{"drivers/selfservice", "warrantyresult"}, {"<td>", ""}, {"</td>", " "}});
    });
}
void BM_SplitText(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return SplitText(t, "\r\n"); });
}
void BM_CountOccurrences(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return CountOccurrences(t, "<TD>"); });
}
void BM_TextBetween(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return TextBetween(t, "\r\n", kEndMarker); });
}
void BM_DeleteLine(benchmark::State& state) {
    const Text& input = Input(state.range(0));
    const int middle = CountLines(input) / 2;
    Run(state, input, [&](const Text& t) { return DeleteLine(t, middle); });
}
void BM_Utf8ToGbk(benchmark::State& state) {
    static std::map<std::int64_t, std::string> utf8;
    auto it = utf8.find(state.range(0));
    if (it == utf8.end()) it = utf8.emplace(state.range(0), platform::Cp936ToUtf8(Input(state.range(0)))).first;
    Run(state, it->second, [](const Text& t) { return Utf8ToGbk(t); });
}
void BM_KeepDigits(benchmark::State& state) {
    Run(state, Input(state.range(0)), [](const Text& t) { return KeepDigits(t); });
}
void BM_TrimBlankLines(benchmark::State& state) {
    Text input = Input(state.range(0));  // starts and ends without CR LF, so it stays as it is
    Run(state, input, [&](const Text&) { return TrimBlankLines(input); });
}

#define TEXT_BENCHMARK(name) BENCHMARK(name)->Arg(kOneMiB)->Arg(kSixteenMiB)->Unit(benchmark::kMicrosecond)

TEXT_BENCHMARK(BM_Baseline_StringViewFind);
TEXT_BENCHMARK(BM_Baseline_TextCopy);
TEXT_BENCHMARK(BM_FindText_Exact);
TEXT_BENCHMARK(BM_FindText_CaseInsensitive);
TEXT_BENCHMARK(BM_FindTextReverse);
TEXT_BENCHMARK(BM_ReplaceSubtext);
TEXT_BENCHMARK(BM_ReplaceMany);
TEXT_BENCHMARK(BM_SplitText);
TEXT_BENCHMARK(BM_CountOccurrences);
TEXT_BENCHMARK(BM_TextBetween);
TEXT_BENCHMARK(BM_DeleteLine);
TEXT_BENCHMARK(BM_Utf8ToGbk);
TEXT_BENCHMARK(BM_KeepDigits);
TEXT_BENCHMARK(BM_TrimBlankLines);

}  // namespace
