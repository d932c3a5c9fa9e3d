#include "support/text_format.h"

#include <cmath>
#include <cstdlib>

#include "support/console.h"
#include "support/ftext.h"
#include "support/program_settings.h"
#include "support/number_fields.h"

namespace {

std::string adjusted(const std::string& field, int32_t& lb) {
    std::string r(left_adjust(field));
    lb = static_cast<int32_t>(r.size());
    return r;
}

// A Fortran descriptor such as "(F16.6)", "F12.2" or "(E16.6)".
bool parse_descriptor(std::string_view fstr, char& kind, int& width, int& decimals) {
    std::string_view s = left_adjust(fstr);
    if (!s.empty() && s.front() == '(') s.remove_prefix(1);
    if (!s.empty() && s.back() == ')') s.remove_suffix(1);
    if (s.empty()) return false;
    kind = s[0];
    if (kind == 'f') kind = 'F';
    if (kind == 'e') kind = 'E';
    if (kind != 'F' && kind != 'E') return false;
    s.remove_prefix(1);
    std::size_t dot = s.find('.');
    if (dot == std::string_view::npos) return false;
    auto number = [](std::string_view t, int& v) {
        if (t.empty() || t.size() > 3) return false;
        v = 0;
        for (char c : t) {
            if (c < '0' || c > '9') return false;
            v = v * 10 + (c - '0');
        }
        return true;
    };
    return number(s.substr(0, dot), width) && number(s.substr(dot + 1), decimals) && width > 0;
}

}  // namespace

std::string i2b(int32_t ii4, int32_t& lb) { return adjusted(int_field(ii4, 16), lb); }

std::string i2b(int32_t ii4) {
    int32_t lb;
    return i2b(ii4, lb);
}

std::string f2b(float rr4, std::string_view fstr, int32_t& lb) {
    char kind;
    int width, decimals;
    if (!parse_descriptor(fstr, kind, width, decimals)) {
        lb = 0;
        return {};
    }
    const double v = rr4;
    if (kind == 'E') {
        std::string t = exp_field(v, width, decimals);
        if (t.find('.') != std::string::npos) {
            std::size_t e = t.find('E');
            if (e != std::string::npos) {
                std::size_t z = e;
                while (z > 0 && t[z - 1] == '0') --z;
                t.erase(z, e - z);
            }
        }
        if (trim_right(t) == "0.E+00") t = "0";
        return adjusted(t, lb);
    }
    std::string t = fixed_field(v, width, decimals);
    if (std::isfinite(v) && std::fabs(v) > 1.0) {
        // The decimal count is capped so that at most nine significant
        // digits are written.  The logarithm is taken of the exact value:
        // a value just below a power of ten (999.99988) keeps the decimals
        // of the lower decade.
        int nd0 = static_cast<int>(std::log10(std::fabs(v)));
        int ndmax = 8 - nd0 > 0 ? 8 - nd0 : 0;
        if (ndmax < decimals) t = fixed_field(v, width, ndmax);
    }
    if (t.find('.') != std::string::npos) {
        while (!t.empty() && t.back() == '0') t.pop_back();
        if (!t.empty() && t.back() == '.') t.pop_back();
    }
    return adjusted(t, lb);
}

std::string f2b(float rr4, std::string_view fstr) {
    int32_t lb;
    return f2b(rr4, fstr, lb);
}

std::string t2b(float rr4, int32_t& lb) {
    std::string text;
    // Times beyond the integer range (or not numbers) show asterisks only.
    if (!std::isfinite(rr4) || std::fabs(rr4) > 2.0e9f) {
        text = "**:**:**";
    } else {
        long long h = static_cast<long long>(rr4);
        float t = (rr4 - static_cast<float>(h)) * 3600.0f;
        long long m = static_cast<long long>(t / 60.0f);
        long long s = static_cast<long long>(std::fmod(t, 60.0f));
        text = zero_padded_field(h, 2) + ":" + zero_padded_field(m, 2) + ":" + zero_padded_field(s, 2);
    }
    lb = static_cast<int32_t>(text.size());
    return text;
}

