#include "converter/raw_dumps.h"

#include <algorithm>
#include <cstdio>

#include "converter/output_files.h"
#include "support/number_fields.h"

namespace {

template <typename Values>
std::string dump_line(const Values& v, int width, int decimals) {
    std::string line;
    for (int k = 0; k < 4; ++k) {
        line += ' ';
        line += sci_field(static_cast<double>(v[static_cast<std::size_t>(k)]), width, decimals);
    }
    return line;
}

template <typename Fix, typename Line>
void write_dump(std::string_view outfile, int32_t npts, const std::vector<Fix>& fixes, Line line_of) {
    Output_file out(outfile);
    out.line(dump_header);
    const std::size_t n = std::min(fixes.size(), static_cast<std::size_t>(npts > 0 ? npts : 0));
    for (std::size_t i = 0; i < n; ++i) out.line(line_of(fixes[i]));
    out.close();
}

}  // namespace

std::string raw_dump_line(const track_fix& f) { return dump_line(f, 16, 9); }

std::string smooth_dump_line(const smooth_fix& f) { return dump_line(f, 18, 11); }

void write_fmt(std::string_view outfile, int32_t npts, const std::vector<track_fix>& pp5) {
    write_dump(outfile, npts, pp5, raw_dump_line);
}

void write_fmt_r8(std::string_view outfile, int32_t npts, const std::vector<smooth_fix>& ppsm4) {
    write_dump(outfile, npts, ppsm4, smooth_dump_line);
}
