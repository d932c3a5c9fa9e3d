#include "converter/raw_dumps.h"

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

TEST(RawDumps, Lines) {
    const track_fix raw{45000.25f, -1234.5f, 0.0f, 812.0f, 7.0f};
    EXPECT_EQ(raw_dump_line(raw), "  4.500025000E+04 -1.234500000E+03  0.000000000E+00  8.120000000E+02");
    EXPECT_EQ(raw_dump_line(raw).size(), 68u);
    const smooth_fix s{45000.25, 1.0e-5, -0.5, 1.0e120};
    EXPECT_EQ(smooth_dump_line(s),
              "  4.50002500000E+04  1.00000000000E-05 -5.00000000000E-01  1.00000000000+120");
    EXPECT_EQ(smooth_dump_line(s).size(), 76u);
}

class RawDumpFiles : public InTempDir {};

TEST_F(RawDumpFiles, HeaderAndOneLinePerFix) {
    const std::vector<track_fix> pp5 = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}, {11, 12, 13, 14, 15}, {0, 0, 0, 0, 0}};
    write_fmt("raw.txt", 3, pp5);
    const std::string text = tmp.read("raw.txt");
    EXPECT_EQ(text, std::string(" t X Y Z\r\n") + raw_dump_line(pp5[0]) + "\r\n" + raw_dump_line(pp5[1]) + "\r\n" +
                        raw_dump_line(pp5[2]) + "\r\n");
    write_fmt_r8("smooth.txt", 1, std::vector<smooth_fix>{{1, 2, 3, 4}});
    EXPECT_EQ(tmp.read("smooth.txt"), std::string(" t X Y Z\r\n") + smooth_dump_line({1, 2, 3, 4}) + "\r\n");
}

// A dump that cannot be created stops the run with status 2, naming it.
TEST_F(RawDumpFiles, UnwritableDumpStops) {
    std::filesystem::create_directory(tmp.path() / "raw.txt");
    EXPECT_EXIT(write_fmt("raw.txt", 0, {}), testing::ExitedWithCode(2), "");
    EXPECT_NE(tmp.read("Logfile.txt").find("The file raw.txt cannot be created: "), std::string::npos);
}
