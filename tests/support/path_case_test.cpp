#include "support/platform.h"

#include <string>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

namespace {

class PathCase : public InTempDir {};

TEST_F(PathCase, PartsAreFoundInTheirOwnCase) {
    tmp.write("Condor3/Logs/Logfile.txt", "x");
    tmp.write("Condor3/condor.exe", "MZ");
    tmp.write("both/Name.txt", "");
    tmp.write("both/name.txt", "");
    const std::string root = tmp.path().string();
    struct Case { std::string asked, want; };
    const Case cases[] = {
        {root + "/Condor3/Logs/Logfile.txt", root + "/Condor3/Logs/Logfile.txt"},  // exact
        {root + "/CONDOR3/logs/LOGFILE.TXT", root + "/Condor3/Logs/Logfile.txt"},
        {root + "/condor3/Condor.exe", root + "/Condor3/condor.exe"},
        {root + "/condor3/", root + "/Condor3/"},                        // a folder keeps its separator
        {root + "/Both/NAME.txt", root + "/both/Name.txt"},              // the first in byte order
        {root + "/both/name.txt", root + "/both/name.txt"},              // an exact match wins
        {root + "/condor3/Missing/LOGFILE.TXT", root + "/Condor3/Missing/LOGFILE.TXT"},  // the rest as given
        {root + "/nowhere/x", root + "/nowhere/x"},
        {"condor3/logs", "Condor3/Logs"},  // relative to the working folder
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(existing_case(c.asked), c.want) << c.asked;
}

}  // namespace
