#include "platform/heap.h"

#include <malloc.h>

namespace {

// Freed memory at the heap's top up to this much stays in the process.
constexpr int keptTopBytes = 256 << 20;
// The heap grows by at least this much at a time; pages never touched are
// not resident, so this costs address space, not memory.
constexpr int growthPadBytes = 64 << 20;

}  // namespace

void keepFreedHeapPages() {
  mallopt(M_TRIM_THRESHOLD, keptTopBytes);
  mallopt(M_TOP_PAD, growthPadBytes);
}
