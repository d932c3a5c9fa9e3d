// A track cut short at every byte offset: the header is refused with a
// run-log message while it is incomplete, and from then on the readers use
// the fixes, events and trailer words that are there.

#include <algorithm>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/task_model.h"
#include "tests/common/temp_dir.h"
#include "tests/common/track_writer.h"
#include "tests/common/console_capture.h"
#include "tracks/ftr_file.h"
#include "tracks/ftr_fixes.h"
#include "tracks/ftr_header.h"
#include "tracks/track_records.h"

namespace {

class FtrTruncation : public InTempDir, public ::testing::WithParamInterface<int32_t> {};

std::size_t count_of(const std::string& text, const std::string& what) {
    std::size_t n = 0;
    for (std::size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

TEST_P(FtrTruncation, EveryByteOffset) {
    const int32_t version = GetParam();
    init_read_fpl();
    const std::vector<unsigned char> whole = build_track(tw_sample(version));
    const std::size_t first = version < 3000 ? ftr_v2_first_fix : ftr_v3_first_fix;
    const std::size_t rec = version >= 3040 ? 64 : 40;
    const std::size_t fixes_end = first + 4 * rec;
    const std::size_t events_end = fixes_end + (version >= 3040 ? 4 + 12 : 0);
    {
        ConsoleRedirect quiet(false);
        for (std::size_t cut = 0; cut <= whole.size(); ++cut) {
            std::vector<unsigned char> b(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
            int32_t npts = -1, nrec = -1;
            read_ftr_hdr_bytes("cut.ftr", b, npts);
            if (cut < first) {
                ASSERT_EQ(npts, 0) << cut;
                ASSERT_FALSE(ftr_file.open) << cut;
                continue;
            }
            ASSERT_EQ(npts, 4) << cut;
            std::vector<track_fix> pp5(1);
            if (version < 3040)
                read_ftr_fixes(pp5, nrec, npts, true);
            else
                read_ftr_fixes_304(pp5, nrec, npts, true);
            ASSERT_EQ(nrec, static_cast<int32_t>(std::min<std::size_t>(4, (cut - first) / rec))) << cut;
            ASSERT_LE(static_cast<std::size_t>(nrec), pp5.size());
            read_ftr_trl();
            ASSERT_FALSE(ftr_file.open);
            // The distance flown is the trailer's only when the trailer is
            // there up to that field.
            const bool has_distance = cut >= events_end + 28 && nrec == 4;
            ASSERT_EQ(rd_ftr_2.d_fl, has_distance ? 123456.0f : 0.0f) << cut;
        }
    }
    const std::string log = read_file("Logfile.txt");
    EXPECT_EQ(count_of(log, "cut.ftr: Not a Condor FTR file (truncated)\r\n"), first);
    EXPECT_EQ(count_of(log, "\r\n"), first);
}

INSTANTIATE_TEST_SUITE_P(Layouts, FtrTruncation, ::testing::Values(2000, 3000, 3040),
                         [](const auto& info) {
                             std::string name = "v";
                             name += std::to_string(info.param);
                             return name;
                         });

}  // namespace
