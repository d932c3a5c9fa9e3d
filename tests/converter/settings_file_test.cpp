#include "converter/settings_file.h"

#include <gtest/gtest.h>

#include "support/console.h"
#include "support/ftext.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"

namespace {

struct Settings {
    std::string fmtstr = "Y4_MM";
    char sep = '_';
    char wsubs = ' ';
    std::string folder;
};

}  // namespace

TEST(SettingsFile, Lines) {
    struct Case {
        const char* line;
        Settings expected;
        const char* note;
    } cases[] = {
        {"File format = ID-LA", {"ID-LA", '_', ' ', ""}, ""},
        {"File format=", {"Y4_MM", '_', ' ', ""}, ""},
        {"File format =    ", {"Y4_MM", '_', ' ', ""}, ""},
        {"#File format = ID", {"Y4_MM", '_', ' ', ""}, ""},
        {"  ", {"Y4_MM", '_', ' ', ""}, ""},
        {"file format = ID", {"Y4_MM", '_', ' ', ""}, ""},
        {"Output Folder = IGC files", {"Y4_MM", '_', ' ', "IGC files"}, ""},
        {"Output Folder : /data/igc", {"Y4_MM", '_', ' ', "/data/igc"}, ""},
        // A drive's ":" after the first one is part of the value.
        {"Output Folder : D:\\igc", {"Y4_MM", '_', ' ', "D:\\igc"}, ""},
        {"Output Folder = C:\\My Flights\\IGC", {"Y4_MM", '_', ' ', "C:\\My Flights\\IGC"}, ""},
        {"  Output Folder = out", {"Y4_MM", '_', ' ', "out"}, ""},
        {"Separator = -", {"Y4_MM", '-', ' ', ""}, ""},
        {"Separator = -_", {"Y4_MM", '-', ' ', ""}, ""},
        {"Separator = .", {"Y4_MM", '_', ' ', ""}, " . : invalid separator"},
        {"Withespace substitute = _", {"Y4_MM", '_', '_', ""}, ""},
        {"Withespace substitute = +", {"Y4_MM", '_', '-', ""}, " + : invalid separator"},
        {"Whitespace substitute = _", {"Y4_MM", '_', ' ', ""}, ""},
        {"Colour = red", {"Y4_MM", '_', ' ', ""}, ""},
    };
    for (const Case& c : cases) {
        Settings s;
        const std::string note = rd_ini_line(c.line, s.fmtstr, s.sep, s.wsubs, s.folder);
        EXPECT_EQ(s.fmtstr, c.expected.fmtstr) << c.line;
        EXPECT_EQ(s.sep, c.expected.sep) << c.line;
        EXPECT_EQ(s.wsubs, c.expected.wsubs) << c.line;
        EXPECT_EQ(s.folder, c.expected.folder) << c.line;
        EXPECT_EQ(note, c.note) << c.line;
    }
}

// A line is read as its first 256 characters; values are cut to their
// settings' widths.
TEST(SettingsFile, LongLinesAndValues) {
    Settings s;
    rd_ini_line("File format = " + std::string(250, 'A'), s.fmtstr, s.sep, s.wsubs, s.folder);
    EXPECT_EQ(s.fmtstr, std::string(200, 'A'));
    rd_ini_line("Output Folder = " + std::string(300, 'f'), s.fmtstr, s.sep, s.wsubs, s.folder);
    EXPECT_EQ(s.folder, std::string(256 - 16, 'f'));
}

// The rows are written with "/" and taken with the platform's separator.
TEST(SettingsFile, NameBesideTheProgramName) {
    struct Case {
        const char* arg0;
        const char* name;
    } cases[] = {
        {"Bremalo", "Bremalo.ini"},
        {"./Bremalo", "./Bremalo.ini"},
        {"/usr/local/bin/Bremalo  ", "/usr/local/bin/Bremalo.ini"},
        {"/opt/a.b/bremalo.exe", "/opt/a.b/Bremalo.ini"},
#ifdef _WIN32
        {"C:/Program Files (x86)/Bremalo/BREMALO.EXE", "C:/Program Files (x86)/Bremalo/Bremalo.ini"},
        {"//server/tools/Bremalo", "//server/tools/Bremalo.ini"},
#endif
    };
    for (const Case& c : cases) EXPECT_EQ(ini_file_name(native_path(c.arg0)), native_path(c.name)) << c.arg0;
#ifdef _WIN32
    // A program started by a name with "/" (as some shells give it).
    EXPECT_EQ(ini_file_name("C:/tools/Bremalo.exe"), "C:/tools/Bremalo.ini");
#endif
}

class SettingsFileRead : public InTempDir {};

// A file written on Windows (CR LF) reads as one written here; a missing
// file leaves everything as it was.
TEST_F(SettingsFileRead, WholeFile) {
    tmp.write("bin/Bremalo.ini",
              "# settings\r\nFile format = LA-ID\r\nSeparator = -\r\n\r\nOutput Folder = out dir\r\n"
              "Withespace substitute = *\r\nSeparator");
    Settings s;
    begin_stdout_capture();
    rd_ini(tmp.file(native_path("bin/Bremalo")), s.fmtstr, s.sep, s.wsubs, s.folder);
    EXPECT_EQ(end_stdout_capture(), " * : invalid separator\n");
    EXPECT_EQ(s.fmtstr, "LA-ID");
    EXPECT_EQ(s.sep, '-');
    EXPECT_EQ(s.wsubs, '-');
    EXPECT_EQ(s.folder, "out dir");

    Settings untouched;
    rd_ini(tmp.file(native_path("elsewhere/Bremalo")), untouched.fmtstr, untouched.sep, untouched.wsubs, untouched.folder);
    EXPECT_EQ(untouched.fmtstr, "Y4_MM");
    EXPECT_EQ(untouched.sep, '_');
}

// A byte-order mark (as Windows editors save UTF-8) before the first line
// is no part of its key and takes nothing of the line's width; only at the
// start of the file is it one.
TEST_F(SettingsFileRead, ByteOrderMark) {
    const std::string bom = "\xEF\xBB\xBF";
    const std::string key = "Output Folder = ";
    const std::string full_width = std::string(ini_line_len - key.size() - 3, 'f') + "end";
    struct Case {
        const char* what;
        std::string text;
        std::string fmtstr;
        std::string folder;
    };
    const Case cases[] = {
        {"mark before the first key", bom + "File format = LA\r\nOutput Folder = o\r\n", "LA", "o"},
        {"mark before a line of the full width", bom + key + full_width + "\n", "Y4_MM", full_width},
        {"mark on a later line", "Output Folder = o\n" + bom + "File format = LA\n", "Y4_MM", "o"},
    };
    for (const Case& c : cases) {
        tmp.write("bin/Bremalo.ini", c.text);
        Settings s;
        rd_ini(tmp.file(native_path("bin/Bremalo")), s.fmtstr, s.sep, s.wsubs, s.folder);
        EXPECT_EQ(s.fmtstr, c.fmtstr) << c.what;
        EXPECT_EQ(trim_right(s.folder), c.folder) << c.what;
    }
}
