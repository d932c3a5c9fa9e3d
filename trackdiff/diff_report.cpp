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

}  // namespace

std::string report_name(std::string_view ff1, std::string_view ff2) {
    // Only the second log's file name: its folders would name a folder
    // beside the first log that need not exist.
    std::string name2;
    extract_name(ff2, name2);
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
