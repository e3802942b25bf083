#pragma once

// Timing and the tables the benchmarks work on.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "WordRecord.h"
#include "WordTableRules.h"

namespace bench {

// The median of runs of an operation in milliseconds; prepare runs before each, untimed.
inline double MedianMilliseconds(int runs, const std::function<void()>& prepare,
                                 const std::function<void()>& operation) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        operation();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// count words with codes of up to four letters a to y, many of them equal, and phrases of a
// few CJK characters; the same words for the same seed.
inline std::vector<emb::WordRecord> MakeWords(int count, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<emb::WordRecord> words;
    for (int i = 0; i < count; ++i) {
        std::u16string code(1 + random() % 4, u'a');
        for (char16_t& unit : code) {
            unit = static_cast<char16_t>(u'a' + random() % 25);
        }
        std::u16string phrase(2 + random() % 3, u'\u4E00');
        for (char16_t& unit : phrase) {
            unit = static_cast<char16_t>(0x4E00 + random() % 20000);
        }
        words.push_back({std::move(code), std::move(phrase)});
    }
    return words;
}

inline void PrintHeader(const char* title) {
    std::printf("\n%s\n%-44s %10s %10s %8s  %s\n", title, "operation", "fast ms", "literal ms",
                "ratio", "same result");
}

inline void PrintRow(const std::string& operation, double fast, double literal, bool same) {
    if (literal > 0) {
        std::printf("%-44s %10.2f %10.2f %7.1fx  %s\n", operation.c_str(), fast, literal,
                    literal / std::max(fast, 0.001), same ? "yes" : "NO");
    } else {
        std::printf("%-44s %10.2f %10s %8s  %s\n", operation.c_str(), fast, "-", "-",
                    same ? "yes" : "NO");
    }
}

}  // namespace bench
