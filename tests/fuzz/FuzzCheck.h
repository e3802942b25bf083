#pragma once

#include <cstdlib>

// An invariant of the code under test: when it fails, libFuzzer keeps the input as a crash and
// prints the stack down to the check.
#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort())
