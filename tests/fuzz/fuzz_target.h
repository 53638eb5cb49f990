// What every fuzz target defines: libFuzzer's entry point, called once per input. In a fuzzing
// build (-DCRV5_FUZZ=ON, clang) libFuzzer drives it; otherwise replay_main.cpp runs it over the
// target's corpus, so that ctest replays every input that once mattered.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
