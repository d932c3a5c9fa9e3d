#include "converter/naming_pattern.h"

#include <algorithm>
#include <cmath>

#include "support/console.h"
#include "support/ftext.h"
#include "support/number_fields.h"
#include "support/platform.h"

namespace {

struct Token {
    std::string_view text;
    int32_t code;
};
constexpr Token tokens[] = {
    {"Y2", tok_y2}, {"MM", tok_mm}, {"DD", tok_dd}, {"hh", tok_hh}, {"mm", tok_mi},
    {"ID", tok_id}, {"LA", tok_la}, {"ST", tok_st}, {"GL", tok_gl}, {"TD", tok_td},
    {"Y4", tok_y4}, {"DF", tok_df}, {"AV", tok_av}, {"CC", tok_cc}, {"US", tok_us},
};

int32_t token_code(std::string_view two) {
    for (const Token& t : tokens)
        if (t.text == two) return t.code;
    return tok_none;
}

// A number token: the value rounded half away from zero in four characters
// without its leading blanks, then the unit.
std::string number_text(float value, std::string_view unit, std::vector<std::string>& trace) {
    const double v = static_cast<double>(value);
    std::string digits = std::isfinite(v) && std::fabs(v) < 1e9 ? int_field(std::llround(v), 4) : "****";
    std::string text = std::string(left_adjust(digits)) + std::string(unit);
    trace.push_back(free_text(value, text));
    return text;
}

std::string token_text(int32_t code, const Name_fields& f, std::vector<std::string>& trace) {
    switch (code) {
    case tok_y2: return zero_padded_field(((f.year % 100) + 100) % 100, 2);
    case tok_mm: return zero_padded_field(f.month, 2);
    case tok_dd: return zero_padded_field(f.day, 2);
    case tok_hh: return zero_padded_field(f.hour, 2);
    case tok_mi: return zero_padded_field(f.minute, 2);
    case tok_id: return std::string(trim_right(f.compid));
    case tok_la: return std::string(trim_right(f.landscape));
    case tok_st: return std::string(trim_right(f.start_tp));
    case tok_td: return number_text(f.task_km, "km", trace);
    case tok_y4: return zero_padded_field(f.year, 4);
    case tok_df: return number_text(f.d_fl * 0.001f, "km", trace);
    case tok_av: return number_text(f.av_s * 0.001f, "kmh", trace);
    case tok_cc: return std::string(trim_right(f.compclass));
    case tok_us: return std::string(trim_right(f.usrstr));
    default: return {};  // "GL" and unrecognized tokens add nothing
    }
}

}  // namespace

Name_pattern parse_pattern(std::string_view fmtstr, char sep) {
    Name_pattern p;
    std::string_view rest = trim_right(fmtstr.substr(0, std::min(fmtstr.size(), std::size_t{200})));
    while (!is_blank(rest)) {
        const std::string two = pad_right(rest.substr(0, 2), 2);
        rest.remove_prefix(std::min<std::size_t>(2, rest.size()));
        int32_t code = token_code(two);
        if (code == tok_none) p.notes.push_back(" " + two + " : unrecognized token");
        if (!rest.empty() && rest[0] == sep) {
            code = -code;
            rest.remove_prefix(1);
        }
        if (p.kfield.size() < kfield_max) p.kfield.push_back(code);
    }
    return p;
}

float task_distance_km(const float* tpx, const float* tpy, int32_t nb_wp, int32_t table_size) {
    const int32_t n = std::clamp(nb_wp, 0, table_size);
    float sum = 0.0f;
    for (int32_t i = 2; i < n; ++i) {
        const float dx = tpx[i] - tpx[i - 1];
        const float dy = tpy[i] - tpy[i - 1];
        sum += std::sqrt(dx * dx + dy * dy);
    }
    return sum * 0.001f;
}

Built_name build_name(const std::vector<int32_t>& kfield, const Name_fields& f, char sep, char wsubs,
                      std::string_view fmtstr, bool qdbg) {
    Built_name b;
    if (qdbg) b.trace.push_back(" " + std::string(trim_right(fmtstr)));
    std::string& ttt = b.name;
    for (std::size_t k = 0; k < kfield.size(); ++k) {
        const int32_t code = kfield[k];
        b.trace.push_back(free_text(static_cast<int32_t>(k + 1), code));
        std::string text = token_text(code < 0 ? -code : code, f, b.trace);
        // A track's texts may hold characters that would make the name
        // reach into another folder.
        for (char& c : text)
            if (forbidden_in_file_name(c)) c = '_';
        ttt += text;
        ttt = std::string(trim_right(ttt));
        if (code < 0) ttt += sep;
    }
    if (ttt.size() > ttt_len) ttt = std::string(trim_right(std::string_view(ttt).substr(0, ttt_len)));
    if (wsubs != ' ')
        for (char& c : ttt)
            if (c == ' ') c = wsubs;
    return b;
}
