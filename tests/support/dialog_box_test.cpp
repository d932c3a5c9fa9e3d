#include "support/platform/linux/dialog_runner.h"
#include "support/platform_dialogs.h"

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "tests/common/console_capture.h"

TEST(RunProgram, CapturesOutputAndStatus) {
    std::string out;
    EXPECT_EQ(dlg_run_program({"printf", "%s|%s", "a b", "it's;&"}, out), 0);
    EXPECT_EQ(out, "a b|it's;&");  // arguments reach the program untouched
    EXPECT_EQ(dlg_run_program({"sh", "-c", "exit 3"}, out), 3);
    EXPECT_EQ(out, "");
    EXPECT_EQ(dlg_run_program({"no-such-program-anywhere"}, out), -1);
    EXPECT_EQ(dlg_run_program({}, out), -1);
    EXPECT_EQ(dlg_run_program({"sh", "-c", "kill -9 $$"}, out), -1);
}

TEST(RunProgram, LargeOutputIsReadWhole) {
    std::string out;
    EXPECT_EQ(dlg_run_program({"head", "-c", "200000", "/dev/zero"}, out), 0);
    EXPECT_EQ(out.size(), 200000u);
}

TEST(DialogSession, ForcedOffAndNeedsADisplay) {
    setenv("DISPLAY", ":0", 1);
    setenv("BREMALO_NO_GUI", "1", 1);
    EXPECT_FALSE(dlg_graphical_session());
    unsetenv("BREMALO_NO_GUI");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(dlg_graphical_session());
    // With a display the answer depends on a dialog program on the PATH.
    const std::string path = getenv("PATH") ? getenv("PATH") : "";
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    setenv("PATH", "/nonexistent", 1);
    EXPECT_FALSE(dlg_graphical_session());
    EXPECT_EQ(dlg_dialog_program(), "");
    setenv("PATH", path.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
}

namespace {

// Standard input replaced by a pseudo-terminal that already holds `typed`.
class TerminalInput {
public:
    explicit TerminalInput(const std::string& typed) {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
        int slave = open(ptsname(master_), O_RDWR | O_NOCTTY);
        if (slave < 0) return;
        saved_ = dup(STDIN_FILENO);
        dup2(slave, STDIN_FILENO);
        close(slave);
        clearerr(stdin);
        ok_ = write(master_, typed.data(), typed.size()) == static_cast<ssize_t>(typed.size());
    }
    ~TerminalInput() {
        if (saved_ >= 0) {
            dup2(saved_, STDIN_FILENO);
            close(saved_);
        }
        if (master_ >= 0) close(master_);
        clearerr(stdin);
    }
    bool ok() const { return ok_; }

private:
    int master_ = -1;
    int saved_ = -1;
    bool ok_ = false;
};

}  // namespace

TEST(MessageBox, ConsoleAnswersFromTheTerminal) {
    setenv("BREMALO_NO_GUI", "1", 1);
    struct Case {
        const char* type;
        const char* typed;
        int def;
        int answer;
    } cases[] = {
        {"yesno", "n\n", 1, 0},         {"yesno", "YES\n", 0, 1},    {"yesno", "\n", 0, 0},
        {"yesno", "maybe\ny\n", 0, 1},  {"yesnocancel", "n\n", 1, 2}, {"yesnocancel", "c\n", 1, 0},
        {"okcancel", "c\n", 1, 0},      {"okcancel", "ok\n", 0, 1},
    };
    for (const Case& c : cases) {
        TerminalInput term(c.typed);
        ASSERT_TRUE(term.ok());
        ASSERT_TRUE(dlg_stdin_is_terminal());
        begin_stderr_capture();
        int answer = dlg_message_box("Title", "Question", c.type, "question", c.def);
        std::string err = end_stderr_capture();
        EXPECT_EQ(answer, c.answer) << c.type << " " << c.typed;
        EXPECT_EQ(err.substr(0, 15), "Title\nQuestion\n");
    }
}

TEST(MessageBox, WithoutTerminalTheDefaultAnswers) {
    setenv("BREMALO_NO_GUI", "1", 1);
    int devnull = open("/dev/null", O_RDONLY);
    int saved = dup(STDIN_FILENO);
    dup2(devnull, STDIN_FILENO);
    close(devnull);
    begin_stderr_capture();
    EXPECT_EQ(dlg_message_box("T", "M", "yesnocancel", "question", 2), 2);
    EXPECT_EQ(dlg_message_box("T", "M", "yesno", "question", 0), 0);
    EXPECT_EQ(dlg_message_box("T", "M", "ok", "error", 0), 1);
    EXPECT_EQ(dlg_message_box(nullptr, nullptr, nullptr, nullptr, 7), 1);
    end_stderr_capture();
    dup2(saved, STDIN_FILENO);
    close(saved);
}

TEST(MessageBox, QuestionAnsweredNoThroughTheMessageRoutine) {
    setenv("BREMALO_NO_GUI", "1", 1);
    TerminalInput term("n\n");
    ASSERT_TRUE(term.ok());
    int32_t status = s_yesnocancel;
    begin_stderr_capture();
    error_message(status, "Keep/it?", false);
    std::string err = end_stderr_capture();
    EXPECT_EQ(status, 2);
    EXPECT_EQ(err.substr(0, 16), "Dralto\nKeep\nit?\n");
}
