// Val, the 16-bit Integer, single precision and Pmt: any input gives a
// number or the runtime's error, never undefined behaviour; Val reads back
// what Qt writes, and Integer arithmetic agrees with 64-bit arithmetic.

#include "fuzzinput.h"
#include "integer.h"
#include "numbers.h"
#include "runtimeerror.h"
#include "val.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzInput in(data, size);
    try {
        Val(in.text(128));
    } catch (const RuntimeError &) {
    }

    const double number = in.take<double>();
    if (std::isfinite(number)) {
        const double read = Val(QString::number(number, 'g', 17));
        if (read != number)
            checkFailed("Val did not read back a number that Qt wrote");
    }

    const auto a = in.take<qint16>();
    const auto b = in.take<qint16>();
    const qint64 sum = qint64(a) + b;
    try {
        if ((Integer(a) + Integer(b)).value() != sum)
            checkFailed("Integer addition is wrong");
        if (sum < Integer::min || sum > Integer::max)
            checkFailed("Integer addition did not overflow");
    } catch (const RuntimeError &) {
        if (sum >= Integer::min && sum <= Integer::max)
            checkFailed("Integer addition overflowed within range");
    }
    try {
        Integer::fromDouble(in.take<double>());
        checkedSingle(in.take<double>());
        divideSingle(in.take<float>(), in.take<float>());
    } catch (const RuntimeError &) {
    }

    const double rate = in.take<double>();
    const double periods = in.take<double>();
    const double present = in.take<double>();
    const double future = in.take<double>();
    try {
        const double payment = Pmt(rate, periods, present, future, in.take<std::uint8_t>() & 1);
        // With no interest the payment is the plain share of each period.
        if (rate == 0.0 && std::fabs(payment + (present + future) / periods) > 1e-9 * std::fabs(payment))
            checkFailed("Pmt without interest is wrong");
    } catch (const RuntimeError &) {
    }
    return 0;
}
