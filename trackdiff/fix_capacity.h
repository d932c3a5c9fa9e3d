// The comparison's estimate of the fixes a log holds.
#pragma once

#include <cstdint>

/// Fixes expected in a log of `size_bytes` bytes: size x 1.1 / 35 (an IGC
/// B record and its share of the other records), computed in single
/// precision and rounded to the nearest integer, halves away from zero; 0
/// for a size below 0.  Only an estimate to reserve room: the reader stores
/// every fix whatever it says.
int64_t fix_capacity(int64_t size_bytes);
