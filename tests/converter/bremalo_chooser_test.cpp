// The converter's file chooser answered by the stand-in dialog program
// (tests/common/fake_dialog.h), which exists on Linux only.
#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/common/fake_dialog.h"
#include "tests/converter/bremalo_sandbox.h"

// The chooser's tracks are converted in the chooser's order.
TEST(BremaloChooser, TracksFromTheChooser) {
    Bremalo_sandbox box;
    box.terrain("Slovenia3");
    const std::string b = (box.work() / box.track("b.ftr", e2e_track(3040))).string();
    const std::string a = (box.work() / box.track("a.ftr", e2e_track(2500))).string();
    const std::string saved_path = getenv("PATH") ? getenv("PATH") : "";
    FakeDialog fake(box.root() / "bin");
    fake.answer(b + "|" + a + "\n");
    const Bremalo_run r = box.run({}, {"BREMALO_NO_GUI=0", "DISPLAY=:97"});
    setenv("PATH", saved_path.c_str(), 1);
    EXPECT_EQ(r.status, 0) << r.both();
    const std::size_t first = r.out.find(" 1 " + b + "\n");
    const std::size_t second = r.out.find(" 2 " + a + "\n");
    EXPECT_NE(first, std::string::npos) << r.out;
    EXPECT_NE(second, std::string::npos) << r.out;
    EXPECT_LT(first, second);
    EXPECT_TRUE(box.exists("a.igc"));
    EXPECT_TRUE(box.exists("b.igc"));

    // The chooser's title and filter (its call is the first; the boxes of
    // the installation check follow), and the console line of its result
    // and the answer's length.
    const auto calls = fake.calls();
    ASSERT_FALSE(calls.empty());
    for (const char* arg : {"--file-selection", "--title=Bremalo : Select flight track(s)", "--multiple",
                            "--file-filter=Condor Flight Tracks (*.ftr) | *.ftr"})
        EXPECT_NE(std::find(calls[0].begin(), calls[0].end(), arg), calls[0].end())
            << arg << " in " << testing::PrintToString(calls[0]);
    EXPECT_NE(r.out.find("\n 1 " + std::to_string(b.size() + 1 + a.size()) + "\n"), std::string::npos) << r.out;
}

