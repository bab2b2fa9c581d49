#pragma once
// Timing for the benchmarks: the sides of a comparison take turns, run after run, so that
// whatever else the machine does falls on all of them alike; medians are reported.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace orvane::bench {

// Keeps the compiler from dropping work whose result is otherwise unused.
template <typename T>
inline void keep(const T& value)
{
    asm volatile("" : : "g"(&value) : "memory");
}

inline double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

inline double millisecondsOf(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

class Turns {
public:
    void add(std::string name, std::function<void()> work) { sides.push_back({std::move(name), std::move(work), {}}); }

    // One warm-up turn each, then runs turns of every side in order.
    void run(int runs)
    {
        for (Side& s : sides)
            s.work();
        for (int r = 0; r < runs; ++r)
            for (Side& s : sides)
                s.times.push_back(millisecondsOf(s.work));
    }

    std::vector<std::pair<std::string, double>> medians() const
    {
        std::vector<std::pair<std::string, double>> out;
        for (const Side& s : sides)
            out.emplace_back(s.name, median(s.times));
        return out;
    }

private:
    struct Side {
        std::string name;
        std::function<void()> work;
        std::vector<double> times;
    };
    std::vector<Side> sides;
};

inline void print(const std::string& name, double value)
{
    std::printf("%s=%.4f\n", name.c_str(), value);
    std::fflush(stdout);
}

} // namespace orvane::bench
