#pragma once

#include <QString>
#include <cstdint>
#include <iterator>

/// A synthetic working year of realistic shape and size, for the benchmarks.
namespace bench {

/// How big the synthetic year is. The seed is fixed so that every run measures the same data.
struct YearShape {
    int customers = 20'000;
    int technicians = 40;
    int models = 150;
    int movements = 1'000'000;
    int verifications = 300'000;
    int documents = 50'000;
    int contracts = 5'000;
    std::uint64_t seed = 20'240'101;
};

/// The first day of the generated movements and the number of days they cover (2024-2026).
constexpr int kFirstYear = 2024;
constexpr int kDays = 366 + 365 + 365;

/// Copies the template folder into `folder` (replacing what is there) and fills the customers,
/// technicians, models, movements, verifications, documents and contracts tables.
/// Throws std::runtime_error on any failure.
void generateYear(const QString& templateFolder, const QString& folder,
                  const YearShape& shape = {});

/// The synthetic year cached in `folder`: generated only when it is missing, was made from
/// another template structure, generator or shape, or `force` is set. Answers whether it had to
/// be generated.
bool ensureYear(const QString& templateFolder, const QString& folder, const YearShape& shape = {},
                bool force = false);

/// The empty template the build generated (bin/vuoto of the build folder).
QString builtTemplateFolder();
/// Where the synthetic year is cached: $MISURATORI_BENCH_DATA, else bench-data in the build folder.
QString defaultYearFolder();

/// Fixed-seed random numbers (splitmix64), the same sequence with every compiler and library,
/// unlike the standard distributions.
class Random {
public:
    explicit Random(std::uint64_t seed)
        : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    /// Uniform in [0, n); n > 0.
    int below(int n) { return int(next() % std::uint64_t(n)); }
    /// Uniform in [low, high].
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    template <class Container> const auto& pick(const Container& items) {
        return items[std::size_t(below(int(std::size(items))))];
    }

private:
    std::uint64_t state_;
};

} // namespace bench
