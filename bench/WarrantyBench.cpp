// The warranty page parser on a hostile 16 MiB page, beside the conversion that
// precedes it in the program. The parser must stay well under a second.

#include <benchmark/benchmark.h>

#include "text/TextRoutines.h"
#include "warranty/WarrantyPage.h"

namespace {

constexpr std::size_t kPageSize = 16u << 20;

std::string Repeated(const std::string& piece, int times) {
    std::string out;
    out.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) out += piece;
    return out;
}

// UTF-8, CR LF: a title that never ends; a million markers (pending, 将开始, the
// name's start and end, the months marker without its end); between the date markers
// a million lines holding '>' and a million blank lines; then ordinary mixed text up
// to 16 MiB.
const std::string& HostilePageUtf8() {
    static const std::string page = [] {
        const char* const markers[] = {"pending", "将开始", "结果|", "活跃状态中:"};
        std::string text = "<html><head><title>保修检查结果 HP 战66 Pro G1 笔记本电脑 ";
        for (int i = 0; i < 1000000; ++i) text += markers[i % 4];
        text += "\r\n<span>截止日期 </span>\r\n";
        text += Repeated(">\r\n", 1000000);
        text += Repeated("\r\n", 1000000);
        text += "   March 5, 2021\r\n<span>服务级别</span>\r\n";
        const std::string filler = "<p>惠普战66 Pro G1 笔记本电脑 保修 warranty 剩余月数 12</p>\r\n";
        while (text.size() + filler.size() <= kPageSize) text += filler;
        if (text.size() < kPageSize) text.append(kPageSize - text.size(), ' ');
        return text;
    }();
    return page;
}

void BM_ParseWarrantyPage_Hostile16MiB(benchmark::State& state) {
    const Text page = Utf8ToGbk(HostilePageUtf8());
    for (auto _ : state) benchmark::DoNotOptimize(ParseWarrantyPage(page));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_ParseWarrantyPage_Hostile16MiB)->Unit(benchmark::kMillisecond);

void BM_Utf8ToGbk_Hostile16MiB(benchmark::State& state) {
    const Text& page = HostilePageUtf8();
    for (auto _ : state) benchmark::DoNotOptimize(Utf8ToGbk(page));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}
BENCHMARK(BM_Utf8ToGbk_Hostile16MiB)->Unit(benchmark::kMillisecond);

}  // namespace
