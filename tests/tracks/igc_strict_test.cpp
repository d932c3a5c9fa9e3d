// The strict record check of the tests and the fuzzer (tests/common/
// igc_strict.h) has teeth: it refuses what strict readers refuse and takes
// every file the converter writes.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/common/igc_strict.h"
#include "tests/tracks/igc_fixture.h"

namespace {

const std::string good_b = "B1234564630000N00915000EA0081200812005000";

TEST(IgcStrictCheck, RecordsByTableOfCases) {
    struct Case {
        std::string line;
        bool first_c;
        bool ok;
    };
    const Case cases[] = {
        {"ACSS00001", false, true},
        {"AC\x01S00001", false, false},
        {"A", false, false},
        {"HFDTE150623", false, true},
        {"HFDTEDATE:290224,01", false, true},
        {"HFDTE000000", false, false},
        {"HFDTE290223", false, false},
        {"HFDTE1506", false, false},
        {"HFPLTPILOT:", false, true},
        {"HXPLTPILOT:Jane", false, false},
        {"I023638FXA3941ENL", false, true},
        {"I023638FXA3941E", false, false},
        {good_b, false, true},
        {"B2359599000000S18000000WA-9999-9999005999", false, true},
        {"B240000" + good_b.substr(7), false, false},
        {"B126000" + good_b.substr(7), false, false},
        {"B1234569000001N00915000EA0081200812005000", false, false},
        {"B1234564660000N00915000EA0081200812005000", false, false},
        {"B1234564630000N18000001EA0081200812005000", false, false},
        {"B123456*******N00915000EA0081200812005000", false, false},
        {"B1234564630000N00915000EA**********005000", false, false},
        {"B1234564630000N00915000EA0-012-0012005000", false, false},
        {"B1234564630000N00915000XA0081200812005000", false, false},
        {"B1234564630000N00915000EA008120081200500", false, false},
        {"C150623123000150623000003", true, true},
        {"C150623123000000000000003", true, true},
        {"C000000123000150623000003", true, false},
        {"C150623123000150623000**", true, false},
        {"C4630000N00915000EStart", false, true},
        {"C4630000N00915000EStart", true, false},
        {"C9100000N00915000EStart", false, false},
        {"C4630000N00915000E", false, true},
        {"C463000N00915000E", false, false},
        {"LCONFPL[Task]", false, true},
        {"", false, false},
        {"GABCDEF", false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(igc_strict_record_problem(c.line, c.first_c).empty(), c.ok)
            << c.line << ": " << igc_strict_record_problem(c.line, c.first_c);
}

TEST(IgcStrictCheck, WholeFiles) {
    const std::string head = "ACSS00001\r\nHFDTE150623\r\nI023638FXA3941ENL\r\n";
    struct Case {
        const char* what;
        std::string text;
        bool ok;
    };
    const Case cases[] = {
        {"header and a fix", head + good_b + "\r\n", true},
        {"a bare line feed", head + good_b + "\n", false},
        {"no line end at the end", head + good_b, false},
        {"A record not first", "HFDTE150623\r\nACSS00001\r\n", false},
        {"no date", "ACSS00001\r\n" + good_b + "\r\n", false},
        {"the declaration is the first C record",
         head + "C150623123000150623000000\r\nC4630000N00915000EStart\r\nC4630000N00915000EStart\r\n", true},
        {"nothing", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(igc_strict_file_problem(c.text).empty(), c.ok) << c.what;
}

// Every file the writer makes of the readers' test tracks passes.
class IgcStrictFiles : public InIgcFrame {};

TEST_F(IgcStrictFiles, ConvertedTracksPass) {
    for (int32_t version : {2500, 3000, 3040})
        for (int32_t scheme : {-2, -1, 0, 1, 2}) {
            convert_test_track(interop_track(version), tmp.file("t.igc"), scheme);
            EXPECT_EQ(igc_strict_file_problem(tmp.read("t.igc")), "") << version << " " << scheme;
        }
}

}  // namespace
