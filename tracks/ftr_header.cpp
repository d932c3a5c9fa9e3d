#include "tracks/ftr_header.h"

#include <algorithm>
#include <cstring>

#include "support/condor_install.h"
#include "support/console.h"
#include "support/ftext.h"
#include "support/julian.h"
#include "support/messages.h"
#include "support/paths.h"
#include "taskmodel/task_model.h"
#include "tracks/ftr_file.h"

namespace {

/// A run-log message about the track: its path, kept whole ("/" breaks a
/// message line), then the reason.
void log_track(const std::string& name, const char* why) { log_message_f(path_for_log_message(name) + why); }

void fail(int32_t& npts, const std::string& name, const char* why) {
    npts = 0;
    log_track(name, why);
    ftr_close();
}

/// The header after the file is open at byte 0.
void read_opened(int32_t& npts) {
    const std::string name = ftr_file.name;
    const std::vector<unsigned char>& b = ftr_file.bytes;
    LeBytes v = ftr_view();
    std::string magic;
    int32_t version = 0;
    if (!v.bytes(0, 3, magic) || !v.i32(3, version)) {
        // A file that ends before the version word: a track cut short if
        // what is there starts like the magic, otherwise not a track.
        std::size_t n = std::min<std::size_t>(b.size(), 3);
        bool prefix = n == 0 || std::memcmp(b.data(), "FTR", n) == 0;
        fail(npts, name, prefix ? ": Not a Condor FTR file (truncated)" : ": Not a Condor FTR file");
        return;
    }
    console_free(magic, version);
    if (magic != "FTR") {
        fail(npts, name, ": Not a Condor FTR file");
        return;
    }
    ftr_file.pos = 7;
    const int32_t major = version / 1000;
    inst00.condor_version = major;
    if (major == 2) {
        read_ftr_hdr_c2(npts);
    } else if (major == 3) {
        read_ftr_hdr_c3(npts);
    } else {
        fail(npts, name, ": Unrecognised Condor version #");
    }
}

}  // namespace

void read_ftr_hdr(std::string_view fich, int32_t& npts) {
    init_wp();
    const std::string name(trim_right(fich));
    console_free(name);
    if (!ftr_open(name)) {
        npts = 0;
        log_track(name, ": Error opening");
        return;
    }
    read_opened(npts);
}

void read_ftr_hdr_bytes(std::string_view fich, std::vector<unsigned char> bytes, int32_t& npts) {
    init_wp();
    const std::string name(trim_right(fich));
    console_free(name);
    ftr_open_bytes(name, std::move(bytes));
    read_opened(npts);
}

int32_t ftr_day_count(int32_t date_word) {
    // Within one binade of the float64 (days 32768..65535) its exponent is
    // constant and the top 20 mantissa bits count 1/32 of a day.
    return static_cast<int32_t>((static_cast<int64_t>(date_word) - 0x40D00000LL) / 32);
}

std::string ftr_c_date(int32_t day) {
    // Outside the exact range the word is no day count at all (a NaN, an
    // infinity or a zeroed date gives some number): no date is made up.
    if (day < ftr_first_day || day > ftr_last_day) return std::string(ftr_no_date);
    int32_t year = 0, month = 0, dd = 0;
    gdate(jd(1900, 1, 1) + day - 2, year, month, dd);
    auto two = [](int32_t v) {
        return std::string{static_cast<char>('0' + v / 10), static_cast<char>('0' + v % 10)};
    };
    // 1989 to 2079: the last two digits name the year unambiguously.
    return two(dd) + two(month) + two(year % 100);
}

void ftr_header_truncated(int32_t& npts) {
    fail(npts, ftr_file.name, ": Not a Condor FTR file (truncated)");
}

int32_t ftr_announced_fixes(int32_t count) {
    if (count >= 1) return count;
    console_free("No fix announced:", count);
    // The converter cannot tell this apart from the reader's other refusals,
    // which have named the track in the run log already: so does this one.
    log_track(ftr_file.name, " : no fix announced, skipped");
    ftr_close();
    return 0;
}

int32_t ftr_clamp_count(int32_t count, int32_t size, const char* what) {
    if (count >= 0 && count <= size) return count;
    int32_t c = std::clamp(count, 0, size);
    console_free(what, count, "outside 0 to", size, ", taken as", c);
    return c;
}
