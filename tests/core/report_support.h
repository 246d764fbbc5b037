// What the report's tests share: periods built in memory and made-up histories as text.
#pragma once

#include "core/analysis/period.h"

#include <random>
#include <string>
#include <vector>

namespace corvane::test {

/// A period of the given draws (K numbers each) from lowest .. lowest + M - 1, keyed by day
/// from 20000101 on; no file behind it.
inline core::Period periodOf(int K, int M, const std::vector<std::vector<int>>& draws,
    int lowest = 1, bool replacement = false)
{
    core::Period period;
    period.path = "made-up.txt";
    period.numbers = K;
    period.pool = M;
    period.lowest = lowest;
    period.replacement = replacement;
    for (std::size_t i = 0; i < draws.size(); ++i) {
        period.keys.push_back(20000101.0 + static_cast<double>(i));
        period.values.insert(period.values.end(), draws[i].begin(), draws[i].end());
    }
    period.dataLines = period.draws();
    return period;
}

/// count fair draws of K different numbers of 1..M (or, with replacement, K digits of 0..M-1).
inline std::vector<std::vector<int>> fairDraws(
    std::mt19937& random, int count, int K, int M, bool replacement = false)
{
    std::vector<std::vector<int>> draws;
    std::vector<int> pool(static_cast<std::size_t>(M));
    for (int i = 0; i < count; ++i) {
        std::vector<int> draw;
        if (replacement) {
            for (int c = 0; c < K; ++c)
                draw.push_back(static_cast<int>(random() % static_cast<unsigned>(M)));
        } else {
            for (int n = 0; n < M; ++n)
                pool[n] = n + 1;
            for (int c = 0; c < K; ++c) {
                std::uniform_int_distribution<int> pick(c, M - 1);
                std::swap(pool[c], pool[pick(random)]);
                draw.push_back(pool[c]);
            }
        }
        draws.push_back(draw);
    }
    return draws;
}

/// Draws as data-file text: a yyyymmdd key a line (days from 1 January 1990 on), CR LF ends.
inline std::string historyText(const std::vector<std::vector<int>>& draws, int firstDay = 0)
{
    std::string text;
    int y = 1990, m = 1, d = 1;
    const auto advance = [&] {
        constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        if (++d > kDays[m - 1] + (m == 2 && leap ? 1 : 0)) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    };
    for (int i = 0; i < firstDay; ++i)
        advance();
    for (const std::vector<int>& draw : draws) {
        text += std::to_string(y * 10000 + m * 100 + d);
        for (const int n : draw)
            text += ' ' + std::to_string(n);
        text += "\r\n";
        advance();
    }
    return text;
}

} // namespace corvane::test
