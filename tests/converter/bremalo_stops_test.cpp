// A run ended from outside while it writes a file leaves nothing of it: on
// SIGINT, SIGTERM and SIGHUP the temporary file goes, the earlier file
// stays byte for byte and the program ends by the signal; a file-size limit
// without SIGXFSZ ignored by the caller is the write error it is.  Neither
// leftovers of killed runs nor names at the system's limit stop a run.
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fcntl.h>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/converter/bremalo_sandbox.h"

namespace {

// The names in the folder.
std::set<std::string> names(const fs::path& folder) {
    std::set<std::string> n;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) n.insert(e.path().filename().string());
    return n;
}

// The same, without the run log.
std::set<std::string> made(const fs::path& folder) {
    std::set<std::string> n = names(folder);
    n.erase("Logfile.txt");
    return n;
}

bool has_temp_file(const fs::path& folder) {
    for (const std::string& n : names(folder))
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".tmp") == 0) return true;
    return false;
}

class BremaloStops : public ::testing::Test {
protected:
    void SetUp() override { box.terrain("Slovenia3"); }

    // Starts the converter in the working folder, as the sandbox runs it,
    // with its console thrown away; `file_limit` (bytes, 0 for none) with
    // SIGXFSZ as the caller left it: at its default; the signal `ignored`
    // (when not 0) ignored, as nohup leaves SIGHUP.
    pid_t start(const std::vector<std::string>& args, rlim_t file_limit = 0, int ignored = 0) const {
        const std::string exe = box.exe().string(), work = box.work().string(), wine = box.wine().string();
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid != 0) return pid;
        const int null = open("/dev/null", O_RDWR);
        if (null < 0 || dup2(null, 0) < 0 || dup2(null, 1) < 0 || dup2(null, 2) < 0 || chdir(work.c_str()) != 0)
            _exit(126);
        setenv("BREMALO_NO_GUI", "1", 1);
        setenv("WINEPREFIX", wine.c_str(), 1);
        setenv("TZ", "UTC", 1);
        unsetenv("DISPLAY");
        unsetenv("WAYLAND_DISPLAY");
        signal(SIGXFSZ, SIG_DFL);
        if (ignored != 0) signal(ignored, SIG_IGN);
        if (file_limit != 0) {
            const rlimit limit{file_limit, file_limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(126);
        }
        execv(exe.c_str(), argv.data());
        _exit(127);
    }

    Bremalo_sandbox box;
};

TEST_F(BremaloStops, ASignalDuringAWriteLeavesNothing) {
    // A raw dump of about 20 MB: long enough to be caught while written.
    box.track("long.ftr", e2e_track(3040, 300000));
    box.write("long_tXYZ.txt", "earlier\r\n");
    box.write("Logfile.txt", "");
    const std::set<std::string> before = names(box.work());
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        const pid_t pid = start({"-noigc", "-wr", "long.ftr"});
        ASSERT_GT(pid, 0);
        const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!has_temp_file(box.work()) && std::chrono::steady_clock::now() < give_up)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        const bool caught = has_temp_file(box.work());
        kill(pid, sig);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(caught) << strsignal(sig) << ": no temporary file seen";
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << strsignal(sig) << ": status " << status;
        EXPECT_EQ(box.read("long_tXYZ.txt"), "earlier\r\n") << strsignal(sig);
        EXPECT_EQ(names(box.work()), before) << strsignal(sig);
    }
}

// A signal ignored when the run began (nohup) stays ignored.
TEST_F(BremaloStops, AnIgnoredSignalStaysIgnored) {
    box.track("long.ftr", e2e_track(3040, 100000));
    const pid_t pid = start({"-noigc", "-wr", "long.ftr"}, 0, SIGHUP);
    ASSERT_GT(pid, 0);
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!has_temp_file(box.work()) && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    kill(pid, SIGHUP);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(file_lines(box.read("long_tXYZ.txt")).size(), 100001u);
}

TEST_F(BremaloStops, ASizeLimitIsAWriteError) {
    box.track("a.ftr", e2e_track(3040, 600));
    box.write("a.igc", "earlier\r\n");
    box.write("Logfile.txt", "");
    const std::set<std::string> before = names(box.work());
    const pid_t pid = start({"a.ftr"}, 12 * 1024);
    ASSERT_GT(pid, 0);
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
    EXPECT_EQ(box.read("a.igc"), "earlier\r\n");
    EXPECT_EQ(names(box.work()), before);
    EXPECT_NE(box.read("Logfile.txt").find("File too large"), std::string::npos) << box.read("Logfile.txt");
}

TEST_F(BremaloStops, LeftoversOfKilledRunsAreLeftAlone) {
    box.track("a.ftr", e2e_track(3040, 20));
    box.write("a.igc", "earlier\r\n");
    // Of the numbering of every scheme: NAME.K.tmp, NAME.P.K.tmp.
    for (int k = 1; k <= 1000; ++k) {
        box.write("a.igc." + std::to_string(k) + ".tmp", "left\r\n");
        box.write("a.igc." + std::to_string(k) + ".1.tmp", "left\r\n");
    }
    const Bremalo_run r = box.run({"a.ftr"});
    EXPECT_EQ(r.status, 0) << r.both();
    EXPECT_EQ(count_prefixed(file_lines(box.read("a.igc")), "B"), 20u);
    EXPECT_EQ(made(box.work()).size(), 2000u + 2u);  // the track and its IGC file
    EXPECT_EQ(box.read("a.igc.1000.tmp"), "left\r\n");
}

// Track names of 240 to 255 bytes make IGC files of names as long, each
// in turn; the track after them too.
TEST_F(BremaloStops, NamesUpToTheSystemsLimit) {
    std::vector<std::string> tracks;
    for (const std::size_t length : {240u, 249u, 250u, 251u, 255u}) {
        const std::string stem(length - 4, 'x');
        tracks.push_back(box.track(stem + ".ftr", e2e_track(3040, 5)));
        box.write(stem + ".igc", "earlier\r\n");
    }
    tracks.push_back(box.track("after.ftr", e2e_track(3040, 5)));
    const Bremalo_run r = box.run(tracks);
    EXPECT_EQ(r.status, 0) << r.both();
    for (const std::string& t : tracks) {
        const std::string igc = t.substr(0, t.size() - 4) + ".igc";
        EXPECT_EQ(count_prefixed(file_lines(box.read(igc)), "B"), 5u) << igc.size();
    }
    EXPECT_EQ(made(box.work()).size(), 2 * tracks.size());
}

}  // namespace
