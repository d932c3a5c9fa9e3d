#include "tests/common/igc_strict.h"

namespace {

bool digits(std::string_view s, std::size_t from, std::size_t n) {
    if (s.size() < from + n) return false;
    for (std::size_t i = from; i < from + n; ++i)
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

// The number of n digits at s[from] (digits(s, from, n) checked first).
int number(std::string_view s, std::size_t from, std::size_t n) {
    int v = 0;
    for (std::size_t i = from; i < from + n; ++i) v = v * 10 + (s[i] - '0');
    return v;
}

bool word_char(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// DDMMYY at s[from]: a calendar day of 2000 + YY (the readers put 80..99 in
// the 1900s, which changes no leap year of a two-digit year but 2000).
std::string date_problem(std::string_view s, std::size_t from) {
    if (!digits(s, from, 6)) return "date not six digits";
    const int d = number(s, from, 2), m = number(s, from + 2, 2), y = number(s, from + 4, 2);
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1 || d > days[m - 1] || (m == 2 && d == 29 && y % 4 != 0))
        return "date not a calendar day";
    return "";
}

std::string time_problem(std::string_view s, std::size_t from) {
    if (!digits(s, from, 6)) return "time not six digits";
    if (number(s, from, 2) > 23 || number(s, from + 2, 2) > 59 || number(s, from + 4, 2) > 59)
        return "time of day out of range";
    return "";
}

// Degrees (deg_digits), minutes x 1000 (5 digits) and the hemisphere at
// s[from].
std::string angle_problem(std::string_view s, std::size_t from, std::size_t deg_digits, int max_deg, char pos,
                          char neg) {
    if (!digits(s, from, deg_digits + 5)) return "position not digits";
    const int deg = number(s, from, deg_digits), mmin = number(s, from + deg_digits, 5);
    if (mmin >= 60000) return "minutes of 60 or more";
    if (deg > max_deg || (deg == max_deg && mmin > 0)) return "position beyond its range";
    const char h = s[from + deg_digits + 5];
    if (h != pos && h != neg) return "no hemisphere letter";
    return "";
}

std::string altitude_problem(std::string_view s, std::size_t from) {
    if (s.size() < from + 5) return "altitude field short";
    if (s[from] == '-' ? !digits(s, from + 1, 4) : !digits(s, from, 5)) return "altitude not -dddd or ddddd";
    return "";
}

std::string b_problem(std::string_view l) {
    if (l.size() < 41) return "B record shorter than 41 characters";
    std::string p = time_problem(l, 1);
    if (p.empty()) p = angle_problem(l, 7, 2, 90, 'N', 'S');
    if (p.empty()) p = angle_problem(l, 15, 3, 180, 'E', 'W');
    if (p.empty() && l[24] != 'A' && l[24] != 'V') p = "validity not A or V";
    if (p.empty()) p = altitude_problem(l, 25);
    if (p.empty()) p = altitude_problem(l, 30);
    // The extensions the I record declares: FXA 36-38, ENL 39-41.
    if (p.empty() && !digits(l, 35, 6)) p = "extension not digits";
    return p;
}

std::string c_declaration_problem(std::string_view l) {
    if (l.size() < 25) return "declaration shorter than 25 characters";
    std::string p = date_problem(l, 1);
    if (p.empty()) p = time_problem(l, 7);
    // The flight date may be left as zeros.
    if (p.empty() && l.substr(13, 6) != "000000") p = date_problem(l, 13);
    if (p.empty() && !digits(l, 19, 4)) p = "task number not digits";
    if (p.empty() && !digits(l, 23, 2) && !(l[23] == '-' && digits(l, 24, 1))) p = "turnpoint count not digits";
    return p;
}

std::string c_point_problem(std::string_view l) {
    if (l.size() < 18) return "task point shorter than 18 characters";
    std::string p = angle_problem(l, 1, 2, 90, 'N', 'S');
    if (p.empty()) p = angle_problem(l, 9, 3, 180, 'E', 'W');
    return p;
}

std::string h_problem(std::string_view l) {
    if (l.size() < 5) return "H record shorter than 5 characters";
    if (l[1] != 'F' && l[1] != 'O' && l[1] != 'P') return "H record's source not F, O or P";
    if (l.substr(2, 3) == "DTE") {
        std::size_t at = 5;
        if (l.substr(5, 5) == "DATE:") at = 10;
        return date_problem(l, at);
    }
    return "";
}

std::string i_problem(std::string_view l) {
    if (!digits(l, 1, 2)) return "I record count not digits";
    const std::size_t n = static_cast<std::size_t>(number(l, 1, 2));
    if (l.size() != 3 + 7 * n) return "I record length not its count";
    for (std::size_t k = 0; k < n; ++k) {
        const std::size_t at = 3 + 7 * k;
        if (!digits(l, at, 4)) return "I record columns not digits";
        for (std::size_t c = at + 4; c < at + 7; ++c)
            if (l[c] < 'A' || l[c] > 'Z') return "I record code not three capitals";
    }
    return "";
}

}  // namespace

std::string igc_strict_record_problem(std::string_view l, bool first_c) {
    if (l.empty()) return "empty line";
    for (const char c : l)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return "control character";
    switch (l[0]) {
    case 'A':
        if (l.size() < 7) return "A record shorter than 7 characters";
        for (std::size_t i = 1; i < 7; ++i)
            if (!word_char(l[i])) return "A record not a maker and an id";
        return "";
    case 'H': return h_problem(l);
    case 'I': return i_problem(l);
    case 'C': return first_c ? c_declaration_problem(l) : c_point_problem(l);
    case 'B': return b_problem(l);
    case 'L': return "";
    default: return "record type not written by the converter";
    }
}

std::string igc_strict_file_problem(std::string_view text) {
    std::size_t line_no = 0, at = 0;
    bool seen_c = false, seen_date = false;
    while (at < text.size()) {
        ++line_no;
        const std::size_t lf = text.find('\n', at);
        if (lf == std::string_view::npos || lf == at || text[lf - 1] != '\r')
            return "line " + std::to_string(line_no) + ": no CR LF line end";
        const std::string_view l = text.substr(at, lf - 1 - at);
        at = lf + 1;
        std::string p = igc_strict_record_problem(l, !seen_c);
        if (p.empty() && line_no == 1 && l[0] != 'A') p = "the A record is not first";
        if (p.empty() && l[0] == 'B' && !seen_date) p = "a fix before the HFDTE record";
        if (!p.empty()) return "line " + std::to_string(line_no) + ": " + p + ": " + std::string(l);
        seen_c = seen_c || l[0] == 'C';
        seen_date = seen_date || l.substr(0, 5) == "HFDTE";
    }
    if (line_no == 0) return "no line";
    if (!seen_date) return "no HFDTE record";
    return "";
}
