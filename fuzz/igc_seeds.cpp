// Writes the seed corpus of the IGC fuzzer: logs of the converter (both
// versions of its L records), of another logger with finer positions and
// engine sensors, of CondorTracker, one across midnight, and one with text
// and damaged records beginning with "B" among its fixes.
//   igc_seeds FOLDER

#include <cstdio>
#include <string>
#include <vector>

#include "taskmodel/task_model.h"
#include "taskmodel/write_fpl_v3.h"
#include "tests/common/igc_text.h"

namespace {

bool put(const std::string& path, const std::string& text) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

/// A version-3 log: the fixes, then the flight plan as the converter
/// writes it, then the trailer lines.
bool put_v3(const std::string& path) {
    init_read_fpl();
    init_wp();
    rd_fpl_0.nb_wp = 2;
    rd_fpl_2.landscape = "AA3";
    rd_fpl_2.tpnam[0] = "Start";
    rd_fpl_2.tpnam[1] = "Finish";
    std::vector<std::string> lines = igc_text_header();
    for (const igc_text_fix& p : igc_text_flight(36000, 20)) lines.push_back(igc_text_b_record(p));
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr) return false;
    std::fputs(igc_text_join(lines).c_str(), f);
    int32_t iost = 0;
    write_fpl_v3(f, iost, true, rd_fpl_2.landscape);
    std::fputs(igc_text_join(igc_text_trailer()).c_str(), f);
    return std::fclose(f) == 0 && iost == 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: igc_seeds FOLDER\n");
        return 2;
    }
    const std::string dir = std::string(argv[1]) + "/";
    std::string list;
    for (int k = 0; k < 17; ++k) list += std::to_string(k) + " ";
    bool ok = put(dir + "v2.igc", igc_text_log(igc_text_flight(45000, 20),
                                          {"LCONFPL[Version]", "LCONFPLCondor version=2200", "LCONFPL[Task]",
                                           "LCONFPLLandscape=Slovenia", "LCONFPLCount=2",
                                           "LCONFPLTPName0=Start", "LCONFPLTPPosX0=1000.5", "LCONFPLTPRadius1=500",
                                           "LCONFPLWindDir=" + list, "LCONFPLThermalsTemp=" + list,
                                           "LCONFPLName=ASW28", "LCONFPLWater=100", "LCONFPLWindDir=180"}));
    ok = put_v3(dir + "v3.igc") && ok;
    ok = put(dir + "other.igc",
             igc_text_join({"ALXNABC", "HFDTEDATE:010724,01", "HFFTYFRTYPE:LXNAV,LX9000", "HFCIDCOMPETITIONID:Z9",
                       "I053636LAD3737LOD3840ENL4143MOP4446TAS", "C010724100000010724000001",
                       "C4630000N00915000EStart", "C4631000S00916000WFinish",
                       "B1000004630000N00915000EA00800008505500123045",
                       "B1000014630001S00915001WV00801000009000000045",
                       "B1000014630001N00915001EA00801008519000000045"})) &&
         ok;
    ok = put(dir + "tracker.igc", igc_text_join({"AXXX", "HFFTYFRTYPE:CondorTracker 1.2", "I013638ENL",
                                            "B1200004630000N00915000EA0081200900",
                                            "B1200014630000N00915000EA0081300901"})) &&
         ok;
    ok = put(dir + "midnight.igc", igc_text_log(igc_text_flight(86400 - 10, 20))) && ok;
    ok = put(dir + "notfix.igc", igc_text_join({"AXXX", "Both build and run on Linux", "HFCIDCOMPETITIONID:Q1",
                                           "I013638ENL", "B1200004630000N00915000EA00812-0012",
                                           "B1200014630000N00915000EA0081",
                                           "B2400024630000N00915000EA0081300901",
                                           "B1200034630000N00915000EA0081300901",
                                           "LCONFPLLandscape=Alps"})) &&
         ok;
    // Lines ending in CR alone and LF, finer digits of two and three
    // columns, hours past 23 and positions at the limits of the globe.
    ok = put(dir + "loggers.igc", std::string("AXXX\rHFDTE150623\rI023637LAD3840LOD\r") +
                                      "B2359594630000N00915000EA0081200812987\r"
                                      "B2400009000000N18000000WA-9999-999900000\n"
                                      "B9959599059999S17959999EV999999999999999\r") &&
         ok;
    if (!ok) std::fprintf(stderr, "igc_seeds: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
