// Free-form console lines of the track readers' echo.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "support/console.h"
#include "support/le_bytes.h"
#include "support/number_fields.h"

/// Builds one free-form console line item by item (a blank before each item,
/// as console_free does) and prints it with put().
class ftr_echo {
public:
    template <typename T>
    ftr_echo& operator<<(const T& v) {
        line_ += ' ';
        console_detail::put_item(line_, v);
        return *this;
    }
    void put() {
        console_line(line_);
        line_.clear();
    }

private:
    std::string line_;
};

/// A 32-bit value as 8 upper-case hexadecimal digits.
inline std::string ftr_hex8(uint32_t v) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%08X", static_cast<unsigned>(v));
    return buf;
}

/// A byte as 2 upper-case hexadecimal digits.
inline std::string ftr_hex2(unsigned v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X", v & 0xFFu);
    return buf;
}

/// Bytes as characters for a dump, control and non-ASCII bytes as ".".
inline std::string ftr_printable(const unsigned char* p, std::size_t n) {
    std::string s;
    for (std::size_t i = 0; i < n; ++i) s += (p[i] >= 32 && p[i] < 127) ? static_cast<char>(p[i]) : '.';
    return s;
}
inline std::string ftr_printable(const std::string& s) {
    return ftr_printable(reinterpret_cast<const unsigned char*>(s.data()), s.size());
}

/// One line of a word dump: `label` (a position or a word number), the four
/// bytes at `p` in hexadecimal, then the word as int32, as float32 in
/// scientific notation with 9 decimals and as four characters.
inline std::string ftr_word_line(long long label, const unsigned char* p) {
    LeBytes b(p, 4);
    int32_t i = 0;
    float f = 0;
    b.i32(0, i);
    b.f32(0, f);
    std::string line = int_field(label, 6);
    for (int j = 0; j < 4; ++j) {
        line += ' ';
        line += ftr_hex2(p[j]);
    }
    line += int_field(i, 13);
    line += ' ';
    line += exp_field(f, 17, 9);
    line += ' ';
    line += ftr_printable(p, 4);
    return line;
}
