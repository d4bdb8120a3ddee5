// A settings reload reads every key of its files through the profile functions, one file read
// per call. Target: one reload of a 50-key file well under 5 ms (the load sequence and the
// settings command run it while the user waits).
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "win32.h"

namespace {

struct Fixture {
    std::wstring path;
    std::vector<std::pair<std::wstring, std::wstring>> keys;  // section, key
    size_t valueChars = 0;                                    // of one reload
};

// A template description of 50 keys in five sections, as offices write them: GBK with CRLF,
// a comment per section.
Fixture makeFile(vx::text::Encoding enc) {
    Fixture f;
    const wchar_t* sections[] = {L"TKATT", L"TKNAMELIST", L"TZML", L"BPLOTNAMEFORMAT", L"SYSEMSET"};
    std::wstring text;
    for (int s = 0; s < 5; ++s) {
        text += L"; 第" + std::to_wstring(s) + L"节\r\n[" + sections[s] + L"]\r\n";
        for (int k = 0; k < 10; ++k) {
            std::wstring key = L"图框项目" + std::to_wstring(k);
            const std::wstring value = L"建筑设计院 JS-" + std::to_wstring(s * 10 + k);
            text += key + L" = " + value + L"\r\n";
            f.valueChars += value.size();
            f.keys.emplace_back(sections[s], key);
        }
        text += L"\r\n";
    }
    std::string bytes;
    vx::text::encode(text, enc, bytes);
    char name[] = "/tmp/vxbench-XXXXXX";
    int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    std::ofstream(name, std::ios::binary) << bytes;
    f.path = vx::text::fromUtf8(name);
    return f;
}

void reload(benchmark::State& state, vx::text::Encoding enc) {
    Fixture f = makeFile(enc);
    wchar_t buf[260];
    size_t chars = 0;
    for (auto _ : state) {
        for (const auto& [section, key] : f.keys)
            chars += GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buf, 260, f.path.c_str());
        benchmark::DoNotOptimize(chars);
    }
    if (chars != state.iterations() * f.valueChars)
        state.SkipWithError("a key was not read");
    state.counters["keys/s"] = benchmark::Counter(static_cast<double>(state.iterations() * 50),
                                                  benchmark::Counter::kIsRate);
    std::remove(vx::text::toUtf8(f.path).c_str());
}

void BM_ReloadGbk50Keys(benchmark::State& state) { reload(state, vx::text::Encoding::Ansi); }
void BM_ReloadUtf8_50Keys(benchmark::State& state) { reload(state, vx::text::Encoding::Utf8); }
void BM_ReloadUtf16_50Keys(benchmark::State& state) { reload(state, vx::text::Encoding::Utf16LE); }

}  // namespace

BENCHMARK(BM_ReloadGbk50Keys)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReloadUtf8_50Keys)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReloadUtf16_50Keys)->Iterations(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
