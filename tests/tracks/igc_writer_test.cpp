// The IGC writer: whole files from version-2 and version-3 tracks.

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/stop.h"
#include "taskmodel/task_model.h"
#include "tests/common/console_capture.h"
#include "tests/tracks/igc_fixture.h"
#include "tracks/igc_records.h"
#include "tracks/igc_writer.h"
#include "tracks/track_records.h"

namespace {

class IgcWriter : public InIgcFrame {
protected:
    std::vector<std::string> convert(const track_desc& d, const std::string& name = "t.igc") {
        ppsec = convert_test_track(d, tmp.file(name));
        return crlf_lines(tmp.read(name));
    }
    /// write_igc again on the records of the last conversion.
    std::vector<std::string> rewrite(int32_t ntot, int32_t nhdr, const std::vector<std::string>& hdr) {
        capture_console([&] { write_igc(tmp.file("r.igc"), ppsec, 4, 0, ntot, 1, nhdr, hdr); });
        return crlf_lines(tmp.read("r.igc"));
    }
    std::vector<track_fix> ppsec;
};

/// The first letters of the lines: "A", "H", "I", "C", "B", "L".
std::string record_types(const std::vector<std::string>& lines) {
    std::string s;
    for (const std::string& l : lines) {
        const char c = l.empty() ? '-' : l[0];
        if (s.empty() || s.back() != c) s += c;
    }
    return s;
}

std::size_t count_prefix(const std::vector<std::string>& lines, const std::string& p) {
    std::size_t n = 0;
    for (const std::string& l : lines) n += l.rfind(p, 0) == 0;
    return n;
}

TEST_F(IgcWriter, VersionTwoTrack) {
    const std::vector<std::string> lines = convert(interop_track(2500));
    ASSERT_GT(lines.size(), 30u);
    const std::string text = tmp.read("t.igc");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << "bare line feed at byte " << i;
        }

    EXPECT_EQ(record_types(lines), "AHICBL");
    EXPECT_EQ(lines[0], "ACSS00001");
    EXPECT_EQ(lines[2], "HFDTE150323");
    EXPECT_EQ(lines[3], "HFPLTPILOT:Jane Doe");
    EXPECT_EQ(lines[4], "HFGTYGLIDERTYPE:Discus");
    EXPECT_EQ(lines[11], "HFCIDCOMPETITIONID:B9");
    EXPECT_EQ(lines[13], "I023638FXA3941ENL");

    // Declaration: first fix 23:59:56.25, two task points; the start point
    // lies just below 47 degrees north and is written 47 degrees 00.000.
    EXPECT_EQ(lines[14], "C150323235956150323000000");
    EXPECT_EQ(lines[15].substr(0, 9), "C4700000N");
    EXPECT_EQ(lines[15].substr(17), "EStart");
    EXPECT_EQ(rd_fpl_1.tplat[0], std::nextafter(47.0f, 0.0f));  // stored unrounded
    std::string point;
    ASSERT_TRUE(igc_c_point(rd_fpl_1.tplat[0], rd_fpl_1.tplon[0], "Start", point));
    EXPECT_EQ(lines[15], point);
    ASSERT_TRUE(igc_c_point(rd_fpl_1.tplat[1], rd_fpl_1.tplon[1], "Goal", point));
    EXPECT_EQ(lines[16], point);
    EXPECT_EQ(lines[17], lines[16]);

    // Fixes across midnight, negative altitudes, ENL clamped.
    const char* times[] = {"235956", "235957", "235958", "235959", "000000", "000001", "000002", "000003"};
    const char* alts[] = {"00812", "00015", "00000", "-0001", "-0012", "-0250", "00004", "02000"};
    const char* enls[] = {"000", "000", "012", "250", "999", "999", "999", "500"};
    ASSERT_EQ(count_prefix(lines, "B"), 8u);
    for (std::size_t j = 0; j < 8; ++j) {
        const std::string& b = lines[18 + j];
        ASSERT_EQ(b.size(), 41u);
        EXPECT_EQ(b.substr(1, 6), times[j]);
        EXPECT_EQ(b.substr(25, 5), alts[j]);
        EXPECT_EQ(b.substr(30, 5), alts[j]);
        EXPECT_EQ(b.substr(35, 3), "005");
        EXPECT_EQ(b.substr(38, 3), enls[j]);
    }
    EXPECT_EQ(lines[21].substr(7, 8), "4700000N");

