// The unit conversions the benchmark's figures need, named once.
#pragma once

constexpr double millisecondsPerSecond = 1000.0;
constexpr double microsecondsPerMillisecond = 1000.0;
constexpr double microsecondsPerSecond = 1.0e6;
constexpr double nanosecondsPerMillisecond = 1.0e6;
constexpr double percent = 100.0;