std::string t2b(float rr4) {
    int32_t lb;
    return t2b(rr4, lb);
}

std::string l2b(bool qqq, int32_t& lb) {
    lb = 1;
    return qqq ? "1" : "0";
}

std::string k2b(int32_t kkk, int32_t& lb) {
    int32_t nbits = kkk / 10000;
    int32_t key = kkk - nbits * 10000;
    if (key > 5000) {
        key -= 10000;
        nbits += 1;
    }
    console_free(nbits, key);
    std::string text;
    if (key == 0) {
        text = "0";
    } else {
        if (nbits & 8) text += "LONG+";
        if (nbits & 1) text += "CTRL+";
        if (nbits & 2) text += "SHFT+";
        if (nbits & 4) text += "ALT+";
        if (key < 0) {
            text += "SCN" + std::to_string(-static_cast<long long>(key));
        } else if (key >= 34 && key <= 126) {
            text += '"';
            text += static_cast<char>(key);
            text += '"';
        } else {
            text += "ASC" + std::to_string(key);
        }
    }
    lb = static_cast<int32_t>(text.size());
    return text;
}

int32_t b2k(std::string_view buff) {
    std::string_view s = buff.substr(0, buff.size() < 128 ? buff.size() : 128);
    std::string_view rest = s;
    int32_t nbits = 0;
    struct Modifier {
        std::string_view word;
        int32_t bit;
    };
    static const Modifier modifiers[] = {{"LONG+", 8}, {"CTRL+", 1}, {"SHFT+", 2}, {"ALT+", 4}};
    for (const Modifier& m : modifiers) {
        if (rest.substr(0, m.word.size()) == m.word) {
            nbits += m.bit;
            rest.remove_prefix(m.word.size());
        }
    }
    int32_t code = 0;
    std::string_view body = trim_right(rest);
    if (body.size() >= 3 && body[0] == '"' && body[2] == '"') {
        code = static_cast<unsigned char>(body[1]);
    } else if (body.substr(0, 3) == "ASC") {
        if (!read_int(body.substr(3), code)) code = 0;
    } else if (body.substr(0, 3) == "SCN") {
        if (read_int(body.substr(3), code) && code != INT32_MIN)
            code = -code;
        else
            code = 0;
    } else if (!read_int(body, code)) {
        code = 0;
    }
    long long result = static_cast<long long>(code) + static_cast<long long>(nbits) * 10000;
    if (result > INT32_MAX || result < INT32_MIN) result = 0;
    console_free(trim_right(s), result);
    return static_cast<int32_t>(result);
}

bool is_true(std::string_view cc) { return !cc.empty() && (cc[0] == '1' || cc[0] == 'Y' || cc[0] == 'y'); }

int32_t log2int(bool qqq) { return qqq ? 1 : 0; }

void strcpy_c2f(const char* in_str, std::string& out_str, int32_t& ls, std::size_t out_len) {
    if (cmndta001.qdebug0) console_free("strcpy_c2f", ls);
    // 0 asks for the whole field; a negative count copies nothing.
    std::size_t limit = ls == 0 ? out_len : ls < 0 ? 0 : static_cast<std::size_t>(ls);
    if (limit > out_len) limit = out_len;
    std::size_t n = 0;
    if (in_str)
        while (n < limit && in_str[n] != '\0') ++n;
    out_str = fit(std::string_view(in_str ? in_str : "", n), out_len);
    ls = static_cast<int32_t>(n);
    if (cmndta001.qdebug0) console_free("strcpy_c2f", ls);
}

void strcpy_f2c(std::string_view in_str, char* out_str, int32_t& ls) {
    if (cmndta001.qdebug0) console_free("strcpy_f2c", ls);
    std::string_view t = trim_right(in_str);
    ls = static_cast<int32_t>(t.size());
    if (out_str) {
        t.copy(out_str, t.size());
        out_str[t.size()] = '\0';
    }
    if (cmndta001.qdebug0) console_free("strcpy_f2c", ls);
}
