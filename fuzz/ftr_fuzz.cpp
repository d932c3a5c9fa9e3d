// libFuzzer target: arbitrary bytes as a flight track, through the header,
// fix and trailer readers exactly as the converter calls them, then, for a
// track whose fixes the converter takes, through the leaving out of damaged
// fix times, the resampling and the IGC writer: the fixes kept must be in
// order, every IGC file written must pass the strict record check
// (tests/common/igc_strict.h), and a file refused must not be written.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "converter/fix_times.h"
#include "taskmodel/task_model.h"
#include "tests/common/igc_strict.h"
#include "tests/tracks/terrain_fixtures.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_fixes.h"
#include "tracks/ftr_header.h"
#include "tracks/igc_writer.h"
#include "tracks/resample.h"
#include "tracks/track_records.h"
#include "tracks/utm.h"

namespace {

constexpr const char* igc_name = "fuzz.igc";
constexpr const char* trn_name = "fuzz.trn";

// Sets the UTM frame up from the terrain header `trn`; false when it
// cannot be.
bool frame(const std::string& trn) {
    {
        std::ofstream out(trn_name, std::ios::binary | std::ios::trunc);
        out.write(trn.data(), static_cast<std::streamsize>(trn.size()));
    }
    float xmax = 0, ymax = 0;
    return utm_init(trn_name, xmax, ymax) == 1;
}

std::string file_text(const char* name) {
    std::ifstream in(name, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The fixes that keep_undamaged_fixes kept must be sound times that grow,
// and never one alone of several.
void check_kept(const std::vector<track_fix>& pp5, int32_t nrec, int32_t nkept) {
    if (nkept < 0 || nkept > nrec || (nkept == 1 && nrec > 1)) __builtin_trap();
    for (std::size_t k = 0; k < static_cast<std::size_t>(nkept); ++k) {
        const float t = pp5[k][fix_t];
        if (!(std::fabs(t) <= max_fix_time_s)) __builtin_trap();
        if (k == 0) continue;
        const float before = pp5[k - 1][fix_t];
        if (!(t > before)) __builtin_trap();
    }
}

// Leaves out the damaged fix times, resamples and writes the track just
// read as the converter does, then checks what was written.
void convert(std::vector<track_fix>& pp5, int32_t nrec, int32_t scheme) {
    const int32_t nkept = keep_undamaged_fixes(pp5, nrec);
    check_kept(pp5, nrec, nkept);
    if (check_fix_times(pp5, nkept) != Fix_times::usable) return;
    const float t_first = pp5[0][fix_t];
    const float t_last = pp5[static_cast<std::size_t>(nkept - 1)][fix_t];
    rd_ftr_2.start_rec = t_first / 3600.0f;
    int32_t ntot = static_cast<int32_t>(t_last) - static_cast<int32_t>(t_first) + 1;
    std::vector<track_fix> ppsec;
    resample_by_scheme(scheme, nkept, ntot, pp5, ppsec, false);
    rd_ftr_2.nwp = rd_fpl_0.nb_wp;
    rd_ftr_2.ndeg_int = scheme;

    std::remove(igc_name);
    const Igc_written w = write_igc(igc_name, ppsec, 4, 0, ntot, 1, 0, {std::string(80, ' ')});
    const std::string text = file_text(igc_name);
    if (w.refused != Igc_refusal::none) {
        if (!text.empty()) {
            std::fprintf(stderr, "a refused IGC file was written\n");
            __builtin_trap();
        }
        return;
    }
    const std::string problem = igc_strict_file_problem(text);
    if (!problem.empty()) {
        std::fprintf(stderr, "IGC file refused by the strict check: %s\n", problem.c_str());
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers echo a great deal; the fuzzer's own report goes to stderr.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    init_read_fpl();
    init_glider();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static unsigned long runs = 0;
    static bool own_frame = false;  // the standard frame is set up
    // The run log grows by one line per refused track: keep it small.
    if (++runs % 4096 == 0) std::remove("Logfile.txt");

    // The dumps and the verbose fix lines take their own paths: switch them
    // by the input's size so that every input keeps its meaning.
    rd_ftr_2.qhdr = size % 3 == 0;
    rd_ftr_2.qdbg = size % 2 == 0;

    int32_t npts = 0;
    read_ftr_hdr_bytes("fuzz.ftr", std::vector<unsigned char>(data, data + size), npts);
    if (npts == 0) return 0;
    std::vector<track_fix> pp5(static_cast<std::size_t>(ftr_fix_capacity(npts)));
    if (rd_ftr_2.qdbg) pp5[0][fix_t] = 10000.0f;
    int32_t nrec = 0;
    if (rd_fpl_0.fpl_vers <= 3039)
        read_ftr_fixes(pp5, nrec, npts, rd_ftr_2.qdbg);
    else
        read_ftr_fixes_304(pp5, nrec, npts, rd_ftr_2.qdbg);
    read_ftr_trl();
    if (nrec < 0 || static_cast<std::size_t>(nrec) > pp5.size() || ftr_file.open) __builtin_trap();

    // Every fourth input also brings its terrain header: its last 36 bytes,
    // so that absurd origins and zones reach the writer too.
    const bool input_frame = size % 4 == 1 && size >= 36;
    if (input_frame || !own_frame) {
        const std::string trn = input_frame ? std::string(reinterpret_cast<const char*>(data) + size - 36, 36)
                                            : trn_bytes(TrnFields{});
        if (!frame(trn)) {
            own_frame = false;
            return 0;  // the converter stops here
        }
        own_frame = !input_frame;
    }
    static const int32_t schemes[] = {scheme_next, scheme_previous, scheme_nearest, scheme_linear,
                                      scheme_parabolic};
    convert(pp5, nrec, schemes[(size / 5) % 5]);
    return 0;
}
