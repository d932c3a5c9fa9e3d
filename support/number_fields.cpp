#include "support/number_fields.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>
#include <vector>

namespace {

std::string stars(int width) { return std::string(static_cast<std::size_t>(width > 0 ? width : 0), '*'); }

std::string right_justify(const std::string& s, int width) {
    if (width <= 0) return {};
    if (static_cast<int>(s.size()) > width) return stars(width);
    return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}

// NaN and infinities as Fortran writes them: "NaN", "Infinity" or "Inf"
// with a sign for negative infinity, whichever fits.
std::string non_finite_field(double v, int width) {
    if (std::isnan(v)) return right_justify("NaN", width);
    std::string sign = v < 0 ? "-" : "";
    std::string longer = sign + "Infinity";
    if (static_cast<int>(longer.size()) <= width) return right_justify(longer, width);
    return right_justify(sign + "Inf", width);
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The exponent of an E or ES field: "E", its sign and two digits; beyond 99
// the sign and three digits without the "E".
std::string exponent_part(int exponent) {
    const int ae = exponent < 0 ? -exponent : exponent;
    char ebuf[16];
    if (ae <= 99)
        std::snprintf(ebuf, sizeof ebuf, "E%c%02d", exponent < 0 ? '-' : '+', ae);
    else
        std::snprintf(ebuf, sizeof ebuf, "%c%03d", exponent < 0 ? '-' : '+', ae);
    return ebuf;
}

// Drops the optional "0" in front of the point ("0.5" -> ".5", "-0.5" ->
// "-.5") when the text is one character too wide for the field.  Without
// decimals the zero is the only digit and stays ("0." does not fit F1.0).
std::string drop_optional_zero(std::string s, int width) {
    if (static_cast<int>(s.size()) <= width) return s;
    std::size_t z = (!s.empty() && s[0] == '-') ? 1 : 0;
    if (s.size() > z + 2 && s[z] == '0' && s[z + 1] == '.' && is_digit(s[z + 2])) s.erase(z, 1);
    return s;
}

// Blanks of a free-form read: a tab or a line end counts as a blank.
bool is_blank_char(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// The item of a free-form read: leading blanks skipped, ends at a blank,
// comma or slash.
std::string_view free_form_item(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank_char(text[i])) ++i;
    std::size_t j = i;
    while (j < text.size() && !is_blank_char(text[j]) && text[j] != ',' && text[j] != '/') ++j;
    return text.substr(i, j - i);
}

// A real in Fortran's input form: sign, digits with an optional point, an
// optional exponent (E, D or Q with an optional sign, or a sign alone, then
// digits: "1.5E3", "1.5D-3", "1.5-3").  Returns the text in C form.
bool real_syntax(std::string_view item, std::string& c_form) {
    std::size_t i = 0;
    c_form.clear();
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) c_form += item[i++];
    std::size_t digits = 0;
    while (i < item.size() && is_digit(item[i])) { c_form += item[i++]; ++digits; }
    if (i < item.size() && item[i] == '.') {
        c_form += item[i++];
        while (i < item.size() && is_digit(item[i])) { c_form += item[i++]; ++digits; }
    }
    if (digits == 0) return false;
    if (i < item.size()) {
        const char c = item[i];
        const bool letter = c == 'e' || c == 'E' || c == 'd' || c == 'D' || c == 'q' || c == 'Q';
        if (!letter && c != '+' && c != '-') return false;
        c_form += 'e';
        if (letter) ++i;
        if (i < item.size() && (item[i] == '+' || item[i] == '-')) c_form += item[i++];
        std::size_t edigits = 0;
        while (i < item.size() && is_digit(item[i])) { c_form += item[i++]; ++edigits; }
        if (edigits == 0) return false;
    }
    return i == item.size();
}

}  // namespace

std::string int_field(long long v, int width) {
    if (width <= 0) return {};
    return right_justify(std::to_string(v), width);
}

std::string count_field(long long v, int width) {
    const std::string s = std::to_string(v);
    return static_cast<int>(s.size()) > width ? s : right_justify(s, width);
}

std::string zero_padded_field(long long v, int width) {
    if (width <= 0) return {};
    std::string s(static_cast<std::size_t>(width), '0');
    put_zero_padded(s.data(), v, width);
    return s;
}

void put_zero_padded(char* out, long long v, int width) {
    if (width <= 0) return;
    if (v < 0) {
        for (int i = 0; i < width; ++i) out[i] = '*';
        return;
    }
    unsigned long long u = static_cast<unsigned long long>(v);
    for (int i = width - 1; i >= 0; --i) {
        out[i] = static_cast<char>('0' + u % 10);
        u /= 10;
    }
    if (u != 0)
        for (int i = 0; i < width; ++i) out[i] = '*';
}

std::string fixed_field(double v, int width, int decimals) {
    if (width <= 0) return {};
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(v)) return non_finite_field(v, width);
    // The widest possible field is far below this; a longer text cannot fit.
    if (decimals > 400 || std::fabs(v) >= 1e300) return stars(width);
    char buf[800];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    std::string s = buf;
    // Fortran writes the point even without decimals ("12.").
    if (decimals == 0) s += '.';
    return right_justify(drop_optional_zero(s, width), width);
}