    // L records: the version-2 flight plan, the flight information, the scheme.
    EXPECT_EQ(lines[26], "LCONFPL[Version]");
    EXPECT_EQ(lines[27], "LCONFPLCondor version=2500");
    EXPECT_EQ(count_prefix(lines, "LCONFlightInfo"), 10u);
    EXPECT_EQ(lines[lines.size() - 11], "LCONFlightInfoRaceID=77");
    EXPECT_EQ(lines.back(), "LCONFBREMALOInterpolation=Next point (Condor default)   ");
}

TEST_F(IgcWriter, VersionThreeTrack) {
    const std::vector<std::string> lines = convert(interop_track(3040));
    EXPECT_EQ(record_types(lines), "AHICBL");
    EXPECT_EQ(count_prefix(lines, "B"), 8u);
    // The version-3 flight plan, then only the flight information and the
    // scheme line.
    const std::size_t first_l = 18 + 8;
    EXPECT_EQ(lines[first_l].rfind("LCONFPL", 0), 0u);
    // The plan opens with the version line that hands a log to the
    // flight-plan reader, and names the track's landscape.
    EXPECT_EQ(lines[first_l], "LCONFPL[Version]");
    EXPECT_EQ(lines[first_l + 1], "LCONFPLCondor version=3000");
    EXPECT_EQ(lines[first_l + 2], "LCONFPL[Task]");
    EXPECT_EQ(lines[first_l + 3], "LCONFPLLandscape=TestLand");
    const std::size_t fpl = count_prefix(lines, "LCONFPL");
    EXPECT_GT(fpl, 20u);
    EXPECT_EQ(lines.size(), first_l + fpl + 11);
    EXPECT_EQ(lines[first_l + fpl], "LCONFlightInfoRaceID=77");
    EXPECT_EQ(count_prefix(lines, "LCONFPLTPName"), 2u);
}

TEST_F(IgcWriter, TaskAndFixCountsAtTheirEdges) {
    // No task point: no C records at all.
    track_desc d = interop_track(2500);
    d.tps.clear();
    std::vector<std::string> lines = convert(d);
    EXPECT_EQ(record_types(lines), "AHIBL");

    // One task point: a declaration of 00 turnpoints, the point twice.
    d = interop_track(2500);
    d.tps.resize(1);
    lines = convert(d);
    EXPECT_EQ(count_prefix(lines, "C"), 3u);
    EXPECT_EQ(lines[14].substr(23), "00");

    // No fix: header, task and L records.
    lines = rewrite(0, 0, {});
    EXPECT_EQ(record_types(lines), "AHICL");
    // A count above the fixes held writes the fixes held.
    lines = rewrite(1000, 0, {});
    EXPECT_EQ(count_prefix(lines, "B"), ppsec.size());

    // A task-point count beyond the table writes the table's 31 points.
    rd_ftr_2.nwp = 45;
    lines = rewrite(0, 0, {});
    EXPECT_EQ(count_prefix(lines, "C"), 1u + 31u + 1u);
    EXPECT_EQ(lines[14].substr(23), "28");
}

TEST_F(IgcWriter, LRecordsByVersionAndHeader) {
    convert(interop_track(2500));
    // A caller's header: its lines, no C records; a version-2 track then
    // gets no L records.
    std::vector<std::string> lines = rewrite(3, 2, {"AXYZ123", "HFPLTPILOT:Someone"});
    EXPECT_EQ(lines.size(), 2u + 2u + 1u + 3u);
    EXPECT_EQ(record_types(lines), "AHIB");

    // A version-3 track gets its L records whatever the header.
    convert(interop_track(3040));
    lines = rewrite(3, -1, {});
    EXPECT_EQ(record_types(lines), "IBL");
    EXPECT_EQ(lines.back().rfind("LCONFBREMALOInterpolation=", 0), 0u);

    // Any other major version: no L records.
    rd_fpl_0.fpl_vers = 4100;
    lines = rewrite(3, 0, {});
    EXPECT_EQ(record_types(lines), "AHICB");
}

TEST_F(IgcWriter, ControlCharactersInTextsStayInsideTheirLine) {
    // A name holding a line end and a forged fix must not add a record, in
    // the records of the writer and in the flight plan's L records of
    // either version.
    for (const int32_t version : {2500, 3040}) {
        SCOPED_TRACE(version);
        track_desc d = interop_track(version);
        d.tps[1].name = tw_text(std::string("G\r\nB12\t\x7f\0", 9));
        d.gltype = tw_text(std::string("Dis\ncus", 7));
        const std::vector<std::string> lines = convert(d);
        EXPECT_EQ(lines[4], "HFGTYGLIDERTYPE:Dis cus");
        EXPECT_EQ(lines[16].substr(17), "EG  B12   ");
        EXPECT_EQ(count_prefix(lines, "B"), 8u);
        EXPECT_EQ(count_prefix(lines, "LCONFPLTPName1=G  B12"), 1u);
        for (const std::string& l : lines)
            for (char c : l) ASSERT_GE(static_cast<unsigned char>(c), 0x20) << l;
    }
}

