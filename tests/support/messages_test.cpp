#include "support/messages.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <vector>

#include <gtest/gtest.h>

#include "support/paths.h"
#include "tests/common/temp_dir.h"
#include "tests/common/console_capture.h"
#include "tests/common/env_vars.h"

namespace fs = std::filesystem;

namespace {

const std::string info_banner = "+ INFO +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
const std::string warning_banner = "+ WARNING +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
const std::string error_banner = "+ ERROR +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
const std::string fatal_banner = "+ FATAL ERROR +-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";
const std::string footer = "+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-+-";

// The error log with every date line replaced by "<date>".
std::string undated(const std::string& text) {
    static const std::regex date(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)");
    return std::regex_replace(text, date, "<date>");
}

}  // namespace

class Messages : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        set_env("BREMALO_NO_GUI", "1");
        folder = tmp.path().string() + std::string(path_sep_str());
        cmndta000.app_path = folder;
    }
    std::string folder;
};

TEST(PrintMessage, LineSplitting) {
    struct Case {
        const char* msg;
        const char* console;
    } cases[] = {
        {"x\\/y/z", "x/y\nz\n"},
        {"\\//", "/\n\n"},
        {"/a", "\na\n"},
        {"a//b/", "a\n\nb\n\n"},
        {"", " \n"},
        {"   ", " \n"},
        {" lead  /trail  ", " lead\ntrail\n"},
        {"\"a/b\"  ", "a/b\n"},
        {"\"", "\n"},
        {"one\ntwo", "one\ntwo\n"},
        {"C:\\dir\\/x", "C:\\dir/x\n"},
    };
    for (const Case& c : cases) {
        begin_stdout_capture();
        print_message(nullptr, c.msg);
        EXPECT_EQ(end_stdout_capture(), c.console) << c.msg;
    }
}

TEST_F(Messages, RunLogPlainMessages) {
    begin_stdout_capture();
    log_message_f("first/second");
    log_message_f("{i}lower case is no prefix");
    log_message_f("   ");
    std::string out = end_stdout_capture();
    EXPECT_EQ(out,
              " >>> first/second\nfirst\nsecond\n"
              " >>> {i}lower case is no prefix\n{i}lower case is no prefix\n"
              " >>> \n \n");
    EXPECT_EQ(tmp.read("Logfile.txt"), "first\r\nsecond\r\n{i}lower case is no prefix\r\n \r\n");
    EXPECT_FALSE(fs::exists("ErrorLog.txt"));
}

// A message that begins with a file's name: a name that begins like a
// prefix of the log is shown as the same file behind "." and the separator,
// and neither frames nor stops nor starts a new log; other names are only
// escaped.
TEST_F(Messages, FileNamesAtTheStartOfAMessageAreNoPrefixes) {
    const std::string here = "." + std::string(path_sep_str());
    struct Case {
        std::string name;
        std::string logged;
    } cases[] = {
        {"{F}x.ftr", here + "{F}x.ftr"},   {"{E}x.ftr", here + "{E}x.ftr"},
        {"{W}x.ftr", here + "{W}x.ftr"},   {"{I}x.ftr", here + "{I}x.ftr"},
        {"CREATE x.ftr", here + "CREATE x.ftr"}, {"{f}x.ftr", "{f}x.ftr"},
        {"x{F}.ftr", "x{F}.ftr"},          {"CREAT.ftr", "CREAT.ftr"},
        {native_path("in/{F}.ftr"), native_path("in/{F}.ftr")},
    };
    std::string expected;
    begin_stdout_capture();
    for (const Case& c : cases) {
        log_message_f(path_for_log_message(c.name) + " : file not found");
        expected += c.logged + " : file not found\r\n";
    }
    end_stdout_capture();
    EXPECT_EQ(tmp.read("Logfile.txt"), expected);
    EXPECT_FALSE(fs::exists("ErrorLog.txt"));
    EXPECT_FALSE(fs::exists(" x.ftr : file not found"));
}

