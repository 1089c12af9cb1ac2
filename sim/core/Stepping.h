// How a simulated device moves its clock: coarse steps through the weeks of
// warm-up before the start, fine steps while a client watches.
#pragma once

#include <algorithm>
#include <cstdint>

namespace izleme::sim {

// Calls step(dt) until now reaches t: 300 s steps while more than six hours
// remain, then steps of at most fineSeconds. step reads the clock already moved.
template <class Step>
void stepTo(std::int64_t& now, std::int64_t t, std::int64_t fineSeconds, Step step) {
    while (now < t) {
        const std::int64_t gap = t - now;
        const std::int64_t dt = gap > 6 * 3600 ? 300 : std::min(gap, fineSeconds);
        now += dt;
        step(static_cast<double>(dt));
    }
}

// Warm-up from now to start: 600 s steps while a whole one fits, then stepTo.
template <class Step>
void warmUpTo(std::int64_t& now, std::int64_t start, std::int64_t fineSeconds, Step step) {
    while (now + 600 <= start) {
        now += 600;
        step(600.0);
    }
    stepTo(now, start, fineSeconds, step);
}

}  // namespace izleme::sim
