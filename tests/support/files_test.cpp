#include "support/files.h"
#include "support/text_line.h"

#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "support/error_note.h"
#include "support/messages.h"
#include "support/paths.h"
#include "support/platform_dialogs.h"
#include "tests/common/temp_dir.h"
#include "tests/common/console_capture.h"
#include "tests/common/env_vars.h"

namespace fs = std::filesystem;

class Files : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        set_env("BREMALO_NO_GUI", "1");
        cmndta000.app_path = tmp.path().string() + std::string(path_sep_str());
    }
};

TEST_F(Files, CheckDirOnExistingFolderRunsNothing) {
    fs::create_directory("out");
    begin_stdout_capture();
    EXPECT_EQ(check_dir("out"), 1);
    EXPECT_EQ(end_stdout_capture(), "");
}

TEST_F(Files, CheckDirCreatesNamesWithShellCharacters) {
    // Each of these would do something else in a command interpreter (a
    // double quote cannot be part of a Windows file name).
    std::vector<std::string> names = {"with blank", "a&b", "semi;colon", "it's", "$(touch pwned)",
                                      "per%cent%", "car^et", native_path("deep/er/still"),
                                      native_path("trailing/sep/")};
    if (path_separator() == '/') names.push_back("quo\"te");
    for (const std::string& n : names) {
        begin_stdout_capture();
        EXPECT_EQ(check_dir(n), 1) << n;
        std::string out = end_stdout_capture();
        EXPECT_TRUE(fs::is_directory(n)) << n;
        EXPECT_EQ(out, "MKDIR " + n + "\n exitstat= 0 cmdstat= 0\n") << n;
    }
    EXPECT_FALSE(fs::exists("pwned"));
    EXPECT_FALSE(fs::exists("b"));
}

// The reason shown beside "ERROR CREATING": the system's error number of
// the folder that could not be made, with its text.
std::string creation_reason([[maybe_unused]] int linux_errno, [[maybe_unused]] int windows_code) {
#ifdef _WIN32
    return os_error_note(windows_code);
#else
    return os_error_note(linux_errno);
#endif
}

TEST_F(Files, CheckDirFailureShowsAndLogsTheFolder) {
    tmp.write("plainfile", "x");
    const std::string dir = tmp.file("plainfile") + std::string(path_sep_str()) + "sub";
    begin_stdout_capture();
    begin_stderr_capture();
    EXPECT_EQ(check_dir(dir), 0);
    std::string err = end_stderr_capture();
    std::string out = end_stdout_capture();
    EXPECT_NE(out.find(" exitstat= 1 cmdstat= 0\n"), std::string::npos) << out;
    // The box shows the whole path, then the second line with the system's
    // reason.
    const std::string second = "ERROR CREATING" + creation_reason(ENOTDIR, 3 /* ERROR_PATH_NOT_FOUND */);
    EXPECT_EQ(err, "Dralto\n" + dir + "\n" + second + "\n");
    std::string log = tmp.read("ErrorLog.txt");
    EXPECT_NE(log.find("+ ERROR +-"), std::string::npos);
    EXPECT_NE(log.find("\r\n" + dir + "\r\n" + second + "\r\n"), std::string::npos) << log;
}

// A file under the folder's name is no folder: creating the folder fails.
TEST_F(Files, CheckDirRefusesAFileOfTheFoldersName) {
    tmp.write("out", "x");
    begin_stdout_capture();
    begin_stderr_capture();
    EXPECT_EQ(check_dir("out"), 0);
    const std::string err = end_stderr_capture();
    end_stdout_capture();
    EXPECT_EQ(err, "Dralto\nout\nERROR CREATING" + creation_reason(EEXIST, 183 /* ERROR_ALREADY_EXISTS */) + "\n");
    EXPECT_EQ(tmp.read("out"), "x");
}

TEST_F(Files, DeleteFileStatuses) {
    tmp.write("victim.txt", "data");
    begin_stdout_capture();
    EXPECT_EQ(delete_file("victim.txt"), 0);
    EXPECT_EQ(delete_file("victim.txt"), -1);
    std::string out = end_stdout_capture();
    EXPECT_FALSE(fs::exists("victim.txt"));
    EXPECT_EQ(out, " delete_file\n OPEN 0\n DELETE 0\n delete_file\n INEXISTING\n");
}

TEST_F(Files, ModificationTimes) {
    begin_stdout_capture();
    EXPECT_EQ(modified_date("missing.txt"), -1);
    EXPECT_FALSE(is_file_updated(0, "missing.txt"));
    EXPECT_FALSE(is_file_updated(-5, "missing.txt"));
    tmp.write("f.txt", "x");
    const auto now = static_cast<int32_t>(
        std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
            .count());
    int32_t t = modified_date("f.txt");
    EXPECT_TRUE(is_file_updated(t, "f.txt"));
    EXPECT_FALSE(is_file_updated(t + 1, "f.txt"));
    std::string out = end_stdout_capture();
    EXPECT_LE(std::abs(t - now), 5);
    EXPECT_EQ(out.substr(0, 4), " -1\n");
}

