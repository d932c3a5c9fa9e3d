#include "tracks/terrain_headers.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "support/console.h"
#include "support/ftext.h"
#include "support/le_bytes.h"
#include "support/number_fields.h"
#include "support/platform.h"

namespace {

constexpr std::size_t trn_header_size = 36;
constexpr std::size_t dem_header_size = 48;
constexpr std::size_t asc_line_width = 80;
constexpr int asc_header_lines = 6;

int32_t errno_status() { return errno > 0 ? static_cast<int32_t>(errno) : static_cast<int32_t>(EIO); }

std::FILE* open_read(std::string_view fich, const char* mode) {
    // A blank-padded name names the file without its padding.
    const std::string name(trim_right(fich));
    // Only a plain file can hold a header.  A folder would open as a stream
    // and fail only at its first read; a pipe or a device could block the
    // open or never end a line.  Both are refused at the open.
    const Entry_kind kind = path_entry(name).kind;
    if (kind == Entry_kind::folder || kind == Entry_kind::other) {
        errno = kind == Entry_kind::folder ? EISDIR : EINVAL;
        return nullptr;
    }
    errno = 0;
    return std::fopen(name.c_str(), mode);
}

// The first `n` bytes of a file into `buf`: 0, io_end_of_file when the file
// is shorter, or the error number of a failing open or read.
int32_t read_head(std::string_view fich, std::size_t n, std::vector<unsigned char>& buf) {
    std::FILE* f = open_read(fich, "rb");
    if (!f) return errno_status();
    buf.assign(n, 0);
    errno = 0;
    const std::size_t got = std::fread(buf.data(), 1, n, f);
    int32_t status = 0;
    if (got < n) status = std::ferror(f) ? errno_status() : io_end_of_file;
    std::fclose(f);
    return status;
}

// One text line of at most `asc_line_width` characters (the rest of a
// longer line is skipped, a CR before the line feed dropped): 0, or
// io_end_of_file when no line is left, or the error number of a failing read.
int32_t read_text_line(std::FILE* f, std::string& line) {
    line.clear();
    errno = 0;
    int c = std::fgetc(f);
    if (c == EOF) return std::ferror(f) ? errno_status() : io_end_of_file;
    while (c != EOF && c != '\n') {
        if (line.size() < asc_line_width) line.push_back(static_cast<char>(c));
        c = std::fgetc(f);
    }
    if (c == EOF && std::ferror(f)) return errno_status();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return 0;
}

void print_cell_seconds(double cell) { console_free("cell size (arc seconds)", cell * 3600.0); }

// The grid of a ".trn" landscape: its first 28 bytes.
struct TrnGrid {
    int32_t ncol = 0, nrow = 0;
    float orien = 0, rew = 0, rns = 0, orig_e = 0, orig_n = 0;
};

TrnGrid decode_trn_grid(const LeBytes& b) {
    TrnGrid g;
    b.i32(0, g.ncol);
    b.i32(4, g.nrow);
    b.f32(8, g.orien);
    b.f32(12, g.rew);
    b.f32(16, g.rns);
    b.f32(20, g.orig_e);
    b.f32(24, g.orig_n);
    return g;
}

}  // namespace

bool name_holds(std::string_view name, std::string_view lower, std::string_view upper) {
    return name.find(lower) != std::string_view::npos || name.find(upper) != std::string_view::npos;
}

void grid_zone(double latmin, double latmax, double lonmin, double lonmax, int32_t& nzon, char& zlat,
               double& quotient) {
    // A box centred on the equator counts as southern.
    zlat = (latmin + latmax) * 0.5 > 0.0 ? 'N' : 'S';
    quotient = ((lonmin + lonmax) * 0.5 + 177.0) / 6.0;
    // Absurd longitudes must not reach the integer conversion; 0 is no zone
    // and makes the UTM set-up refuse the grid.
    if (std::isfinite(quotient) && std::fabs(quotient) < 1.0e6)
        nzon = static_cast<int32_t>(std::round(quotient)) + 1;
    else
        nzon = 0;
}

