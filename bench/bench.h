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
    void add(std::string name, std::function<void()> work)
    {
        add(std::move(name), std::function<double()>([work = std::move(work)] { return millisecondsOf(work); }));
    }
    // A side that times the part of its work that counts itself, in milliseconds.
    void add(std::string name, std::function<double()> timed) { sides.push_back({std::move(name), std::move(timed), {}}); }

    // One warm-up turn each, then runs turns of every side in order.
    void run(int runs)
    {
        for (Side& s : sides)
            s.work();
        for (int r = 0; r < runs; ++r)
            for (Side& s : sides)
                s.times.push_back(s.work());
    }

    std::vector<std::pair<std::string, double>> medians() const
    {
        std::vector<std::pair<std::string, double>> out;
        for (const Side& s : sides)
            out.emplace_back(s.name, median(s.times));
        return out;
    }

    struct Range {
        double least, median, most;
    };
    std::vector<std::pair<std::string, Range>> ranges() const
    {
        std::vector<std::pair<std::string, Range>> out;
        for (const Side& s : sides)
            out.emplace_back(s.name, Range{*std::min_element(s.times.begin(), s.times.end()), median(s.times),
                                           *std::max_element(s.times.begin(), s.times.end())});
        return out;
    }

private:
    struct Side {
        std::string name;
        std::function<double()> work;
        std::vector<double> times;
    };
    std::vector<Side> sides;
};

inline void print(const std::string& name, double value)
{
    std::printf("%s=%.4f\n", name.c_str(), value);
    std::fflush(stdout);
}

// A row's median, and its range over the turns as name_least and name_most.
inline void printRange(const std::string& name, const Turns::Range& range)
{
    print(name, range.median);
    print(name + "_least", range.least);
    print(name + "_most", range.most);
}

} // namespace orvane::bench
