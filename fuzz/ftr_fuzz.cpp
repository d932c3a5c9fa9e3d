// libFuzzer target: arbitrary bytes as a flight track, through the header,
// fix and trailer readers exactly as the converter calls them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "taskmodel/task_model.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_fixes.h"
#include "tracks/ftr_header.h"
#include "tracks/track_records.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The readers echo a great deal; the fuzzer's own report goes to stderr.
    if (!std::freopen("/dev/null", "w", stdout)) return 0;
    init_read_fpl();
    init_glider();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    static unsigned long runs = 0;
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
    return 0;
}
