#include "trackdiff/diff_report.h"

#include "support/ftext.h"
#include "support/number_fields.h"
#include "support/paths.h"

namespace {

/// The text before the first ".igc"; nothing when there is none.
std::string_view before_igc(std::string_view s) {
    const std::size_t p = s.find(".igc");
    return p == std::string_view::npos ? std::string_view{} : s.substr(0, p);
}

/// The file name of a path: what follows its last separator
/// (is_path_separator: Windows takes "/" as well as "\").
std::string_view file_name(std::string_view path) {
    const std::size_t p = last_path_separator(path);
    return p == std::string_view::npos ? path : path.substr(p + 1);
}

}  // namespace

std::string report_name(std::string_view ff1, std::string_view ff2) {
    const std::string_view name2 = file_name(trim_right(ff2));
    std::string r(before_igc(trim_right(ff1)));
    r += '-';
    r += before_igc(name2);
    r += "_igc_diff.txt";
    return r;
}

std::string report_field(float v) { return general_field(v, 16, 9); }

std::string report_line(const Fix_difference& d) {
    return " " + report_field(d.t) + " " + report_field(d.dlat) + " " + report_field(d.dlon) + " " +
           report_field(d.dalt);
}
