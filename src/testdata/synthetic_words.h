// The raw material of synthetic trees: a random number generator that gives
// the same numbers everywhere, Polish names, places and occupations in
// CP1250, and dates written the many ways people write them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lineara::synthetic {

// splitmix64: small, fast, and the same on every platform and library,
// which the standard distributions do not promise.
class Rng {
public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) {  // 0 <= result < n
        return static_cast<int>(((next() >> 32) * static_cast<uint64_t>(n)) >> 32);
    }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool percent(int p) { return below(100) < p; }
    template <typename T>
    const T& pick(const std::vector<T>& v) {
        return v[static_cast<size_t>(below(static_cast<int>(v.size())))];
    }

private:
    uint64_t state_;
};

// Every word in CP1250. Surnames come in pairs: femaleSurnames[i] is the
// feminine form of maleSurnames[i].
struct Words {
    Words();
    std::vector<std::string> maleNames, femaleNames;
    std::vector<std::string> maleSurnames, femaleSurnames;
    std::vector<std::string> places;
    std::vector<std::string> maleJobs, femaleJobs;
    std::vector<std::string> sourceKinds;  // "Księga chrztów" and the like
};

struct Date {
    int year, month, day;
};

Date randomDay(Rng& rng, int year);

// The date in one of the free-text forms found in real trees ("5.12.1850",
// "~1850", "12/25/1850", "ABT 1850", "1850", "5 DEC 1850"), or empty.
std::string freeTextDate(Rng& rng, const Date& date);
std::string freeTextDate(Rng& rng, int year);

}  // namespace lineara::synthetic
