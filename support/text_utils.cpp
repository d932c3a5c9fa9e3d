#include "support/text_utils.h"

#include <cmath>
#include <cstring>
#include <random>

#include "support/console.h"
#include "support/ftext.h"
#include "support/number_fields.h"

namespace {

char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

void replace_all(std::string& s, char from, char to) {
    for (char& c : s)
        if (c == from) c = to;
}

void remove_enclosing(std::string& buff, char q) {
    std::string_view t = trim_right(buff);
    if (t.size() >= 2 && t.front() == q && t.back() == q) buff = std::string(t.substr(1, t.size() - 2));
}

// Every `from1` becomes `to1` and every `from2` becomes `to2`, in one pass.
void swap_pairs(std::string& s, char from1, char to1, char from2, char to2) {
    for (char& c : s) {
        if (c == from1)
            c = to1;
        else if (c == from2)
            c = to2;
    }
}

}  // namespace

void majusc(std::string& strng) {
    for (char& c : strng) c = upper(c);
}

void minusc(std::string& strng) {
    for (char& c : strng)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
}

bool case_blind_compare(std::string_view s1, std::string_view s2) {
    std::string_view a = trim_right(s1), b = trim_right(s2);
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (upper(a[i]) != upper(b[i])) return false;
    return true;
}

bool is_num(std::string_view str) {
    std::string_view t = trim_right(str);
    if (t.empty()) return false;
    for (char c : t)
        if (!((c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'E' || c == 'e')) return false;
    return true;
}

bool is_uint(std::string_view str) {
    std::string_view t = trim_right(str);
    if (t.empty()) return false;
    for (char c : t)
        if (c < '0' || c > '9') return false;
    return true;
}

int32_t list_index(std::string_view buff, int32_t nb, const std::vector<std::string>& list) {
    for (int32_t i = 0; i < nb && static_cast<std::size_t>(i) < list.size(); ++i)
        if (same_text(list[static_cast<std::size_t>(i)], buff)) return i + 1;
    return 0;
}

void make_printable(std::string& str) { replace_all(str, '\n', '/'); }

void remove_trail_0(std::string& buff) {
    std::size_t p = buff.find('\0');
    if (p != std::string::npos) buff.erase(p);
    buff = std::string(trim_right(buff));
}

void remove_0(std::string& buff) {
    console_free(static_cast<int>(trim_right(buff).size()), trim_right(buff));
    std::string r;
    for (char c : buff)
        if (c != '\0') r += c;
    buff = std::string(trim_right(r));
    console_free(static_cast<int>(buff.size()), buff);
}

void remove_quotes(std::string& buff) { remove_enclosing(buff, '"'); }

void remove_simple_quotes(std::string& buff) { remove_enclosing(buff, '\''); }

void quote_spaces(std::string& strng, std::size_t width) {
    std::string_view t = trim_right(strng);
    if (t.find(' ') != std::string_view::npos) {
        console_free(t);
        strng = fit("\"" + std::string(t) + "\"", width);
        console_free(strng);
    }
    console_free(trim_right(strng));
}

std::string joined(const std::vector<std::string>& items, std::string_view sep) {
    std::string out;
    for (const std::string& i : items) {
        if (!out.empty()) out += sep;
        out += i;
    }
    return out;
}

void subs_comma(std::string& ligne) { replace_all(ligne, ',', ';'); }

void subs_dot_comma(std::string& ligne) { swap_pairs(ligne, ',', ';', '.', ','); }

void from_frcsv(std::string& ligne) { swap_pairs(ligne, ',', '.', ';', ','); }

void to_frcsv(std::string& ligne) {
    std::string_view t = trim_right(ligne);
    std::size_t first_comma = t.find(',');
    std::size_t first_end = first_comma == std::string_view::npos ? t.size() : first_comma;
    std::string_view first_field = t.substr(0, first_end);
    console_free(static_cast<int>(t.size()),
                 first_comma == std::string_view::npos ? 0 : static_cast<int>(first_comma + 1),
                 is_num(first_field), first_field);
    std::string out(t);
    bool quoted = false;
    bool numeric = false;
    bool field_start = true;
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (field_start) {
            std::size_t end = t.find(',', i);
            if (end == std::string_view::npos) end = t.size();
            numeric = is_num(t.substr(i, end - i));
            field_start = false;
        }
        char c = out[i];
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',') {
            out[i] = ';';
            field_start = true;
        } else if (c == '.' && numeric && !quoted) {
            out[i] = ',';
        }
    }
    ligne = out;
}

void to_hms(float secs, std::string& ccc, std::size_t ccc_len) {
    std::string text;
    if (!std::isfinite(secs) || std::fabs(secs) > 2.0e9f) {
        text = "**:**:**";
    } else {
        long long s = static_cast<long long>(secs);
        long long c = static_cast<long long>((secs - static_cast<float>(s)) * 100.0f);
        long long h = s / 3600, m = (s % 3600) / 60, sec = s % 60;
        text = int_field(h, 2) + ":" + zero_padded_field(m, 2) + ":" + zero_padded_field(sec, 2);
        if (c > 0 && ccc_len >= 11) text += "." + zero_padded_field(c, 2);
    }
    ccc = fit(text, ccc_len);
}

void to_hms_c(float secs, char* ccc) {
    console_free(secs);
    std::string t;
    to_hms(secs, t, 8);
    std::string field = pad_right(t, 8);
    if (ccc) {
        std::memcpy(ccc, field.data(), 8);
        ccc[8] = '\0';
    }
}

int32_t hms2sec(std::string_view cc1) {
    std::string_view s = cc1.substr(0, cc1.size() < 16 ? cc1.size() : 16);
    std::size_t p1 = s.find(':');
    if (p1 == std::string_view::npos) return -999;
    std::size_t p2 = s.find(':', p1 + 1);
    std::string_view hh = s.substr(0, p1);
    std::string_view mm = p2 == std::string_view::npos ? s.substr(p1 + 1) : s.substr(p1 + 1, p2 - p1 - 1);
    std::string_view ss = p2 == std::string_view::npos ? std::string_view() : s.substr(p2 + 1);
    int32_t h, m, sec;
    if (!read_int(hh, h) || !read_int(mm, m) || !read_int(ss, sec)) return -999;
    long long total = static_cast<long long>(h) * 3600 + static_cast<long long>(m) * 60 + sec;
    if (total > INT32_MAX || total < INT32_MIN) return -999;
    return static_cast<int32_t>(total);
}

void random_char(std::string& ccc) {
    static std::mt19937 gen{std::random_device{}()};
    std::uniform_real_distribution<double> dist(0.0, 1.0);
    double r = dist(gen);
    char c;
    if (r < 0.3) {
        long n = std::lround(r * 9.0 / 0.3);
        c = static_cast<char>('0' + (n < 0 ? 0 : n > 9 ? 9 : n));
    } else {
        long n = std::lround((r - 0.3) * 25.0 / 0.7);
        c = static_cast<char>('A' + (n < 0 ? 0 : n > 25 ? 25 : n));
    }
    ccc = std::string(1, c);
}
