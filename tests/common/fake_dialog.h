// A stand-in for the dialog program (zenity or kdialog) in tests: a small
// script on a PATH of its own that records each call's arguments and prints
// a prepared answer, so that the graphical path runs without a display.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tests/common/console_capture.h"  // stdin_from_nothing

class FakeDialog {
public:
    /// Installs the stand-in named `program` in `folder` and points PATH
    /// (only there), DISPLAY and BREMALO_NO_GUI at it for this process.
    FakeDialog(const std::filesystem::path& folder, const std::string& program = "zenity");

    /// What the next calls print on standard output and their exit status.
    void answer(const std::string& out, int status = 0) const;

    /// Makes the stand-in a program that cannot be started.
    void make_unstartable() const;

    /// The arguments of every call so far (the program name not included).
    std::vector<std::vector<std::string>> calls() const;

private:
    std::filesystem::path dir_;
    std::string program_;
};
