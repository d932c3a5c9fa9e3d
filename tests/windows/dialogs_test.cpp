// The dialogs of Windows: the texts handed to the file dialogs and taken
// from them, and the console mode that BREMALO_NO_GUI=1 selects, in which
// nothing waits for a user when standard input is no terminal.
#include "support/platform_dialogs.h"

#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/choosers.h"
#include "support/messages.h"
#include "support/platform.h"
#include "support/platform/windows/chooser_texts.h"
#include "tests/common/console_capture.h"
#include "tests/common/env_vars.h"
#include "tests/common/temp_dir.h"

namespace {

TEST(ChooserTexts, FilterOfPatternsAndDescription) {
    using namespace std::string_literals;
    struct Case {
        std::vector<std::string> patterns;
        const char* desc;
        std::string want;
    } cases[] = {
        {{"*.ftr"}, "Condor tracks", "Condor tracks\0*.ftr\0"s},
        {{"*.ftr", "*.FTR"}, "", "*.ftr;*.FTR\0*.ftr;*.FTR\0"s},
        {{}, "", "*.*\0*.*\0"s},
    };
    for (const Case& c : cases) EXPECT_EQ(chooser_filter(c.patterns, c.desc), c.want) << c.desc;
}

TEST(ChooserTexts, SelectionJoinedWithItsFolder) {
    using namespace std::string_literals;
    struct Case {
        std::string buffer;
        const char* want;
    } cases[] = {
        {"C:\\tracks\0a.ftr\0b b.ftr\0\0"s, "C:\\tracks\\a.ftr|C:\\tracks\\b b.ftr"},
        {"C:\\\0a.ftr\0b.ftr\0\0"s, "C:\\a.ftr|C:\\b.ftr"},  // a drive's folder ends with its backslash
        {"C:\\tracks\\one.ftr\0\0"s, "C:\\tracks\\one.ftr"},   // one file: its full path
        {"\0\0"s, ""},
        {"C:\\t\0unended"s, "C:\\t\\unended"},  // a list without its end stops at the buffer's end
    };
    for (const Case& c : cases) EXPECT_EQ(chooser_selection(c.buffer.data(), c.buffer.size()), c.want) << c.want;
    EXPECT_EQ(chooser_selection(nullptr, 10), "");
}

TEST(ChooserTexts, NativeTextsAreAnsi) { EXPECT_EQ(dlg_native_text("sp\xE9" "cifi\xE9"), "sp\xE9" "cifi\xE9"); }

// In console mode without a terminal: the box takes its default button, the
// choosers report that nothing was chosen.
class ConsoleMode : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        set_env("BREMALO_NO_GUI", "1");
        stdin_from_nothing();
        cmndta000.app_path = tmp.path().string() + "\\";
    }
};

TEST_F(ConsoleMode, BoxesTakeTheirDefaultButton) {
    struct Case {
        const char* type;
        int def;
        int answer;
    } cases[] = {{"yesnocancel", 2, 2}, {"yesno", 0, 0}, {"okcancel", 1, 1}, {"ok", 0, 1}, {nullptr, 7, 1}};
    for (const Case& c : cases) {
        begin_stderr_capture();
        EXPECT_EQ(dlg_message_box("Title", "Text", c.type, "question", c.def), c.answer) << (c.type ? c.type : "null");
        EXPECT_EQ(end_stderr_capture(), "Title\nText\n");
    }
}

TEST_F(ConsoleMode, ChoosersChooseNothing) {
    std::string chosen = "untouched";
    EXPECT_FALSE(dlg_open_file("Pick", "", {"*.ftr"}, "", true, chosen));
    EXPECT_FALSE(dlg_save_file("Save", "", {}, "", chosen));
    EXPECT_FALSE(dlg_select_folder("Folder", "C:\\", chosen));
    EXPECT_FALSE(dlg_input_box("Name", "Pilot", "Jane", chosen));
    EXPECT_EQ(chosen, "untouched");
}

TEST_F(ConsoleMode, EmptyChoiceWarnsAndIsLogged) {
    std::string file = "untouched";
    int32_t len = 9;
    begin_stdout_capture();
    begin_stderr_capture();
    EXPECT_EQ(GetFileName(file, "Pick tracks", "", "*.ftr", "", 1, len), 0);
    const std::string box = end_stderr_capture();
    end_stdout_capture();
    EXPECT_EQ(len, 0);
    EXPECT_EQ(file, "untouched");
    const std::string text = IsLanguageFrench() ? "Aucun fichier sp\xE9" "cifi\xE9" : "No file specification returned";
    EXPECT_EQ(box, "Get file\n" + text + "\n");
    const std::string log = tmp.read("ErrorLog.txt");
    EXPECT_NE(log.find("+ WARNING "), std::string::npos) << log;
    EXPECT_NE(log.find(text + "\r\n"), std::string::npos) << log;
}

}  // namespace
