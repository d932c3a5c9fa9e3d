// libFuzzer target: arbitrary bytes as an IGC log, through the IGC reader as
// the comparison program calls it, and on every other input in landscape
// coordinates; the fixes read then go through both ways of matching, which
// must agree.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "support/ftext.h"
#include "support/key_val.h"
#include "support/le_bytes.h"
#include "support/number_fields.h"
#include "support/program_settings.h"
#include "taskmodel/task_model.h"
#include "trackdiff/fix_matching.h"
#include "tracks/igc_reader.h"
#include "tracks/utm.h"

namespace {

/// True when a line of the input, read as a flight-plan line, sets a task
/// of more than 31 points: the flight-plan reader then stops the program by
/// design (exit status 1), which is no fault for the fuzzer to find.
bool sets_too_many_points(std::string_view text) {
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (line.substr(0, 7) == "LCONFPL") line.remove_prefix(7);
        std::string key, val;
        extract_key_val(line, key, val);
        int32_t n = 0;
        if (same_text(key, "Count") && read_int(val, n) && n > 31) return true;
        pos = end + 1;
    }
    return false;
}

void write_bytes(const char* name, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(name, "wb");
    if (f == nullptr) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The reader echoes a great deal; the fuzzer's own report goes to stderr.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    setenv("BREMALO_NO_GUI", "1", 1);
    cmndta001.qline = true;
    cmndta000.app_path = "./";
    // A landscape frame for the inputs read in landscape coordinates: a
    // ".trn" header of 100 x 80 cells of 90 m in zone 32.
    std::vector<unsigned char> trn;
    le_put::i32(trn, 100);
    le_put::i32(trn, 80);
    le_put::f32(trn, 0.0f);
    le_put::f32(trn, 90.0f);
    le_put::f32(trn, 90.0f);
    le_put::f32(trn, 600000.0f);
    le_put::f32(trn, 5100000.0f);
    le_put::u32(trn, 32);
    le_put::u32(trn, 'N');
    write_bytes("fuzz.trn", trn.data(), trn.size());
    float rxm = 0, rym = 0;
    if (utm_init("fuzz.trn", rxm, rym) != 1) __builtin_trap();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static unsigned long runs = 0;
    // The run log and the error log grow with some inputs: keep them small.
    if (++runs % 4096 == 0) {
        std::remove("Logfile.txt");
        std::remove("ErrorLog.txt");
    }
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (sets_too_many_points(text)) return 0;
    write_bytes("fuzz.igc", data, size);

    std::vector<igc_fix> ppp;
    std::vector<std::string> hdr(size % 7 * 20);
    int32_t nrec = -1, nhdr = -1;
    const int32_t status = read_igc("fuzz.igc", size % 2 == 0, size % 3 == 0, ppp, hdr, nrec, nhdr);
    if (status != 0) __builtin_trap();
    if (nrec < 0 || static_cast<std::size_t>(nrec) != ppp.size()) __builtin_trap();
    if (nhdr < 0 || static_cast<std::size_t>(nhdr) > hdr.size()) __builtin_trap();
    for (int32_t i = 0; i < nhdr; ++i)
        if (hdr[static_cast<std::size_t>(i)].size() > igc_hdr_len) __builtin_trap();
    if (rd_fpl_0.nb_wp < 0 || rd_fpl_0.nb_wp > maxtp + 1) __builtin_trap();
    if (rdigc001.nb_igcwp < 0 || rdigc001.nb_igcwp > igc_max_wp + 1) __builtin_trap();
    for (std::size_t i = 1; i < ppp.size(); ++i)
        if (ppp[i][igc_t] == ppp[i - 1][igc_t] && std::abs(ppp[i][igc_t]) < 1.6e7f) __builtin_trap();
    // Only lines that pass the B record check become fixes: their times are
    // whole seconds from 00:00:00 of the first day on.
    for (const igc_fix& f : ppp)
        if (!(f[igc_t] >= 0.0f) || f[igc_t] != std::floor(f[igc_t])) __builtin_trap();

    // The matching pairs every fix whose time the other log holds, and on a
    // log in time order gives the walk's result.
    std::vector<igc_fix> other = ppp;
    for (std::size_t i = 0; i < other.size(); i += 3) other[i][igc_alt] += 1.0f;
    if (other.size() > 2) other.erase(other.begin() + static_cast<std::ptrdiff_t>(other.size() / 2));
    const Match_result a = match_fixes(ppp, other);
    if (times_in_order(other)) {
        const Match_result b = match_fixes_walk(ppp, other);
        if (a.nsom != b.nsom || a.nsom_m != b.nsom_m || a.i2 != b.i2 || a.differences.size() != b.differences.size())
            __builtin_trap();
    }
    if (ppp.size() <= 4000) {
        int32_t partnered = 0;
        for (const igc_fix& f : ppp)
            partnered += std::any_of(other.begin(), other.end(),
                                     [&](const igc_fix& g) { return std::fabs(f[igc_t] - g[igc_t]) <= match_eps; });
        if (a.nsom != partnered) __builtin_trap();
    }
    return 0;
}