TEST_F(IgcWriter, ReplacesAnExistingFile) {
    tmp.write("t.igc", std::string(100000, '\x01'));
    const std::vector<std::string> lines = convert(interop_track(2500));
    EXPECT_EQ(lines[0], "ACSS00001");
    EXPECT_EQ(tmp.read("t.igc").find('\x01'), std::string::npos);
}

TEST_F(IgcWriter, ConsoleLines) {
    convert(interop_track(2500));
    const std::string out = capture_console([&] { write_igc(tmp.file("c.igc  "), ppsec, 4, 0, 2, 1, 0, {}); });
    EXPECT_EQ(out.rfind(" WRITE_IGC " + tmp.file("c.igc") + " 0\n", 0), 0u) << out;
    EXPECT_NE(out.find("\n 2\n"), std::string::npos) << out;  // the major version
}

// A file that cannot be created or written stops the program with status
// 2 and a message naming the file, and leaves no partial IGC file.
class IgcWriterFailure : public IgcWriter {
protected:
    void SetUp() override {
        IgcWriter::SetUp();
        // The child must share this test's folder and records: forked.
        GTEST_FLAG_SET(death_test_style, "fast");
        convert(interop_track(3040));
    }
    void expect_stop(const std::string& fich, int32_t ntot) {
        EXPECT_EXIT(
            {
                ConsoleRedirect quiet(false);
                write_igc(fich, ppsec, 4, 0, ntot, 1, 0, {});
            },
            testing::ExitedWithCode(exit_write_failed), "");
        const std::string log = tmp.read("Logfile.txt");
        EXPECT_NE(log.find("The IGC file " + fich + " cannot be"), std::string::npos) << log;
    }
};

TEST_F(IgcWriterFailure, FileThatCannotBeCreated) {
    expect_stop(tmp.file(native_path("no/such/folder/x.igc")), 3);
    tmp.write("folder/keep", "");
    expect_stop(tmp.file("folder"), 3);
    EXPECT_TRUE(std::filesystem::is_directory(tmp.path() / "folder"));
}

#ifndef _WIN32
// Windows has no full device.
TEST_F(IgcWriterFailure, FileThatCannotBeWritten) {
    // A full device: a short file fails when it is closed, a long one while
    // its lines are written.  The device itself is not removed.
    expect_stop("/dev/full", 3);
    std::vector<track_fix> many(5000, ppsec[0]);
    ppsec = many;
    expect_stop("/dev/full", 5000);
    EXPECT_TRUE(std::filesystem::exists("/dev/full"));
}
#endif

}  // namespace

// The log's date and the declaration's are those of the first B record
// written: a flight that begins before midnight keeps the track's date; one
// whose first written fix lies at or past 24 h is of a later day.
TEST_F(IgcWriter, FlightDateOfTheFirstFixWritten) {
    struct Case {
        const char* what;
        double first_second;     // of the first raw fix
        bool first_unwritable;   // the first fix's position cannot be written
        const char* date;        // HFDTE and the declaration's dates
        const char* decl_time;   // the declaration's time of day
    };
    const Case cases[] = {
        {"past midnight, begun before it", 86396.25, false, "150323", "235956"},
        {"begun at midnight", 86400.25, false, "160323", "000000"},
        {"begun after midnight", 90000.25, false, "160323", "010000"},
        {"begun on the day after next", 2 * 86400.0 + 3600.25, false, "170323", "010000"},
        {"the fixes before midnight cannot be written", 86398.25, true, "160323", "235958"},
    };
    for (const Case& c : cases) {
        track_desc d = interop_track(3040);
        for (std::size_t i = 0; i < d.fixes.size(); ++i)
            d.fixes[i].hours = (c.first_second + static_cast<double>(i)) / 3600.0;
        if (c.first_unwritable) d.fixes[0].x = d.fixes[1].x = INFINITY;
        const std::vector<std::string> lines = convert(d);
        ASSERT_GT(lines.size(), 15u) << c.what;
        EXPECT_EQ(lines[2], std::string("HFDTE") + c.date) << c.what;
        EXPECT_EQ(lines[14], std::string("C") + c.date + c.decl_time + c.date + "000000") << c.what;
    }
}
