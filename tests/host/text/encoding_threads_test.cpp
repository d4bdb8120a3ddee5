// Legacy code pages decoded and encoded on two threads at once: a drawing is read on a worker
// thread while the GUI thread decodes texts of its own.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "text/encoding.h"

using namespace vx::text;

namespace {

struct Sample {
    const char* codePage;
    std::wstring text;
    std::string bytes;  // made on this thread before the race starts
};

// Each thread works its samples many times over and counts the results that differ from the
// single-threaded ones. ISO-2022-JP keeps shift state in its converter, so a converter used by
// both threads at once mixes their states up; GBK and BIG5 are shared by both threads.
int mismatches(const std::vector<Sample>& samples, int rounds, std::atomic<bool>& go) {
    while (!go) std::this_thread::yield();
    int bad = 0;
    for (int r = 0; r < rounds; ++r)
        for (const Sample& s : samples) {
            bool lossy = false;
            if (fromCodePage(s.bytes, s.codePage, &lossy) != s.text || lossy) ++bad;
            std::string back;
            if (!toCodePage(s.text, s.codePage, back) || back != s.bytes) ++bad;
        }
    return bad;
}

}  // namespace

TEST(EncodingThreads, TwoThreadsDecodeAndEncodeAtOnce) {
    std::vector<Sample> a = {
        {"GBK", L"建施-01 首层平面图 设计 校对 审核", {}},
        {"ISO-2022-JP", L"図面番号 ABC 平面図 設計 123 検図", {}},
        {"BIG5", L"圖框 圖名 設計單位", {}},
    };
    std::vector<Sample> b = {
        {"ISO-2022-JP", L"縮尺 1:100 日付 承認 図名", {}},
        {"GBK", L"暖通 给排水 电气 结构 建筑 总图", {}},
        {"BIG5", L"審核 校對 日期 比例", {}},
    };
    for (auto* list : {&a, &b})
        for (Sample& s : *list) {
            ASSERT_TRUE(toCodePage(s.text, s.codePage, s.bytes)) << s.codePage;
            ASSERT_EQ(fromCodePage(s.bytes, s.codePage), s.text) << s.codePage;
        }
    // The Japanese samples really switch state (ESC $ B ... ESC ( B) several times.
    EXPECT_GE(std::count(a[1].bytes.begin(), a[1].bytes.end(), '\x1B'), 4);

    constexpr int kRounds = 4000;
    std::atomic<bool> go{false};
    int badA = -1, badB = -1;
    std::thread ta([&] { badA = mismatches(a, kRounds, go); });
    std::thread tb([&] { badB = mismatches(b, kRounds, go); });
    go = true;
    ta.join();
    tb.join();
    EXPECT_EQ(badA, 0);
    EXPECT_EQ(badB, 0);
}

TEST(EncodingThreads, ANewThreadDecodesWithoutSetUp) {
    // A worker thread's first conversion opens its own converters.
    std::wstring seen;
    std::thread t([&] { seen = fromCodePage("\xCD\xBC\xBF\xF2", "GBK"); });
    t.join();
    EXPECT_EQ(seen, L"图框");
}
