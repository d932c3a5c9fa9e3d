#include "trackdiff/fix_capacity.h"

#include <cmath>

int64_t fix_capacity(int64_t size_bytes) {
    if (size_bytes < 0) return 0;
    const float q = static_cast<float>(size_bytes) * 1.1f / 35.0f;
    return static_cast<int64_t>(std::llround(q));
}
