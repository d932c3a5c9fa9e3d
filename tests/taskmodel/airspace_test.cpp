// Counting the airspaces of a landscape's airspace file.
#include "taskmodel/airspace.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/messages.h"
#include "support/platform_dialogs.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/common/env_vars.h"

using namespace std::string_literals;

namespace {

class AirspaceSize : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        set_env("BREMALO_NO_GUI", "1");
        cmndta001.qline = true;
        cmndta000.app_path = tmp.path().string() + std::string(path_sep_str());
    }
};

TEST_F(AirspaceSize, CountsTheLinesBeginningAC) {
    struct Case {
        std::string content;
        int32_t count;
    };
    const Case cases[] = {
        {"", 0},
        {"* comment\r\nAN name\r\n", 0},
        {"AC R\r\nAN one\r\nDP 1\r\nAC Q\r\n", 2},
        {"ac R\n AC R\nA\nAC", 1},
        {"ACR\nAC\r\n" + std::string(1000, 'x') + "\nAC last", 3},
        {"AC\0R\n"s, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 40));
        tmp.write("land.air", c.content);
        begin_stdout_capture();
        EXPECT_EQ(get_airspace_size(tmp.file("land.air") + "   "), c.count);
        EXPECT_EQ(end_stdout_capture().find("error opening"), std::string::npos);
    }
}

TEST_F(AirspaceSize, MissingFileGivesZeroAndOneErrorMessage) {
    const std::string missing = tmp.file(native_path("Landscapes/None/None.air"));
    begin_stdout_capture();
    EXPECT_EQ(get_airspace_size(missing), 0);
    const std::string out = end_stdout_capture();
    // The path is shown whole, the second line of the message is the error.
    EXPECT_NE(out.find(missing + "\nAirspace file : error opening"), std::string::npos) << out;
    const std::string log = tmp.read("ErrorLog.txt");
    std::size_t n = 0;
    for (std::size_t at = log.find("error opening"); at != std::string::npos;
         at = log.find("error opening", at + 1))
        ++n;
    EXPECT_EQ(n, 1u) << log;
}

TEST_F(AirspaceSize, FrenchMessage) {
    cmndta001.qfr = true;
    begin_stdout_capture();
    EXPECT_EQ(get_airspace_size(tmp.file("none.air")), 0);
    EXPECT_NE(end_stdout_capture().find(
                  "\nFichier d'espace a" + dlg_native_text("\xE9") + "rien : ouverture impossible"),
              std::string::npos);
}

}  // namespace
