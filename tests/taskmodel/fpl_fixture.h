// Shared set-up of the flight-plan tests: a temporary working folder that
// also stands for the program folder (error log) and the simulator's
// installation folder (airspace files), messages on the console.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/condor_install.h"
#include "support/messages.h"
#include "taskmodel/fpl_input.h"
#include "taskmodel/read_fpl.h"
#include "taskmodel/task_model.h"
#include "taskmodel/write_fpl_v3.h"
#include "tests/common/temp_dir.h"
#include "tests/common/env_vars.h"

/// The lines joined, each followed by `eol`.
inline std::string join_lines(std::initializer_list<std::string_view> lines,
                              std::string_view eol = "\r\n") {
    std::string s;
    for (std::string_view l : lines) {
        s += l;
        s += eol;
    }
    return s;
}

class FplFixture : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        set_env("BREMALO_NO_GUI", "1");
        cmndta001.qline = true;
        cmndta000.app_path = tmp.path().string() + std::string(path_sep_str());
        inst00.instpath3 = tmp.path().string();
    }

    /// Writes `text` into `name` and reads it as a flight plan.
    void read_plan(const std::string& text, bool qreset = true,
                   const std::string& name = "plan.fpl") {
        tmp.write(name, text);
        Fpl_input in;
        ASSERT_TRUE(fpl_input_open(in, tmp.file(name)));
        read_fpl(in, qreset, false, false, nl, ios);
        EXPECT_EQ(in.file, nullptr) << "the reader closes its input";
    }

    /// The task model written by write_fpl_v3 into a file of its own.
    std::string write_plan(bool qigc, const std::string& name = "out.fpl") {
        std::FILE* f = std::fopen(tmp.file(name).c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f == nullptr) return {};
        iost = 0;
        write_fpl_v3(f, iost, qigc, rd_fpl_2.landscape);
        std::fclose(f);
        return tmp.read(name);
    }

    int32_t nl = -99;
    int32_t ios = -99;
    int32_t iost = 0;
};
