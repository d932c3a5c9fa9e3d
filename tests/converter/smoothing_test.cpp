#include "converter/smoothing.h"

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"

namespace {

// n fixes `step` seconds apart from t0, X growing by the square of the
// index (so that an average differs from the fix), Y, altitude.
std::vector<track_fix> fixes(int n, float t0 = 100.0f, float step = 1.0f) {
    std::vector<track_fix> v;
    for (int k = 0; k < n; ++k)
        v.push_back({t0 + step * k, static_cast<float>(k * k), 2.0f * k, 500.0f + k, 9.0f});
    return v;
}

smooth_fix raw_of(const track_fix& f) { return {f[0], f[1], f[2], f[3]}; }

}  // namespace

TEST(Smoothing, ShortTracksAreTheirRawFixes) {
    for (int n : {0, 1, 2}) {
        const std::vector<track_fix> raw = fixes(n);
        std::vector<smooth_fix> out;
        smooth(raw, out, n, 10.0f);
        ASSERT_EQ(out.size(), static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k) EXPECT_EQ(out[k], raw_of(raw[k])) << n;
    }
}

// One-second fixes, a 10-second window: point 2 is the fix alone, inner
// points cover five fixes on each side, the window shrinks symmetrically
// towards the end to stop at fix n - 1, and the ends are the raw fixes.
TEST(Smoothing, Windows) {
    const int n = 30;
    const std::vector<track_fix> raw = fixes(n);
    std::vector<smooth_fix> out;
    std::vector<Smooth_step> steps;
    smooth(raw, out, n, 10.0f, [&](const Smooth_step& s) { steps.push_back(s); });
    ASSERT_EQ(steps.size(), static_cast<std::size_t>(n - 2));
    EXPECT_EQ(out.front(), raw_of(raw.front()));
    EXPECT_EQ(out.back(), raw_of(raw.back()));

    struct Window {
        int i, i1, i2;
    } windows[] = {{2, 2, 2}, {3, 2, 4}, {7, 2, 12}, {8, 3, 13}, {15, 10, 20}, {24, 19, 29}, {25, 21, 29}, {29, 29, 29}};
    for (const Window& w : windows) {
        const Smooth_step& s = steps[static_cast<std::size_t>(w.i - 2)];
        EXPECT_EQ(s.i, w.i);
        EXPECT_EQ(s.i1, w.i1) << w.i;
        EXPECT_EQ(s.i2, w.i2) << w.i;
    }
    EXPECT_EQ(out[1], raw_of(raw[1]));
    EXPECT_EQ(steps[0].ratio, 0.0);  // a window of no time span
    // Point 15: fixes 10..20, one second of weight each.
    double sx = 0;
    for (int k = 10; k <= 20; ++k) sx += static_cast<double>((k - 1) * (k - 1));
    EXPECT_DOUBLE_EQ(out[14][1], sx / 11.0);
    EXPECT_DOUBLE_EQ(out[14][0], raw[14][0]);
    EXPECT_DOUBLE_EQ(steps[13].w, 11.0);
    EXPECT_DOUBLE_EQ(steps[13].span, 10.0);
    EXPECT_DOUBLE_EQ(steps[13].ratio, 1.1);
}

TEST(Smoothing, NoWindowAndEqualTimes) {
    const std::vector<track_fix> raw = fixes(6);
    std::vector<smooth_fix> out;
    std::vector<Smooth_step> steps;
    smooth(raw, out, 6, 0.0f, [&](const Smooth_step& s) { steps.push_back(s); });
    for (int k = 0; k < 6; ++k) EXPECT_EQ(out[k], raw_of(raw[k]));
    for (const Smooth_step& s : steps) EXPECT_EQ(s.i1, s.i2);

    // Fixes at one time: every weight is 0, so each point is its raw fix.
    const std::vector<track_fix> same = fixes(5, 100.0f, 0.0f);
    smooth(same, out, 5, 10.0f);
    for (int k = 0; k < 5; ++k) EXPECT_EQ(out[k], raw_of(same[k]));
}

TEST(Smoothing, DiagnosticLines) {
    Smooth_step s;
    s.i = 101;
    s.raw = {1.0f, 2.0f, -3.0f, 4.0f, 5.0f};
    s.i1 = 96;
    s.i2 = 106;
    s.w = 10.0;
    s.span = 10.0;
    s.ratio = 1.0;
    s.out = {1.5, 2.5, -3.5, 4.5};
    const std::string raw = "  1.000000E+00  2.000000E+00 -3.000000E+00  4.000000E+00";
    const std::string out = "  1.500000E+00  2.500000E+00 -3.500000E+00  4.500000E+00";
    EXPECT_EQ(smooth_diag_file_line(s),
              "  101" + raw + "   96  106  1.000000E+01  1.000000E+01  1.000000E+00" + out);
    EXPECT_EQ(smooth_diag_console_line(s), "  101" + raw + "   96  106  1.000000E+01" + out);
}

class SmoothingFiles : public InTempDir {};

// One diagnostics line per inner point, the console line for every point
// i with i mod 100 = 1; a second smoothing in the run appends.
TEST_F(SmoothingFiles, DiagnosticsFile) {
    const std::vector<track_fix> raw = fixes(205);
    std::vector<smooth_fix> out;
    begin_stdout_capture();
    smooth_track(raw, out, 205, 4.0f);
    const std::string console = end_stdout_capture();
    const std::string first = tmp.read("fort.88");
    std::size_t lines = 0;
    for (char c : first) lines += c == '\n';
    EXPECT_EQ(lines, 203u);
    EXPECT_EQ(first.find("\r\n"), smooth_diag_file_line({}).size());
    std::size_t console_lines = 0;
    for (char c : console) console_lines += c == '\n';
    EXPECT_EQ(console_lines, 2u);  // points 101 and 201
    EXPECT_EQ(console.substr(0, 5), "  101");
    // Line by line the steps' own lines: every one in the file (CR LF),
    // points 101 and 201 on the console.
    std::vector<smooth_fix> again;
    std::string file_text, console_text;
    smooth(raw, again, 205, 4.0f, [&](const Smooth_step& s) {
        file_text += smooth_diag_file_line(s) + "\r\n";
        if (s.i == 101 || s.i == 201) console_text += smooth_diag_console_line(s) + "\n";
    });
    EXPECT_EQ(first, file_text);
    EXPECT_EQ(console, console_text);

    begin_stdout_capture();
    smooth_track(fixes(3), out, 3, 4.0f);
    end_stdout_capture();
    EXPECT_EQ(tmp.read("fort.88").size(), first.size() + smooth_diag_file_line({}).size() + 2);
}
