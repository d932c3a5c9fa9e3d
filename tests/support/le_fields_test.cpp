// Value-returning field readers: widening, sign extension and zero outside.

#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "support/le_bytes.h"

namespace {

TEST(LeFields, ReadsFieldsAndGivesZeroOutside) {
    std::vector<unsigned char> b = {0xC8, 0xFB, 0xFF, 0x78, 0x56, 0x34, 0x12};
    le_put::f32(b, 1.5f);
    le_put::f64(b, -2.25);
    const LeFields r{LeBytes(b)};
    EXPECT_EQ(r.i8(0), -56);
    EXPECT_EQ(r.u8(0), 200);
    EXPECT_EQ(r.i16(1), -5);
    EXPECT_EQ(r.i32(3), 0x12345678);
    EXPECT_EQ(r.u32(0), 0x78FFFBC8u);
    EXPECT_EQ(r.f32(7), 1.5f);
    EXPECT_EQ(r.f64(11), -2.25);
    // A field that reaches past the end, even by one byte, reads as 0.
    const std::size_t end = b.size();
    EXPECT_EQ(r.i8(end), 0);
    EXPECT_EQ(r.u8(end), 0);
    EXPECT_EQ(r.i16(end - 1), 0);
    EXPECT_EQ(r.i32(end - 3), 0);
    EXPECT_EQ(r.u32(end - 3), 0u);
    EXPECT_EQ(r.f32(end - 3), 0.0f);
    EXPECT_EQ(r.f64(end - 7), 0.0);
    EXPECT_EQ(r.i32(SIZE_MAX), 0);
    EXPECT_EQ(LeFields{}.i32(0), 0);
}

}  // namespace
