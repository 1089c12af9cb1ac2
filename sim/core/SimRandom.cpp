#include "sim/core/SimRandom.h"

#include <cmath>

namespace izleme::sim {

double SimRandom::uniform() {
    return static_cast<double>(engine_() >> 11) * (1.0 / 9007199254740992.0);
}

double SimRandom::normal(double mean, double deviation) {
    const double u1 = 1.0 - uniform();  // (0, 1]
    const double u2 = uniform();
    const double z = std::sqrt(-2.0 * std::log(u1)) * std::cos(6.283185307179586 * u2);
    return mean + deviation * z;
}

std::uint64_t SimRandom::below(std::uint64_t n) {
    if (n == 0) return 0;
    const std::uint64_t limit = UINT64_MAX - UINT64_MAX % n;
    std::uint64_t x;
    do x = engine_();
    while (x >= limit);
    return x % n;
}

std::uint64_t mixSeed(std::uint64_t seed, const char* text) {
    std::uint64_t h = seed ^ 0x9E3779B97F4A7C15ULL;
    for (const char* p = text; *p; ++p) {
        h ^= static_cast<unsigned char>(*p);
        h *= 0x100000001B3ULL;
        h ^= h >> 29;
    }
    return h;
}

}  // namespace izleme::sim