TEST_F(Files, WaitForAnUpdatedFileReturns) {
    tmp.write("a.txt", "x");
    tmp.write("b.txt", "y");
    fs::last_write_time("a.txt", fs::last_write_time("a.txt") - std::chrono::hours(1));
    begin_stdout_capture();
    wait_for_file(0, "b.txt");
    int32_t nmod = 0;
    wait_for_2_files(modified_date("b.txt"), "a.txt", "b.txt", nmod);
    std::string out = end_stdout_capture();
    EXPECT_EQ(nmod, 2);
    EXPECT_EQ(out.substr(0, 20), " waiting for b.txt 0");
}

TEST_F(Files, WritableFolderProbe) {
    // A folder whose probe name runs past 256 characters is probed in
    // itself, not under a cut name.
    const std::string sep(path_sep_str());
    std::string deep = tmp.file(std::string(120, 'd') + sep + std::string(120, 'e'));
    if (path_separator() == '\\') {
        // Windows opens paths of at most 259 characters: a probe name of 258.
        const std::size_t rest = 258 - 40 - tmp.path().string().size() - sep.size();
        deep = tmp.file(std::string(rest / 2, 'd') + sep + std::string(rest - rest / 2 - sep.size(), 'e'));
    }
    fs::create_directories(deep);
    ASSERT_GT(deep.size() + 40, 256u);
    for (const std::string& folder : {tmp.path().string(), deep}) {
        begin_stdout_capture();
        check_writable_folder(folder, "Probe");
        std::string out = end_stdout_capture();
        const std::string probe = folder + std::string(path_sep_str()) + "tmp_TMP_tmp_TMP_tmp_TMP_tmp_TMP_tmp.txt";
        EXPECT_NE(out.find("check_writable_folder " + probe + "\n"),
                  std::string::npos)
            << out;
        EXPECT_NE(out.find(" 0 0 0 0\n"), std::string::npos) << out;
        EXPECT_FALSE(fs::exists(probe));
    }
}

TEST_F(Files, UnwritableFolderStopsTheProgram) {
    const std::string folder = tmp.file(native_path("no/such"));
    struct Case {
        bool french;
        std::string lines;
    } cases[] = {
        {false, "The " + folder + " folder is not writable\r\n"
                "Change the access rights of the folder\r\nOr install in another location\r\n"},
        {true, "Le dossier " + folder + dlg_native_text(" n'est pas accessible en \xE9" "criture\r\n"
               "Modifiez les droit d'acc\xE8s du dossier\r\nOu installez Pemsik \xE0 un autre emplacement\r\n")},
    };
    for (const Case& c : cases) {
        fs::remove("ErrorLog.txt");
        EXPECT_EXIT(
            {
                cmndta001.qline = true;
                cmndta001.qfr = c.french;
                check_writable_folder(folder, "Probe");
            },
            testing::ExitedWithCode(1), "");
        std::string log = tmp.read("ErrorLog.txt");
        EXPECT_NE(log.find(c.lines), std::string::npos) << log;
    }
}

TEST_F(Files, TextLinesEndWithCrLf) {
    std::FILE* f = std::fopen("lines.txt", "wb");
    ASSERT_TRUE(f);
    EXPECT_TRUE(write_text_line(f, "one"));
    EXPECT_TRUE(write_text_line(f, ""));
    EXPECT_TRUE(write_text_line(f, std::string("n\0l", 3)));
    std::fclose(f);
    EXPECT_EQ(tmp.read("lines.txt"), std::string("one\r\n\r\nn\0l\r\n", 12));
    EXPECT_FALSE(write_text_line(nullptr, "x"));
}

TEST(TextLine, ControlCharactersBecomeBlanks) {
    // Bytes below 0x20 and 0x7F are control characters; blanks, printable
    // ASCII and the bytes of Latin-1 names (0x80 and above) stay.
    struct Case {
        std::string in;
        bool has;
        std::string out;
    };
    const Case cases[] = {
        {"B1234 ok~", false, "B1234 ok~"},
        {"", false, ""},
        {"\xE9t\xE9\x80\xFF", false, "\xE9t\xE9\x80\xFF"},
        {std::string("a\r\nb\0c", 6), true, "a  b c"},
        {"\x1F\x7F\t", true, "   "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(has_control_char(c.in), c.has) << c.out;
        EXPECT_EQ(blank_control_chars(c.in), c.out);
    }
}
