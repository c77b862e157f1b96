#pragma once
// The median of `rounds` timed calls of f(round), in microseconds.

#include <algorithm>
#include <chrono>
#include <vector>

template <class F>
double medianMicroseconds(int rounds, F&& f) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const auto start = std::chrono::steady_clock::now();
        f(i);
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + rounds / 2, times.end());
    return times[size_t(rounds / 2)];
}
