// The test runner of other programs on Windows: arguments reach the program
// as they were given, its output and exit status come back.
#include "tests/common/child_process.h"

#include <string>

#include <gtest/gtest.h>

#include "support/platform.h"

namespace {

// This test program itself, with a filter that selects no test: it prints
// the filter back exactly as it received it.
std::string self() {
    char buf[512];
    return GetExePath(buf, sizeof buf) > 0 ? std::string(buf) : std::string();
}

TEST(ChildProcess, ArgumentsReachTheProgramAsGiven) {
    const std::string filters[] = {
        "Nothing.plain", "Nothing.with blank", "Nothing.\"quoted\"", "Nothing.back\\slash\\",
        "Nothing.\\\"both\\\\\"", "Nothing.tab\there", "Nothing.&|<>^%PATH%",
    };
    for (const std::string& f : filters) {
        const program_result r = run_program({self(), "--gtest_filter=" + f});
        ASSERT_TRUE(r.started) << f;
        EXPECT_EQ(r.status, 0) << f;
        // The child writes its console in text mode: lines end CR LF.
        EXPECT_NE(r.out.find("Note: Google Test filter = " + f + "\r\n"), std::string::npos) << f << "\n" << r.out;
    }
}

TEST(ChildProcess, StatusOutputAndMissingPrograms) {
    const std::string cmd = find_program("cmd");
    ASSERT_FALSE(cmd.empty());
    program_result r = run_program({cmd, "/c", "echo out& echo err 1>&2& exit 3"});
    EXPECT_TRUE(r.started);
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "out\r\n");
    EXPECT_EQ(r.err, "err \r\n");
    r = run_program({"C:\\no\\such\\program.exe"});
    EXPECT_FALSE(r.started);
    EXPECT_EQ(r.status, -1);
    EXPECT_FALSE(run_program({}).started);
    EXPECT_EQ(find_program("no-such-program-anywhere"), "");
}

}  // namespace