TEST_F(Messages, PlainRunLogLinesFollowTheCurrentLog) {
    begin_stdout_capture();
    log_plain_line("UTM NOT INITIALIZED/x");
    EXPECT_EQ(end_stdout_capture(), "");  // no console echo
    EXPECT_EQ(tmp.read("Logfile.txt"), "UTM NOT INITIALIZED/x\r\n");
    EXPECT_EXIT(
        {
            log_message_f("CREATE other.log");
            log_plain_line("plain");
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(undated(tmp.read("other.log")), "<date>\r\n\r\nplain\r\n");
}

TEST_F(Messages, RunLogKeepsEscapedPathsWhole) {
    begin_stdout_capture();
    log_message_f("{I}read \\/tmp\\/a b\\/x.ftr/next line");
    std::string out = end_stdout_capture();
    EXPECT_EQ(out, " >>> {I}read /tmp/a b/x.ftr/next line\n" + info_banner + "\nread /tmp/a b/x.ftr\nnext line\n" +
                       footer + "\n");
    EXPECT_EQ(tmp.read("Logfile.txt"), info_banner + "\r\nread /tmp/a b/x.ftr\r\nnext line\r\n" + footer + "\r\n");
}

TEST_F(Messages, RunLogInfoBanner) {
    begin_stdout_capture();
    log_message_f("{I}");
    log_message_f("{I}\"quoted/kept\"");
    end_stdout_capture();
    EXPECT_EQ(tmp.read("Logfile.txt"),
              info_banner + "\r\n \r\n" + footer + "\r\n" + info_banner + "\r\nquoted/kept\r\n" + footer + "\r\n");
}

TEST_F(Messages, RunLogErrorAlsoGoesToErrorLog) {
    begin_stdout_capture();
    log_message_f("{E}part one/part two");
    std::string out = end_stdout_capture();
    const std::string path = folder + "ErrorLog.txt";
    EXPECT_EQ(out, " >>> {E}part one/part two\n" + error_banner + "\n" +
                       " " + std::to_string(folder.size()) + " " + folder + "\n 66 " + path + "\n" + error_banner +
                       "\npart one\npart two\n" + "part one\npart two\n" + footer + "\n");
    EXPECT_EQ(tmp.read("Logfile.txt"), error_banner + "\r\npart one\r\npart two\r\n" + footer + "\r\n");
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")), "\r\n<date>\r\n" + error_banner + "\r\npart one\r\npart two\r\n");
}

TEST_F(Messages, RunLogWarningAndFatal) {
    // Both in the child: where it runs the test anew (Windows) it would
    // repeat a warning written before it.
    EXPECT_EXIT(
        {
            log_message_f("{W}careful");
            log_message_f("{F}the end");
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(tmp.read("Logfile.txt"), warning_banner + "\r\ncareful\r\n" + footer + "\r\n" + fatal_banner +
                                           "\r\nthe end\r\n" + footer + "\r\n");
    // A fatal run-log message is not an error-log entry.
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")), "\r\n<date>\r\n" + warning_banner + "\r\ncareful\r\n");
}

TEST_F(Messages, RunLogTextIsCutAt1024Characters) {
    std::string longer(1500, 'a');
    begin_stdout_capture();
    log_message_f("{I}" + longer);
    end_stdout_capture();
    EXPECT_EQ(tmp.read("Logfile.txt"), info_banner + "\r\n" + std::string(1024, 'a') + "\r\n" + footer + "\r\n");
}

TEST_F(Messages, RunLogNulAndEmptyTextsDoNotFail) {
    begin_stdout_capture();
    log_message_f(std::string("{I}a\0b", 6));
    log_message_f("");
    log_message("");
    log_message(nullptr);
    end_stdout_capture();
    EXPECT_EQ(tmp.read("Logfile.txt"),
              info_banner + "\r\n" + std::string("a\0b", 3) + "\r\n" + footer + "\r\n \r\n \r\n \r\n");
}

// The run-log name lives for the whole process, so these run in a child.
TEST_F(Messages, CreateStartsADatedLog) {
    EXPECT_EXIT(
        {
            log_message_f("CREATE   own.log");
            log_message_f("into the new log");
            std::exit(0);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(undated(tmp.read("own.log")), "<date>\r\n\r\ninto the new log\r\n");
    EXPECT_FALSE(fs::exists("Logfile.txt"));

    // A name escaped for messages names the same file.
    fs::create_directory("sub");
    EXPECT_EXIT(
        {
            begin_stdout_capture();
            log_message_f("CREATE " + escape_path_for_message(folder + native_path("sub/x.log")));
            std::string out = end_stdout_capture();
            const std::string name = folder + native_path("sub/x.log");
            std::exit(out == " >>> CREATE " + name + "\n CREATE " + name + " 0\n" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    EXPECT_EQ(undated(tmp.read("sub/x.log")), "<date>\r\n\r\n");

    EXPECT_EXIT(
        {
            std::string msg = "CREATE-SEND-NAME";
            log_message_f(msg);
            static const std::regex name(R"(support_messages_test_\d{4}_\d\d_\d\d-\d\d_\d\d_\d\d\.log)");
            std::exit(std::regex_match(msg, name) && fs::exists(msg) && fs::file_size(msg) == 23 ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Messages, ErrorLogLayoutAndFolderForms) {
    begin_stdout_capture();
    log_error_f("one/two", 1);
    cmndta000.app_path = tmp.path().string();  // without the trailing separator
    log_error_f("three", 7);
    cmndta000.app_path.clear();  // refilled from the program folder
    end_stdout_capture();
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")),
              "\r\n<date>\r\n" + error_banner + "\r\none\r\ntwo\r\n\r\n<date>\r\nthree\r\n");
}

// The error log then goes into the test program's own folder, the build's:
// the test takes it away again.
TEST_F(Messages, ErrorLogBlankProgramFolderIsRefilled) {
    std::string inst;
    get_inst_path(inst);
    ASSERT_FALSE(inst.empty());
    const fs::path error_log = fs::path(inst) / "ErrorLog.txt";
    fs::remove(error_log);
    EXPECT_EXIT(
        {
            cmndta000.app_path = std::string(3, '\0');
            log_error_f("refilled", 2);
            std::exit(cmndta000.app_path == inst ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
    const std::string written = read_file(error_log);
    fs::remove(error_log);
    EXPECT_EQ(undated(written), "\r\n<date>\r\n" + warning_banner + "\r\nrefilled\r\n");
}

// A program folder that cannot take the error log sends it to the working
// folder; the run goes on.
TEST_F(Messages, ErrorLogFallsBackToTheWorkingFolder) {
    TempDir program;
    cmndta000.app_path = program.path().string() + native_path("/no/such/");
    begin_stdout_capture();
    log_error_f("kept", 2);
    const std::string out = end_stdout_capture();
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")), "\r\n<date>\r\n" + warning_banner + "\r\nkept\r\n");
    EXPECT_NE(out.find(" ErrorLog.txt : error log in the working folder\n"), std::string::npos) << out;
    EXPECT_FALSE(fs::exists(tmp.path() / "Logfile.txt"));
}

// Neither the program folder nor the working folder can take the error log
// (a folder stands under its name in the working folder): the run stops.
TEST_F(Messages, UnopenableErrorLogStopsThroughTheRunLog) {
    cmndta000.app_path = folder + native_path("no/such/");
    fs::create_directory(tmp.path() / "ErrorLog.txt");
    EXPECT_EXIT(log_error_f("lost", 1), testing::ExitedWithCode(1), "");
    const std::string shown = folder + native_path("no/such/ErrorLog.txt") + " : Error opening)";
    EXPECT_EQ(tmp.read("Logfile.txt"), fatal_banner + "\r\n" + shown + "\r\n" + footer + "\r\n");
}

// The fatal message about the error log is written while the run log is
// still open for the error message that led to it: the run log keeps the
// order in which the lines were written.
TEST_F(Messages, UnopenableErrorLogInsideARunLogError) {
    cmndta000.app_path = folder + native_path("no/such/");
    const std::string path = folder + native_path("no/such/ErrorLog.txt");
    const std::string shown = path + " : Error opening)";
    fs::create_directory(tmp.path() / "ErrorLog.txt");
    EXPECT_EXIT(
        {
            stdout_into_stderr();
            log_message_f("{E}cause");
            std::exit(1);  // not reached
        },
        testing::ExitedWithCode(1), "");
    EXPECT_EQ(tmp.read("Logfile.txt"),
              error_banner + "\r\n" + fatal_banner + "\r\n" + shown + "\r\n" + footer + "\r\n");
}

// A run that stops while its console is being captured never collects the
// capture: what it printed must not stay behind in a file of the temporary
// folder (nor in /tmp, where GoogleTest's own captures go on Linux).  The
// mark is the same in a death test's child that runs the test anew.
TEST_F(Messages, StopInsideAConsoleCaptureLeavesNoFile) {
    const std::string mark = "stopped inside a capture in " + tmp.path().filename().string();
    const auto began = fs::file_time_type::clock::now() - std::chrono::seconds(2);
    EXPECT_EXIT(
        {
            begin_stdout_capture();
            log_message_f("{F}" + mark);
        },
        testing::ExitedWithCode(1), "");
    std::vector<fs::path> folders = {fs::temp_directory_path()};
#ifndef _WIN32
    folders.push_back("/tmp");
#endif
    for (const fs::path& folder : folders) {
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(folder, ec)) {
            // Only small files written since the test began: other
            // processes keep theirs there too.
            if (!e.is_regular_file(ec) || e.file_size(ec) > (1u << 20) || e.last_write_time(ec) < began) continue;
            EXPECT_EQ(read_file(e.path()).find(mark), std::string::npos) << e.path().string();
        }
    }
}

TEST_F(Messages, ConsoleModeErrorIsAlsoLogged) {
    int32_t status = s_error;
    const std::string path = "\\/data\\/out/";
    begin_stdout_capture();
    error_message_tit(status, "Title", path + "second line", true);
    std::string out = end_stdout_capture();
    EXPECT_EQ(status, s_error);
    EXPECT_EQ(out.substr(0, 24), " /data/out\nsecond line\n ");
    // The escaped slashes stay slashes in the error log too.
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")), "\r\n<date>\r\n" + error_banner + "\r\n/data/out\r\nsecond line\r\n");
}

TEST_F(Messages, InformationAndQuestionsAreNotLogged) {
    begin_stdout_capture();
    begin_stderr_capture();
    int32_t status = s_info;
    error_message(status, "just so", false);
    EXPECT_EQ(status, s_info);
    status = s_yesno;
    error_message(status, "go on?", false);  // no terminal: the default, yes
    EXPECT_EQ(status, 1);
    status = s_fatal;
    error_message(status, "no box", false);
    EXPECT_EQ(status, s_fatal);
    std::string err = end_stderr_capture();
    end_stdout_capture();
    EXPECT_EQ(err, "Dralto\njust so\nDralto\ngo on?\n");
    EXPECT_FALSE(fs::exists("ErrorLog.txt"));
}

TEST_F(Messages, BoxTextsAreCut) {
    begin_stderr_capture();
    begin_stdout_capture();
    int32_t status = s_warning;
    error_message_tit(status, std::string(70, 't'), std::string(600, 'm'), false);
    end_stdout_capture();
    std::string err = end_stderr_capture();
    EXPECT_EQ(err, std::string(63, 't') + "\n" + std::string(511, 'm') + "\n");
    // The error log keeps the longer text.
    EXPECT_NE(tmp.read("ErrorLog.txt").find(std::string(600, 'm')), std::string::npos);
}

TEST_F(Messages, WarningBoxSplitsUtf8Safely) {
    begin_stderr_capture();
    begin_stdout_capture();
    int32_t status = s_info;
    std::string text = std::string(510, 'a') + "\xC3\xA9";  // é across the limit
    error_message(status, text, false);
    end_stdout_capture();
    EXPECT_EQ(end_stderr_capture(), "Dralto\n" + std::string(510, 'a') + "\n");
}

TEST_F(Messages, DisplayMessageStatuses) {
    begin_stderr_capture();
    for (int32_t s : {s_yesno, s_okcancel, s_yesnocancel}) {
        int32_t status = s;
        EXPECT_EQ(DisplayMessage("t", "m", &status), 1);
        EXPECT_EQ(status, 1);
    }
    int32_t other = 42;
    EXPECT_EQ(DisplayMessage("t", "m", &other), 42);
    EXPECT_EQ(other, 42);
    EXPECT_EQ(DisplayMessage("t", "m", nullptr), 0);
    std::string err = end_stderr_capture();
    EXPECT_EQ(err, "t\nm\nt\nm\nt\nm\n");
}

TEST_F(Messages, CStringEntriesTrace) {
    begin_stdout_capture();
    log_error("chooser said no", 2);
    log_message("plain");
    std::string out = end_stdout_capture();
    EXPECT_EQ(out.substr(0, 36), " log_error 2 15 15 chooser said no\n ");
    EXPECT_NE(out.find(" log_message 5 5 plain\n >>> plain\nplain\n"), std::string::npos) << out;
    EXPECT_EQ(undated(tmp.read("ErrorLog.txt")), "\r\n<date>\r\n" + warning_banner + "\r\nchooser said no\r\n");
}
