#pragma once

namespace mereth::test {

// Every allocation through the global operator new in the native test program so far
// (the replacement lives in tests/native/allocation_counter.cpp).
long AllocationCount();

} // namespace mereth::test