std::string exp_field(double v, int width, int decimals) {
    if (width <= 0) return {};
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(v)) return non_finite_field(v, width);
    if (decimals > 400) return stars(width);
    std::string digits;
    int exponent = 0;
    bool negative = std::signbit(v);
    if (v == 0.0 || decimals == 0) {
        digits.assign(static_cast<std::size_t>(decimals), '0');
        if (v != 0.0) {
            // No mantissa digits: only the exponent can be told.
            exponent = static_cast<int>(std::floor(std::log10(std::fabs(v)))) + 1;
        }
    } else {
        // d significant digits, correctly rounded: d.ddd e±x is 0.dddd e±(x+1).
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*e", decimals - 1, std::fabs(v));
        std::string t = buf;
        std::size_t epos = t.find('e');
        for (std::size_t k = 0; k < epos; ++k)
            if (is_digit(t[k])) digits += t[k];
        exponent = std::atoi(t.c_str() + epos + 1) + 1;
    }
    std::string s = negative ? "-" : "";
    s += "0.";
    s += digits;
    s += exponent_part(exponent);
    return right_justify(drop_optional_zero(s, width), width);
}

std::string sci_field(double v, int width, int decimals) {
    if (width <= 0) return {};
    if (decimals < 0) decimals = 0;
    if (!std::isfinite(v)) return non_finite_field(v, width);
    if (decimals > 400) return stars(width);
    std::string mantissa;
    int exponent = 0;
    if (v == 0.0) {
        mantissa = "0.";
        mantissa.append(static_cast<std::size_t>(decimals), '0');
    } else {
        char buf[512];
        std::snprintf(buf, sizeof buf, "%.*e", decimals, std::fabs(v));
        const std::string t = buf;
        const std::size_t epos = t.find('e');
        mantissa = t.substr(0, epos);
        exponent = std::atoi(t.c_str() + epos + 1);
    }
    if (decimals == 0) mantissa += '.';
    std::string s = std::signbit(v) ? "-" : "";
    s += mantissa;
    s += exponent_part(exponent);
    return right_justify(s, width);
}

std::string general_field(double v, int width, int digits) {
    if (width <= 0) return {};
    if (digits < 1) digits = 1;
    if (!std::isfinite(v)) return non_finite_field(v, width);
    if (digits > 400) return stars(width);
    const int fixed_width = width - 4;
    if (v == 0.0) return fixed_field(v, fixed_width, digits - 1) + "    ";
    // The exponent of the value rounded to `digits` significant digits
    // decides the form, so that a value rounding up to 0.1 is fixed and
    // one rounding up to 10^digits is not.
    char buf[512];
    std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(v));
    const int exponent = std::atoi(std::strchr(buf, 'e') + 1);
    if (exponent >= -1 && exponent < digits && fixed_width > 0)
        return fixed_field(v, fixed_width, digits - 1 - exponent) + "    ";
    return sci_field(v, width, digits - 1);
}

bool read_int(std::string_view text, int32_t& value) {
    std::string_view item = free_form_item(text);
    std::size_t i = 0;
    bool neg = false;
    if (i < item.size() && (item[i] == '+' || item[i] == '-')) neg = item[i++] == '-';
    if (i == item.size()) return false;
    long long v = 0;
    for (; i < item.size(); ++i) {
        if (!is_digit(item[i])) return false;
        v = v * 10 + (item[i] - '0');
        if (v > static_cast<long long>(INT32_MAX) + 1) return false;
    }
    if (neg) v = -v;
    if (v > INT32_MAX || v < INT32_MIN) return false;
    value = static_cast<int32_t>(v);
    return true;
}

namespace {

// A real of either precision; a value beyond the type's range is refused
// rather than stored as an infinity.
template <typename Real>
bool read_floating(std::string_view text, Real& value) {
    std::string c_form;
    if (!real_syntax(free_form_item(text), c_form)) return false;
    errno = 0;
    char* end = nullptr;
    Real v;
    if constexpr (std::is_same_v<Real, float>)
        v = std::strtof(c_form.c_str(), &end);
    else
        v = std::strtod(c_form.c_str(), &end);
    if (end != c_form.c_str() + c_form.size()) return false;
    if (errno == ERANGE && std::isinf(v)) return false;
    value = v;
    return true;
}

}  // namespace

bool read_double(std::string_view text, double& value) { return read_floating<double>(text, value); }

bool read_real(std::string_view text, float& value) { return read_floating<float>(text, value); }

bool read_real_list(std::string_view text, float* values, std::size_t count) {
    std::vector<float> got(count);
    std::size_t i = 0;
    for (std::size_t k = 0; k < count; ++k) {
        while (i < text.size() && is_blank_char(text[i])) ++i;
        if (k > 0 && i < text.size() && text[i] == ',') ++i;
        const std::string_view rest = text.substr(i);
        const std::string_view item = free_form_item(rest);
        if (item.empty() || !read_real(item, got[k])) return false;
        i += static_cast<std::size_t>(item.data() - rest.data()) + item.size();
    }
    std::copy(got.begin(), got.end(), values);
    return true;
}
