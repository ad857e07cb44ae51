#pragma once

// Floating-point functions of the form runtime, with its checks: a result
// that is not a number throws RuntimeError::invalidCall(), one beyond the
// range of its type throws RuntimeError::overflow(), a division by zero
// throws RuntimeError::divisionByZero().

// The largest whole number not greater than value: Int(-0.5) is -1.
float Int(float value);
double Int(double value);

// The next number of the random sequence: single precision, 0 <= r < 1,
// evenly spread over 2^24 steps.
float Rnd();
// Reseeds the random sequence from a high-resolution clock, so two seeds
// taken within the same second still differ.
void Randomize();
// Reseeds the random sequence with a fixed seed, for repeatable sequences.
void Randomize(unsigned long long seed);

// value held in single precision, checked for invalid operation and overflow.
float checkedSingle(double value);
// value checked for invalid operation and overflow in double precision.
double checkedDouble(double value);
// dividend / divisor in single precision, with the runtime's checks.
float divideSingle(float dividend, float divisor);

// The payment per period of a loan or annuity: rate per period, number of
// periods, present value, future value, and payment at the start (1) or the
// end (0) of each period. Money paid out is negative.
double Pmt(double rate, double periods, double presentValue, double futureValue = 0.0, int due = 0);
