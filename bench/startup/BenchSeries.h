#pragma once
// Samples of one measure in milliseconds, and the lines that print them.

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <vector>

namespace quorlet {
namespace startupbench {

struct TSeries {
    std::vector<double> Samples;
    double Median() const {
        std::vector<double> s = Samples;
        std::sort(s.begin(), s.end());
        const size_t n = s.size();
        return n % 2 ? s[n / 2] : (s[n / 2 - 1] + s[n / 2]) / 2;
    }
    double Min() const { return *std::min_element(Samples.begin(), Samples.end()); }
    double Mean() const { return std::accumulate(Samples.begin(), Samples.end(), 0.0) / Samples.size(); }
};

// "<what>  median  min  mean", under a header of those three.
inline void Row(const char* what, const TSeries& s) {
    std::printf("%-40s %9.1f %9.1f %9.1f\n", what, s.Median(), s.Min(), s.Mean());
}

// Every sample, in the order taken.
inline void Samples(const char* what, const TSeries& s) {
    std::printf("%s:", what);
    for (double ms : s.Samples) std::printf(" %.0f", ms);
    std::printf("\n");
}

// A ratio of medians and the median of the ratios of the rounds (the two
// samples of a round saw the same load of the machine).
inline void PrintRatio(const char* what, const TSeries& a, const TSeries& b) {
    TSeries rounds;
    for (size_t r = 0; r < a.Samples.size(); ++r) rounds.Samples.push_back(a.Samples[r] / b.Samples[r]);
    std::printf("ratio %s: %.2fx (medians), %.2fx (mins), %.2fx (median of the rounds)\n", what,
                a.Median() / b.Median(), a.Min() / b.Min(), rounds.Median());
}

}  // namespace startupbench
}  // namespace quorlet
