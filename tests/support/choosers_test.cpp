#include "support/choosers.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/common/fake_dialog.h"

namespace {

using Args = std::vector<std::string>;

bool has(const Args& args, const std::string& a) { return std::find(args.begin(), args.end(), a) != args.end(); }

// Each test in its own folder, which also holds the error log.
class Choosers : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        cmndta000.app_path = tmp.path().string() + "/";
        setenv("LANG", "en_GB.UTF-8", 1);
        unsetenv("LC_ALL");
        unsetenv("LC_MESSAGES");
    }
    std::string error_log() const { return tmp.read("ErrorLog.txt"); }
};

TEST(FilterSplitting, PatternsAndLimits) {
    const std::string p31(31, 'x');
    const std::string p32(32, 'y');
    struct Case { std::string filter; std::vector<std::string> want; };
    const Case cases[] = {
        {"*.ftr", {"*.ftr"}},
        {"*.ftr,*.FTR", {"*.ftr", "*.FTR"}},
        {"*.ftr,", {"*.ftr"}},
        {"", {}},
        {",*.ftr", {",*.ftr"}},          // a leading comma is no separator
        {"*.a,,*.b", {"*.a", ",*.b"}},   // the second comma stays in front
        {p31 + ",*.a", {p31, "*.a"}},    // 31 characters fit
        {p32 + ",*.a", {"*.a"}},         // 32 do not: that pattern is left out whole
        {"1,2,3,4,5,6,7,8,9,10,11,12", {"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}},
        // 64 characters: the last pattern ends past the 63rd and is left out.
        {std::string(28, 'a') + "," + std::string(28, 'b') + ",*.cdef", {std::string(28, 'a'), std::string(28, 'b')}},
        {std::string(28, 'a') + "," + std::string(28, 'b') + ",*.cde", {std::string(28, 'a'), std::string(28, 'b'), "*.cde"}},
    };
    for (const Case& c : cases) EXPECT_EQ(split_filter(c.filter), c.want) << '"' << c.filter << '"';
}

TEST(SubstringCopies, PositionsAndLimits) {
    struct Pos { int32_t p1, p2; const char* want; };
    const Pos pos[] = {{0, 2, "abc"}, {2, 2, "c"}, {3, 1, ""}, {4, 99, "ef"}, {-3, 1, "ab"}, {9, 12, ""}};
    for (const Pos& c : pos) {
        std::string sub = "old";
        substrpos("abcdef", sub, c.p1, c.p2);
        EXPECT_EQ(sub, c.want) << c.p1 << ".." << c.p2;
    }
    struct Len { int32_t p, l; const char* want; int32_t result; };
    const Len lens[] = {{1, 3, "bcd", 3}, {0, 0, "", 0}, {2, -1, "", 0}, {4, 10, "ef", 2}, {6, 1, "", 0}, {-1, 2, "", 0}};
    for (const Len& c : lens) {
        std::string sub = "old";
        EXPECT_EQ(substring("abcdef", sub, c.p, c.l), c.result) << c.p << "+" << c.l;
        EXPECT_EQ(sub, c.want) << c.p << "+" << c.l;
    }
}

// Without a graphical session and without a terminal nothing can be chosen:
// each chooser warns in the user's language and logs the warning.
TEST_F(Choosers, EmptyChoiceWarnsInTheUsersLanguage) {
    setenv("BREMALO_NO_GUI", "1", 1);
    stdin_from_nothing();
    enum Which { open_file, save_file, folder };
    struct Case { Which which; const char* lang; const char* title; const char* text; };
    const Case cases[] = {
        {open_file, "en_US.UTF-8", "Get file", "No file specification returned"},
        {open_file, "fr_FR.UTF-8", "Get file", "Aucun fichier sp\xC3\xA9" "cifi\xC3\xA9"},
        {save_file, "C", "Save File", "No file specification returned"},
        {save_file, "fr_CA.UTF-8", "Save File", "Aucun fichier sp\xC3\xA9" "cifi\xC3\xA9"},
        {folder, "de_DE.UTF-8", "Select Folder", "No folder returned"},
        {folder, "fr_FR.UTF-8", "Select Folder", "Aucun dossier sp\xC3\xA9" "cifi\xC3\xA9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title + std::string(" ") + c.lang);
        setenv("LANG", c.lang, 1);
        std::remove("ErrorLog.txt");
        std::string out = "untouched";
        int32_t len = 99;
        begin_stderr_capture();
        switch (c.which) {
        case open_file:
            EXPECT_EQ(GetFileName(out, "Pick tracks", "", "*.ftr", "", 1, len), 0);
            break;
        case save_file:
            EXPECT_EQ(SaveFileName(out, "Save as", "", "*.txt", "", len), 0);
            break;
        case folder:
            EXPECT_EQ(GetFolder("Pick folder", "/", len, out), 1);
            break;
        }
        const std::string box = end_stderr_capture();
        EXPECT_EQ(len, 0);
        EXPECT_EQ(out, "untouched");
        EXPECT_NE(box.find(c.title), std::string::npos) << box;
        EXPECT_NE(box.find(c.text), std::string::npos) << box;
        const std::string log = error_log();
        EXPECT_NE(log.find("+ WARNING "), std::string::npos) << log;
        EXPECT_NE(log.find(std::string(c.text) + "\r\n"), std::string::npos) << log;
    }
}

TEST_F(Choosers, OpenFileOverZenityJoinsSeveralFiles) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("/tracks/a.ftr|/tracks/b b.ftr\n");
    tmp.write("start/keep.txt", "");
    std::string file;
    int32_t len = 0;
    ASSERT_EQ(GetFileName(file, "Pick tracks", tmp.file("start"), "*.ftr,*.FTR", "Condor tracks", 1, len), 1);
    EXPECT_EQ(file, "/tracks/a.ftr|/tracks/b b.ftr");
    EXPECT_EQ(len, static_cast<int32_t>(file.size()));

    const auto calls = fake.calls();
    ASSERT_EQ(calls.size(), 1u);
    const Args& a = calls[0];
    EXPECT_TRUE(has(a, "--file-selection"));
    EXPECT_TRUE(has(a, "--title=Pick tracks"));
    EXPECT_TRUE(has(a, "--filename=" + tmp.file("start") + "/")) << "a start folder is opened inside";
    EXPECT_TRUE(has(a, "--multiple"));
    EXPECT_TRUE(has(a, "--separator=|"));
    EXPECT_TRUE(has(a, "--file-filter=Condor tracks | *.ftr *.FTR"));
    EXPECT_FALSE(has(a, "--save"));
    EXPECT_TRUE(error_log().empty());
}

TEST_F(Choosers, OpenFileOverKdialogJoinsItsLines) {
    FakeDialog fake(tmp.path() / "bin", "kdialog");
    fake.answer("/t/a.ftr\n/t/b.ftr\n");
    std::string file;
    int32_t len = 0;
    ASSERT_EQ(GetFileName(file, "Pick", "/t", "*.ftr", "", 1, len), 1);
    EXPECT_EQ(file, "/t/a.ftr|/t/b.ftr");
    EXPECT_EQ(len, 17);
    const auto calls = fake.calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0], (Args{"--title", "Pick", "--getopenfilename", "/t", "*.ftr", "--multiple", "--separate-output"}));
}