int32_t read_trn_hdr(std::string_view fich, float& xmax, float& ymax, float& orig_e, float& orig_n, float& orien,
                     int32_t& nlon, char& zlat) {
    std::vector<unsigned char> buf;
    const int32_t status = read_head(fich, trn_header_size, buf);
    if (status != 0) return status;

    const LeBytes b(buf);
    const TrnGrid g = decode_trn_grid(b);
    int8_t zone = 0;
    uint8_t letter = 0;
    b.i8(28, zone);
    b.u8(32, letter);

    orien = g.orien;
    orig_e = g.orig_e;
    orig_n = g.orig_n;
    zlat = static_cast<char>(letter);
    xmax = std::fabs(static_cast<float>(g.ncol) * g.rew);
    ymax = std::fabs(static_cast<float>(g.nrow) * g.rns);
    nlon = zone;
    return 0;
}

int32_t read_dem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                     int32_t& long_, int32_t& larg, int32_t& nzon, char& zlat) {
    std::vector<unsigned char> buf;
    const int32_t status = read_head(fich, dem_header_size, buf);
    if (status != 0) return status;

    const LeBytes b(buf);
    double cell = 0;
    b.f64(0, lonmin);
    b.f64(8, lonmax);
    b.f64(16, latmax);
    b.f64(24, latmin);
    b.f64(32, cell);
    b.i32(40, larg);
    b.i32(44, long_);

    print_cell_seconds(cell);
    double quotient = 0;
    grid_zone(latmin, latmax, lonmin, lonmax, nzon, zlat, quotient);
    return 0;
}

int32_t read_ascdem_hdr(std::string_view fich, double& latmin, double& latmax, double& lonmin, double& lonmax,
                        int32_t& long_, int32_t& larg, int32_t& nzon, char& zlat) {
    console_line("read_ascdem_hdr");
    std::FILE* f = open_read(fich, "r");
    if (!f) {
        const int32_t status = errno_status();
        console_free("IOS", status);
        return status;
    }

    enum Key { k_ncols, k_nrows, k_xll, k_yll, k_cell, k_count };
    struct KeyDef {
        const char* key;
        bool integer;
    };
    static constexpr KeyDef keys[k_count] = {
        {"ncols", true}, {"nrows", true}, {"xllcorner", false}, {"yllcorner", false}, {"cellsize", false}};

    // Values are gathered apart and handed out only on success, so that a
    // failing header leaves the caller's values alone.
    int32_t ival[k_count] = {};
    double dval[k_count] = {};
    int found[k_count] = {};
    int count = 0;
    int32_t status = 0;
    std::string line;

    for (int i = 0; i < asc_header_lines; ++i) {
        status = read_text_line(f, line);
        if (status != 0) break;
        console_line(trim_right(line));
        const std::string_view l(line);
        for (int k = 0; k < k_count; ++k) {
            const std::string_view key(keys[k].key);
            if (l.substr(0, key.size()) != key) continue;
            const std::string_view rest = l.substr(key.size());
            const bool ok = keys[k].integer ? read_int(rest, ival[k]) : read_double(rest, dval[k]);
            status = ok ? 0 : io_bad_value;
            if (ok) {
                ++count;
                ++found[k];
            }
            break;
        }
    }
    std::fclose(f);

    // Five values, but one key twice and another missing, would leave a
    // value unread: such a header is as incomplete as one with four keys.
    bool each_once = true;
    for (int k = 0; k < k_count; ++k) each_once = each_once && found[k] == 1;
    if (count != k_count || !each_once) status = io_missing_keys;

    if (status == 0) {
        long_ = ival[k_ncols];
        larg = ival[k_nrows];
        lonmin = dval[k_xll];
        latmin = dval[k_yll];
        const double cell = dval[k_cell];
        lonmax = lonmin + long_ * cell;
        latmax = latmin + larg * cell;
        print_cell_seconds(cell);
        double quotient = 0;
        grid_zone(latmin, latmax, lonmin, lonmax, nzon, zlat, quotient);
        console_free("NZON", nzon, lonmin, lonmax, quotient);
    }
    console_free("IOS", status);
    return status;
}
