// The monotonic clock and thread sleep: the only timing the program uses.
#pragma once
#include <cstdint>

// Milliseconds from an arbitrary origin, wrapping like an unsigned 32-bit
// counter; differences of two readings are taken in unsigned arithmetic.
uint32_t clockMilliseconds();

// Nanoseconds on the monotonic clock, from an arbitrary origin.
uint64_t monotonicNanoseconds();

// Blocks the calling thread until the monotonic clock reads at least when.
void sleepUntilNanoseconds(uint64_t when);

// Blocks the calling thread for about the given number of milliseconds.
void sleepMilliseconds(uint32_t milliseconds);

// Tools and tests replace the sleep (to skip or record a pause); returns the
// function that was in place so it can be restored.
using SleepFunction = void (*)(uint32_t milliseconds);
SleepFunction replaceSleepFunction(SleepFunction replacement);
