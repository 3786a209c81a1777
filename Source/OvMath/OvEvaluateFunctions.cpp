// The scalar evaluator: its numbers and its function table, with the process-wide
// generator of "rnd".
#define OV_SOURCE_FILE "Source/OvMath/OvEvaluateFunctions"
#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <numeric>

#include "OvCore/OvError.h"
#include "OvMath/OvEvaluate.h"

namespace {

using Values = std::span<const double>;

constexpr double QuietNaN()
{
    return std::bit_cast<double>(uint64_t{0x7FF8000000000000});
}

// The minimal standard Lehmer generator. Shared by every evaluator of the process and not
// locked: two threads may draw the same number, as the framework has always allowed.
constexpr uint64_t kLehmerMultiplier = 48271;
constexpr uint64_t kLehmerModulus = 2147483647;
std::atomic<uint32_t> gRandomState{0};  // 0: not seeded yet

void SeedOnFirstCall()
{
    uint32_t unseeded = 0;
    gRandomState.compare_exchange_strong(unseeded, OvEvaluateDouble::kRandomSeed, std::memory_order_relaxed);
}

double NextRandom()
{
    const uint64_t state = gRandomState.load(std::memory_order_relaxed) * kLehmerMultiplier % kLehmerModulus;
    gRandomState.store(static_cast<uint32_t>(state), std::memory_order_relaxed);
    return static_cast<double>(state) / static_cast<double>(kLehmerModulus);
}

double Reciprocal(double x)
{
    return x == 0.0 ? QuietNaN() : 1.0 / x;
}

double Quotient(double a, double b)
{
    return b == 0.0 ? QuietNaN() : a / b;
}

constexpr int32_t kAnyCount = -1;  // one argument or more

struct Function {
    const char* name;
    int32_t count;
    double (*apply)(Values);
};

// Fixed counts come first, so that "-" with two arguments is a difference.
constexpr Function kFunctions[] = {
    {"+", 1, [](Values v) { return v[0]; }},
    {"-", 1, [](Values v) { return -v[0]; }},
    {"!", 1, [](Values v) { return Reciprocal(v[0]); }},
    {"~", 1, [](Values v) { return v[0]; }},
    {"exp", 1, [](Values v) { return std::exp(v[0]); }},
    {"sin", 1, [](Values v) { return std::sin(v[0]); }},
    {"cos", 1, [](Values v) { return std::cos(v[0]); }},
    {"tan", 1, [](Values v) { return std::tan(v[0]); }},
    {"log", 1, [](Values v) { return std::log(v[0]); }},
    {"log10", 1, [](Values v) { return std::log10(v[0]); }},
    {"sqrt", 1, [](Values v) { return std::sqrt(v[0]); }},
    {"abs", 1, [](Values v) { return std::fabs(v[0]); }},
    {"fabs", 1, [](Values v) { return std::fabs(v[0]); }},
    {"frac", 1, [](Values v) { return v[0] - std::trunc(v[0]); }},
    {"rnd", 1, [](Values v) { return v[0] * NextRandom(); }},
    {"+", 2, [](Values v) { return v[0] + v[1]; }},
    {"-", 2, [](Values v) { return v[0] - v[1]; }},
    {"*", 2, [](Values v) { return v[0] * v[1]; }},
    {"/", 2, [](Values v) { return Quotient(v[0], v[1]); }},
    {"^", 2, [](Values v) { return std::pow(v[0], v[1]); }},
    {"pow", 2, [](Values v) { return std::pow(v[0], v[1]); }},
    {"<", 2, [](Values v) { return v[0] < v[1] ? 1.0 : 0.0; }},
    {">", 2, [](Values v) { return v[0] > v[1] ? 1.0 : 0.0; }},
    {"==", 2, [](Values v) { return v[0] == v[1] ? 1.0 : 0.0; }},
    {"atan2", 2, [](Values v) { return std::atan2(v[0], v[1]); }},
    {"if", 3, [](Values v) { return std::fabs(v[0]) < 0.5 ? v[2] : v[1]; }},
    {"min", kAnyCount, [](Values v) { return *std::min_element(v.begin(), v.end()); }},
    {"max", kAnyCount, [](Values v) { return *std::max_element(v.begin(), v.end()); }},
    {"sum", kAnyCount, [](Values v) { return std::accumulate(v.begin(), v.end(), 0.0); }},
    // The language defines "avg" as the largest argument and "norm" as the mean, whatever
    // the names suggest.
    {"avg", kAnyCount, [](Values v) { return *std::max_element(v.begin(), v.end()); }},
    {"norm", kAnyCount, [](Values v) { return std::accumulate(v.begin(), v.end(), 0.0) / static_cast<double>(v.size()); }},
};

bool Accepts(const Function& function, const OvString& name, size_t count)
{
    const bool countFits = function.count == kAnyCount ? count >= 1 : count == static_cast<size_t>(function.count);
    return countFits && std::strcmp(function.name, name.Chars()) == 0;
}

}  // namespace

double OvEvaluateDoubleFunction(const OvString& name, Values arguments)
{
    SeedOnFirstCall();
    for (const Function& function : kFunctions) {
        if (Accepts(function, name, arguments.size())) return function.apply(arguments);
    }
    OV_RAISE(kOvUndefProc, "OvUndefProc");
}

double OvEvaluateDouble::CallFunction(const OvString& name, Values arguments)
{
    return OvEvaluateDoubleFunction(name, arguments);
}

double OvEvaluateDouble::ReadNumber()
{
    return TokenToNumber();
}

void OvEvaluateDouble::SeedRandom(uint32_t state)
{
    gRandomState.store(state, std::memory_order_relaxed);
}
