#pragma once

#include "../common/Catalogue.h"

#include <cstdio>
#include <cstdlib>

// The catalogue and band table the program registers at start-up.
using FuzzTables = Catalogue;

// A broken promise of the codec: libFuzzer keeps the input that led here.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "codec promise broken: %s\n", what);
    std::abort();
}
