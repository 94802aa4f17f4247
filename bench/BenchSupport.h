#pragma once
// Shared by the benchmarks: the largest legal project as a file, and timing helpers.

#include <cstdint>
#include <string>
#include <vector>

namespace bench {

// A private temporary folder (made once, removed at exit).
const std::string& TempDir();
// The largest legal project saved in TempDir() (built once per program).
const std::string& LargestProjectFile();
std::vector<uint8_t> ReadAll(const std::string& path);
// Writes the bytes as they stand (open, write, close).
bool WriteAll(const std::string& path, const std::vector<uint8_t>& bytes);
// Milliseconds of monotonic time.
double NowMs();
// Median milliseconds of `runs` calls of `fn`.
template <class Fn>
double MedianMs(int runs, Fn&& fn);

}  // namespace bench

#include <algorithm>

template <class Fn>
double bench::MedianMs(int runs, Fn&& fn)
{
    std::vector<double> t;
    for (int i = 0; i < runs; ++i) {
        const double a = NowMs();
        fn();
        t.push_back(NowMs() - a);
    }
    std::sort(t.begin(), t.end());
    return t[t.size() / 2];
}
