#include "numbers.h"

#include "runtimeerror.h"

#include <cfloat>
#include <chrono>
#include <cmath>
#include <random>

namespace {

std::mt19937 &generator()
{
    static std::mt19937 engine{0x5eed};
    return engine;
}

} // namespace

float Int(float value)
{
    return std::floor(checkedSingle(value));
}

double Int(double value)
{
    return std::floor(checkedDouble(value));
}

float Rnd()
{
    // 24 random bits scaled by 2^-24 are exactly representable in single
    // precision, so the largest value is 1 - 2^-24 and 1 never occurs.
    const auto bits = generator()() >> 8;
    return float(bits) * 0x1p-24f;
}

void Randomize()
{
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    Randomize(static_cast<unsigned long long>(ticks));
}

void Randomize(unsigned long long seed)
{
    std::seed_seq sequence{unsigned(seed), unsigned(seed >> 32)};
    generator().seed(sequence);
}

float checkedSingle(double value)
{
    if (std::isnan(value))
        throw RuntimeError::invalidCall();
    if (std::fabs(value) > FLT_MAX)
        throw RuntimeError::overflow();
    return static_cast<float>(value);
}

double checkedDouble(double value)
{
    if (std::isnan(value))
        throw RuntimeError::invalidCall();
    if (std::isinf(value))
        throw RuntimeError::overflow();
    return value;
}

float divideSingle(float dividend, float divisor)
{
    if (divisor == 0.0f) {
        if (dividend == 0.0f || std::isnan(dividend))
            throw RuntimeError::invalidCall();
        throw RuntimeError::divisionByZero();
    }
    return checkedSingle(double(dividend) / double(divisor));
}

double Pmt(double rate, double periods, double presentValue, double futureValue, int due)
{
    checkedDouble(rate);
    checkedDouble(periods);
    checkedDouble(presentValue);
    checkedDouble(futureValue);
    if (periods == 0.0)
        throw RuntimeError::invalidCall();
    if (rate == 0.0)
        return checkedDouble(-(presentValue + futureValue) / periods);

    // (1 + rate)^periods - 1 through log1p and expm1, so that a rate too
    // small to change 1 + rate still counts: pow's growth - 1 would be 0.
    const bool aboveMinusOne = rate > -1.0;
    const double exponent = aboveMinusOne ? periods * std::log1p(rate) : 0.0;
    const double growth = aboveMinusOne ? std::exp(exponent) : std::pow(1.0 + rate, periods);
    const double growthLessOne = aboveMinusOne ? std::expm1(exponent) : growth - 1.0;
    const double timing = due != 0 ? 1.0 + rate : 1.0;
    const double denominator = growthLessOne * timing;
    if (denominator == 0.0)
        throw RuntimeError::divisionByZero();
    return checkedDouble(-(presentValue * growth + futureValue) * rate / denominator);
}
