#include "support/le_bytes.h"

#include <gtest/gtest.h>

TEST(LeBytes, DecodesLittleEndianFields) {
    std::vector<unsigned char> b;
    le_put::u16(b, 0xFFFE);
    le_put::i32(b, -2);
    le_put::f32(b, 1.5f);
    le_put::f64(b, -0.25);
    LeBytes r(b);
    std::int16_t s = 0;
    std::int32_t i = 0;
    float f = 0;
    double d = 0;
    ASSERT_TRUE(r.i16(0, s));
    ASSERT_TRUE(r.i32(2, i));
    ASSERT_TRUE(r.f32(6, f));
    ASSERT_TRUE(r.f64(10, d));
    EXPECT_EQ(s, -2);
    EXPECT_EQ(i, -2);
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(d, -0.25);
}

TEST(LeBytes, RefusesFieldsPastTheEnd) {
    std::vector<unsigned char> b{1, 2, 3};
    LeBytes r(b);
    std::int32_t v = 77;
    EXPECT_FALSE(r.i32(0, v));
    EXPECT_FALSE(r.i32(static_cast<std::size_t>(-1), v));
    EXPECT_EQ(v, 77);
    std::uint8_t u = 0;
    EXPECT_TRUE(r.u8(2, u));
    EXPECT_FALSE(r.u8(3, u));
    EXPECT_TRUE(r.has(3, 0));
}
