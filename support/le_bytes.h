// Little-endian decoding of binary files with bounds checks.
//
// The simulator's binary files (flight tracks, terrain headers) are read
// into a byte buffer first and decoded field by field from it: never through
// a struct cast, and never outside the bytes the file really holds.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

/// A read-only view of a byte buffer with little-endian accessors.  Every
/// accessor takes an absolute byte offset and reports whether the field lies
/// wholly inside the buffer; a field that does not leaves the output alone.
class LeBytes {
public:
    LeBytes() = default;
    LeBytes(const unsigned char* data, std::size_t size) : data_(data), size_(size) {}
    explicit LeBytes(const std::vector<unsigned char>& v) : data_(v.data()), size_(v.size()) {}
    explicit LeBytes(std::string_view s)
        : data_(reinterpret_cast<const unsigned char*>(s.data())), size_(s.size()) {}

    std::size_t size() const { return size_; }
    const unsigned char* data() const { return data_; }

    /// True when bytes [offset, offset + n) are inside the buffer.
    bool has(std::size_t offset, std::size_t n) const {
        return offset <= size_ && n <= size_ - offset;
    }

    bool u8(std::size_t off, std::uint8_t& v) const {
        if (!has(off, 1)) return false;
        v = data_[off];
        return true;
    }
    bool i8(std::size_t off, std::int8_t& v) const {
        std::uint8_t u;
        if (!u8(off, u)) return false;
        v = static_cast<std::int8_t>(u);
        return true;
    }
    bool u16(std::size_t off, std::uint16_t& v) const {
        if (!has(off, 2)) return false;
        v = static_cast<std::uint16_t>(data_[off] | (data_[off + 1] << 8));
        return true;
    }
    bool i16(std::size_t off, std::int16_t& v) const {
        std::uint16_t u;
        if (!u16(off, u)) return false;
        v = static_cast<std::int16_t>(u);
        return true;
    }
    bool u32(std::size_t off, std::uint32_t& v) const {
        if (!has(off, 4)) return false;
        v = static_cast<std::uint32_t>(data_[off]) | (static_cast<std::uint32_t>(data_[off + 1]) << 8) |
            (static_cast<std::uint32_t>(data_[off + 2]) << 16) |
            (static_cast<std::uint32_t>(data_[off + 3]) << 24);
        return true;
    }
    bool i32(std::size_t off, std::int32_t& v) const {
        std::uint32_t u;
        if (!u32(off, u)) return false;
        v = static_cast<std::int32_t>(u);
        return true;
    }
    bool u64(std::size_t off, std::uint64_t& v) const {
        std::uint32_t lo = 0, hi = 0;
        if (!has(off, 8)) return false;
        u32(off, lo);
        u32(off + 4, hi);
        v = (static_cast<std::uint64_t>(hi) << 32) | lo;
        return true;
    }
    bool f32(std::size_t off, float& v) const {
        std::uint32_t u;
        if (!u32(off, u)) return false;
        std::memcpy(&v, &u, sizeof v);
        return true;
    }
    bool f64(std::size_t off, double& v) const {
        std::uint64_t u;
        if (!u64(off, u)) return false;
        std::memcpy(&v, &u, sizeof v);
        return true;
    }
    /// `n` raw bytes as a string (NUL bytes included).
    bool bytes(std::size_t off, std::size_t n, std::string& v) const {
        if (!has(off, n)) return false;
        v.assign(reinterpret_cast<const char*>(data_ + off), n);
        return true;
    }

private:
    const unsigned char* data_ = nullptr;
    std::size_t size_ = 0;
};

/// Value-returning field readers over a LeBytes view, for decoders that
/// have checked the buffer's length once for a whole record or header: a
/// field outside the buffer reads as 0 instead of failing.  Signed and
/// unsigned bytes and 16-bit words come back widened to int32.
struct LeFields {
    LeBytes b;

    std::int32_t i8(std::size_t o) const {
        std::int8_t v = 0;
        b.i8(o, v);
        return v;
    }
    std::int32_t u8(std::size_t o) const {
        std::uint8_t v = 0;
        b.u8(o, v);
        return v;
    }
    std::int32_t i16(std::size_t o) const {
        std::int16_t v = 0;
        b.i16(o, v);
        return v;
    }
    std::int32_t i32(std::size_t o) const {
        std::int32_t v = 0;
        b.i32(o, v);
        return v;
    }
    std::uint32_t u32(std::size_t o) const {
        std::uint32_t v = 0;
        b.u32(o, v);
        return v;
    }
    float f32(std::size_t o) const {
        float v = 0;
        b.f32(o, v);
        return v;
    }
    double f64(std::size_t o) const {
        double v = 0;
        b.f64(o, v);
        return v;
    }
};

/// Appends little-endian encodings to a byte buffer (used by writers and by
/// the tests' file builders).
namespace le_put {
inline void u8(std::vector<unsigned char>& b, std::uint8_t v) { b.push_back(v); }
inline void u16(std::vector<unsigned char>& b, std::uint16_t v) {
    b.push_back(static_cast<unsigned char>(v));
    b.push_back(static_cast<unsigned char>(v >> 8));
}
inline void u32(std::vector<unsigned char>& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<unsigned char>(v >> (8 * i)));
}
inline void i32(std::vector<unsigned char>& b, std::int32_t v) { u32(b, static_cast<std::uint32_t>(v)); }
inline void f32(std::vector<unsigned char>& b, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, sizeof u);
    u32(b, u);
}
inline void f64(std::vector<unsigned char>& b, double v) {
    std::uint64_t u;
    std::memcpy(&u, &v, sizeof u);
    u32(b, static_cast<std::uint32_t>(u));
    u32(b, static_cast<std::uint32_t>(u >> 32));
}
inline void bytes(std::vector<unsigned char>& b, std::string_view s) { b.insert(b.end(), s.begin(), s.end()); }
}  // namespace le_put
