#include "platform/clock.h"

#include <cerrno>
#include <ctime>

namespace {

void realSleep(uint32_t milliseconds) {
  timespec rest{static_cast<time_t>(milliseconds / 1000),
                static_cast<long>(milliseconds % 1000) * 1000000L};
  while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
  }
}

SleepFunction currentSleep = realSleep;

}  // namespace

uint32_t clockMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  const uint64_t ms = static_cast<uint64_t>(now.tv_sec) * 1000u +
                      static_cast<uint64_t>(now.tv_nsec) / 1000000u;
  return static_cast<uint32_t>(ms);
}

uint64_t monotonicNanoseconds() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

void sleepUntilNanoseconds(uint64_t when) {
  const timespec until{static_cast<time_t>(when / 1000000000u),
                       static_cast<long>(when % 1000000000u)};
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

void sleepMilliseconds(uint32_t milliseconds) { currentSleep(milliseconds); }

SleepFunction replaceSleepFunction(SleepFunction replacement) {
  SleepFunction previous = currentSleep;
  currentSleep = replacement ? replacement : realSleep;
  return previous;
}