TEST_F(Choosers, SingleFileHasNoMultipleSelection) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("/t/one.ftr\n");
    std::string file;
    int32_t len = 0;
    ASSERT_EQ(GetFileName(file, "Pick", "", "", "", 0, len), 1);
    EXPECT_EQ(file, "/t/one.ftr");
    const Args a = fake.calls().at(0);
    EXPECT_FALSE(has(a, "--multiple"));
    EXPECT_TRUE(std::none_of(a.begin(), a.end(), [](const std::string& s) { return s.rfind("--file-filter", 0) == 0; }))
        << "no pattern: all files";
    EXPECT_TRUE(std::none_of(a.begin(), a.end(), [](const std::string& s) { return s.rfind("--filename", 0) == 0; }));
}

TEST_F(Choosers, CancelledDialogIsAnEmptyChoice) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("", 1);
    std::string file = "untouched";
    int32_t len = 5;
    EXPECT_EQ(GetFileName(file, "Pick", "", "*.ftr", "", 1, len), 0);
    EXPECT_EQ(file, "untouched");
    EXPECT_EQ(len, 0);
    const auto calls = fake.calls();
    ASSERT_EQ(calls.size(), 2u);  // the chooser, then the warning box
    EXPECT_TRUE(has(calls[1], "--warning"));
    EXPECT_TRUE(has(calls[1], "--text=No file specification returned"));
    EXPECT_NE(error_log().find("No file specification returned"), std::string::npos);
}

TEST_F(Choosers, SaveFileAsksBeforeOverwriting) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("/t/out.txt\n");
    std::string file;
    int32_t len = 0;
    ASSERT_EQ(SaveFileName(file, "Save", "/t/old.txt", "*.txt", "Texts", len), 1);
    EXPECT_EQ(file, "/t/out.txt");
    EXPECT_EQ(len, 10);
    const Args a = fake.calls().at(0);
    EXPECT_TRUE(has(a, "--save"));
    EXPECT_TRUE(has(a, "--confirm-overwrite"));
    EXPECT_TRUE(has(a, "--filename=/t/old.txt"));
    EXPECT_TRUE(has(a, "--file-filter=Texts | *.txt"));
}

