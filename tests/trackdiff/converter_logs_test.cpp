// trackdiff on logs that the converter's IGC writer made from test tracks.

#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/tracks/igc_fixture.h"
#include "trackdiff/trackdiff_run.h"

namespace {

class ConverterLogs : public InIgcFrame {
protected:
    int32_t run(const std::string& a, const std::string& b) {
        int32_t status = -1;
        console = capture_console([&] { status = trackdiff_run(a, b); });
        return status;
    }
};

TEST_F(ConverterLogs, EachVersionAgainstItselfAndAChangedCopy) {
    for (int32_t version : {2500, 3040}) {
        track_desc d = interop_track(version);
        const std::vector<expected_fix> a = expected_fixes(convert_test_track(d, "a.igc"));
        ASSERT_EQ(run("a.igc", "a.igc"), 0) << version;
        EXPECT_TRUE(printed(" time matches        =    " + std::to_string(a.size()) + "\n")) << console;
        EXPECT_TRUE(printed(" different fixes     =    0\n")) << console;
        EXPECT_EQ(tmp.read("a-a_igc_diff.txt"), "");

        // The same flight with one fix higher and one moved.
        d.fixes[1].alt += 10.0f;
        d.fixes[4].x += 500.0f;
        const std::vector<expected_fix> b = expected_fixes(convert_test_track(d, "b.igc"));
        ASSERT_EQ(a.size(), b.size());
        std::size_t changed = 0;
        for (std::size_t i = 0; i < a.size(); ++i)
            changed += a[i].alt != b[i].alt || a[i].lat != b[i].lat || a[i].lon != b[i].lon;
        ASSERT_GE(changed, 2u);
        ASSERT_EQ(run("a.igc", "b.igc"), 0) << version;
        EXPECT_TRUE(printed(" different fixes     =    " + std::to_string(changed) + "\n")) << console;
        const std::vector<std::string> report = crlf_lines(tmp.read("a-b_igc_diff.txt"));
        ASSERT_EQ(report.size(), changed);
        for (const std::string& l : report) EXPECT_EQ(l.size(), 68u);
        // The altitude line: the first log 10 m lower.
        bool alt_line = false;
        for (const std::string& l : report) alt_line = alt_line || l.substr(52) == " -10.0000000    ";
        EXPECT_TRUE(alt_line) << tmp.read("a-b_igc_diff.txt");
    }
}

}  // namespace
