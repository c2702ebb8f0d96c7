#pragma once
// What every benchmark table says alike: runs summed up as min, median and
// max, and a row's ratio judged against its target.
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace permora::bench {

struct Stats {
    double min = 0, median = 0, max = 0;
};

inline Stats Summarize(std::vector<double> values) {
    Stats s;
    if (values.empty()) return s;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    s.min = values.front();
    s.max = values.back();
    s.median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return s;
}

// The cells "1.23 [1.10-1.40]", "<= 1.3x" and "yes" (the median within the
// target) or "NO"; without a target (0) "-" and "-".
struct Verdict {
    std::string ratio, target, met;
};

inline Verdict Judge(const Stats& ratio, double target) {
    char cell[64];
    Verdict v;
    std::snprintf(cell, sizeof cell, "%.2f [%.2f-%.2f]", ratio.median, ratio.min, ratio.max);
    v.ratio = cell;
    if (target > 0) {
        std::snprintf(cell, sizeof cell, "<= %.1fx", target);
        v.target = cell;
        v.met = ratio.median <= target ? "yes" : "NO";
    } else {
        v.target = v.met = "-";
    }
    return v;
}

}  // namespace permora::bench
