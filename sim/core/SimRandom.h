// Reproducible random numbers of the simulator: a 64-bit Mersenne Twister
// with our own distributions, so that a seed gives the same values on every
// standard library.
#pragma once

#include <cstdint>
#include <random>

namespace izleme::sim {

class SimRandom {
public:
    explicit SimRandom(std::uint64_t seed) : engine_(seed) {}

    // Uniform in [0, 1), from the top 53 bits of one draw.
    double uniform();
    double uniform(double low, double high) { return low + (high - low) * uniform(); }
    // Normal by the Box-Muller transform (two draws per value, nothing cached).
    double normal(double mean, double deviation);
    // Uniform integer in [0, n); n = 0 gives 0.
    std::uint64_t below(std::uint64_t n);

private:
    std::mt19937_64 engine_;
};

// Mixes a seed with a text (a serial number) into a new seed.
std::uint64_t mixSeed(std::uint64_t seed, const char* text);

}  // namespace izleme::sim