TEST_F(Choosers, FolderChosenGivesZero) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("/home/pilot/Documents\n");
    std::string folder;
    int32_t len = 0;
    EXPECT_EQ(GetFolder("Where", tmp.path().string(), len, folder), 0);
    EXPECT_EQ(folder, "/home/pilot/Documents");
    EXPECT_EQ(len, 21);
    const Args a = fake.calls().at(0);
    EXPECT_TRUE(has(a, "--directory"));
    EXPECT_TRUE(has(a, "--title=Where"));

    fake.answer("", 1);
    folder = "kept";
    EXPECT_EQ(GetFolder("Where", "", len, folder), 1);
    EXPECT_EQ(folder, "kept");
    EXPECT_EQ(len, 0);
}

TEST_F(Choosers, InputBoxAnswerAndCancel) {
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("Jane Pilot\n");
    std::string s = "before";
    int32_t len = 0;
    GetString("Name", "Pilot name", s, "nobody", len);
    EXPECT_EQ(s, "Jane Pilot");
    EXPECT_EQ(len, 10);
    EXPECT_EQ(fake.calls().at(0), (Args{"--entry", "--title=Name", "--text=Pilot name", "--entry-text=nobody"}));

    fake.answer("", 1);
    GetString("Name", "Pilot name", s, "nobody", len);
    EXPECT_EQ(s, "Jane Pilot");
    EXPECT_EQ(len, 0);
    EXPECT_TRUE(error_log().empty()) << "an input box has no empty-choice warning";
}

// Standard input as a terminal whose answers the test types in advance.
class TerminalInput {
public:
    TerminalInput() {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        const int slave = open(ptsname(master_), O_RDWR | O_NOCTTY);
        if (slave < 0) return;
        ok_ = dup2(slave, STDIN_FILENO) == STDIN_FILENO;
        close(slave);
        clearerr(stdin);
    }
    ~TerminalInput() {
        if (master_ >= 0) close(master_);
    }
    bool ok() const { return ok_; }
    void type(const std::string& keys) const {
        if (write(master_, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) ADD_FAILURE();
    }

private:
    int master_ = -1;
    bool ok_ = false;
};

TEST_F(Choosers, ConsolePromptWithoutGraphicalSession) {
    setenv("BREMALO_NO_GUI", "1", 1);
    TerminalInput term;
    if (!term.ok()) GTEST_SKIP() << "no pseudo-terminal here";

    std::string file;
    int32_t len = 0;
    term.type("a.ftr|b.ftr\n");
    EXPECT_EQ(GetFileName(file, "Pick", "", "*.ftr", "", 1, len), 1);
    EXPECT_EQ(file, "a.ftr|b.ftr");
    EXPECT_EQ(len, 11);

    // An existing file is only chosen for saving when the user agrees.
    tmp.write("exists.txt", "keep me");
    term.type("exists.txt\nn\n");
    EXPECT_EQ(SaveFileName(file, "Save", "", "", "", len), 0);
    EXPECT_EQ(len, 0);
    term.type("exists.txt\ny\n");
    EXPECT_EQ(SaveFileName(file, "Save", "", "", "", len), 1);
    EXPECT_EQ(file, "exists.txt");

    // An empty line: the default answer of the input box, no choice elsewhere.
    std::string s;
    term.type("\n");
    GetString("Name", "Pilot", s, "Jane", len);
    EXPECT_EQ(s, "Jane");
    EXPECT_EQ(len, 4);
    std::string folder = "kept";
    term.type("\n");
    EXPECT_EQ(GetFolder("Where", "", len, folder), 1);
    EXPECT_EQ(folder, "kept");
}

TEST_F(Choosers, UnstartableDialogProgramFallsBackToTheConsole) {
    FakeDialog fake(tmp.path() / "bin");
    fake.make_unstartable();
    TerminalInput term;
    if (!term.ok()) GTEST_SKIP() << "no pseudo-terminal here";
    std::string file;
    int32_t len = 0;
    term.type("typed.ftr\n");
    EXPECT_EQ(GetFileName(file, "Pick", "", "*.ftr", "", 0, len), 1);
    EXPECT_EQ(file, "typed.ftr");
    EXPECT_TRUE(fake.calls().empty());
}

}  // namespace
