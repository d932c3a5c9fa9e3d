#include "support/condor_install.h"

#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "tests/common/console_capture.h"
#include "tests/common/temp_dir.h"
#include "tests/common/fake_dialog.h"

namespace fs = std::filesystem;

namespace {

// How one simulator version appears in the Wine prefix.
enum class Install {
    absent,       // nothing in the registry
    ok,           // registry, Condor.exe, log naming the version
    no_log,       // registry and Condor.exe, no Logs/Logfile.txt
    line7,        // the version line is the log's seventh line
    not_integer,  // "Condor version: 3.0.4"
    other_major,  // the log names the other major version
    no_exe,       // registry and log, no Condor.exe
};

// A Wine prefix as a pilot has it: user.reg with the simulator's keys and the
// shell folders, drive_c with the installations and the documents folder.
class WinePrefix {
public:
    explicit WinePrefix(const fs::path& where) {
        fs::create_directories(where / "drive_c");
        fs::create_directories(where / "dosdevices");
        fs::create_symlink("../drive_c", where / "dosdevices" / "c:");
        root_ = fs::canonical(where);
        setenv("WINEPREFIX", root_.c_str(), 1);
    }

    // The host path of a Windows path on drive C.
    std::string host(const std::string& win) const {
        std::string rest = win.substr(2);
        for (char& c : rest)
            if (c == '\\') c = '/';
        return (root_ / "drive_c").string() + rest;
    }
    std::string documents() const { return host("C:\\users\\pilot\\Documents"); }

    // One registry value in user.reg ("=str(2):" for an expandable one).
    void value(const std::string& key, const std::string& name, const std::string& text, bool expand = false) {
        keys_[key][name] = (expand ? "str(2):\"" : "\"") + escaped(text) + "\"";
        write_registry();
    }

    void version(int v, Install how, const std::string& player = "") {
        if (how == Install::absent) return;
        const std::string key = "Software\\Condor" + std::to_string(v);
        const std::string dir = "C:\\Condor" + std::to_string(v);
        value(key, "InstallDir", dir);
        if (!player.empty()) value(key, "LastPlayer", player);
        const fs::path folder = host(dir);
        fs::create_directories(folder);
        if (how != Install::no_exe) write(folder / "Condor.exe", "MZ");
        const std::string full = std::to_string(v * 1000 + 40);
        std::string log = "Condor log started\r\nOS: Wine\r\n";
        switch (how) {
        case Install::no_log:
            return;
        case Install::line7:
            log += "a\r\nb\r\nc\r\nd\r\nCondor version: " + full + "\r\n";
            break;
        case Install::not_integer:
            log += "Condor version: " + std::to_string(v) + ".0.4\r\n";
            break;
        case Install::other_major:
            log += "Condor version: " + std::to_string((5 - v) * 1000 + 40) + "\r\n";
            break;
        default:
            log += "Condor version: " + full + "\r\n";
        }
        write(folder / "Logs" / "Logfile.txt", log + "more lines\r\n");
    }

    void shell_folders(const std::string& personal) {
        value("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", "Personal", personal,
              true);
    }

    static void write(const fs::path& p, const std::string& content) {
        fs::create_directories(p.parent_path());
        std::FILE* f = std::fopen(p.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(content.data(), 1, content.size(), f);
        std::fclose(f);
    }

private:
    static std::string escaped(const std::string& s) {
        std::string out;
        for (char c : s) {
            if (c == '\\' || c == '"') out += '\\';
            out += c;
        }
        return out;
    }
    void write_registry() const {
        std::string reg = "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n";
        for (const auto& [key, values] : keys_) {
            std::string k;
            for (char c : key) k += c == '\\' ? std::string("\\\\") : std::string(1, c);
            reg += "\n[" + k + "] 1700000000\n#time=1d9f0a1b2c3d4e5\n";
            for (const auto& [name, data] : values) reg += "\"" + name + "\"=" + data + "\n";
        }
        write(root_ / "user.reg", reg);
    }

    fs::path root_;
    std::map<std::string, std::map<std::string, std::string>> keys_;
};

// Each test in its own folder (run log and error log there), with a fresh
// installation record, no dialogs and no terminal.
class Installation : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        inst00 = Inst00{};
        cmndta000.app_path = tmp.path().string() + "/";
        setenv("BREMALO_NO_GUI", "1", 1);
        setenv("USER", "pilot", 1);
        unsetenv("USERPROFILE");
        stdin_from_nothing();
    }
    // A prefix of its own under the test folder.
    WinePrefix prefix(const std::string& name = "prefix") { return WinePrefix(tmp.path() / name); }
};

TEST_F(Installation, DetectsWhichVersionsAreInstalled) {
    struct Case {
        const char* what;
        Install v2, v3;
        int32_t result, condor_version;
        bool qc2, qc3;
    };
    const Case cases[] = {
        {"version 2 alone", Install::ok, Install::absent, 2, 2, true, false},
        {"version 3 alone", Install::absent, Install::ok, 3, 3, false, true},
        {"both", Install::ok, Install::ok, 3, 0, true, true},
        {"neither", Install::absent, Install::absent, 0, 7, false, false},
        {"version 3 without its log", Install::absent, Install::no_log, 0, 7, false, false},
        {"version line on the seventh line", Install::absent, Install::line7, 0, 7, false, false},
        {"version not an integer", Install::absent, Install::not_integer, 0, 7, false, false},
        {"log names the other version", Install::absent, Install::other_major, 0, 7, false, false},
        {"no Condor.exe", Install::absent, Install::no_exe, 0, 7, false, false},
        {"version 3 broken, version 2 fine", Install::ok, Install::no_log, 2, 2, true, false},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        inst00 = Inst00{};
        inst00.condor_version = 7;  // kept when nothing is detected
        WinePrefix p = prefix("prefix" + std::to_string(n++));
        p.shell_folders("%USERPROFILE%\\Documents");
        p.version(2, c.v2, "Old Timer");
        p.version(3, c.v3, "Jane Pilot");

        EXPECT_EQ(check_condor_install(" "), c.result);
        EXPECT_EQ(inst00.qc2, c.qc2);
        EXPECT_EQ(inst00.qc3, c.qc3);
        EXPECT_EQ(inst00.condor_version, c.condor_version);
        const std::string want_inst = c.qc3 ? p.host("C:\\Condor3") : c.qc2 ? p.host("C:\\Condor2") : "";
        EXPECT_EQ(inst00.cndrinstpath, want_inst);
        if (!want_inst.empty()) {
            EXPECT_TRUE(fs::is_directory(inst00.cndrinstpath));
        }
    }
}

TEST_F(Installation, FillsTheFoldersOfBothVersions) {
    WinePrefix p = prefix();
    p.shell_folders("%USERPROFILE%\\Documents");
    p.version(2, Install::ok, "Old Timer");
    p.version(3, Install::ok, "Jane Pilot");
    const std::string docs = p.documents();
    for (const char* sub : {"/Condor/Pilots/Old Timer", "/Condor3/Pilots/Jane Pilot"})
        fs::create_directories(docs + sub);

    ASSERT_EQ(check_condor_install(" "), 3);
    EXPECT_EQ(inst00.instpath2, p.host("C:\\Condor2"));
    EXPECT_EQ(inst00.instpath3, p.host("C:\\Condor3"));
    EXPECT_EQ(inst00.rootpath2, docs + "/Condor/");
    EXPECT_EQ(inst00.rootpath3, docs + "/Condor3/");
    EXPECT_EQ(inst00.pilpath2, docs + "/Condor/Pilots/Old Timer");
    EXPECT_EQ(inst00.pilpath3, docs + "/Condor3/Pilots/Jane Pilot");
    for (const std::string* f : {&inst00.instpath2, &inst00.instpath3, &inst00.rootpath2, &inst00.rootpath3,
                                 &inst00.pilpath2, &inst00.pilpath3})
        EXPECT_TRUE(fs::is_directory(*f)) << *f;
    EXPECT_EQ(inst00.cndrinstpath, inst00.instpath3);
    EXPECT_EQ(inst00.cndrrootpath, inst00.rootpath3);
    EXPECT_EQ(inst00.cndrpilpath, inst00.pilpath3);
    EXPECT_TRUE(inst00.condor_1_path.empty());
    EXPECT_TRUE(inst00.instpath1.empty());

    const std::string runlog = tmp.read("Logfile.txt");
    EXPECT_NE(runlog.find("Condor 2 install path: " + inst00.instpath2 + "\r\n"), std::string::npos) << runlog;
    EXPECT_NE(runlog.find("Condor 3 install path: " + inst00.instpath3 + "\r\n"), std::string::npos) << runlog;
}

// The simulator under Wine may have written its files in another case than
// the one asked for; they are found and the folders are those that exist.
TEST_F(Installation, FilesInAnotherLetterCaseAreFound) {
    WinePrefix p = prefix();
    p.shell_folders("%USERPROFILE%\\Documents");
    p.version(3, Install::ok, "Jane");
    const fs::path inst = p.host("C:\\Condor3");
    fs::rename(inst / "Condor.exe", inst / "condor.exe");
    fs::rename(inst / "Logs" / "Logfile.txt", inst / "Logs" / "logfile.TXT");
    fs::rename(inst / "Logs", inst / "LOGS");
    const std::string docs = p.documents();
    fs::create_directories(docs + "/condor3/pilots/Jane");

    ASSERT_EQ(check_condor_install(" "), 3);
    EXPECT_EQ(inst00.rootpath3, docs + "/condor3/");
    EXPECT_EQ(inst00.pilpath3, docs + "/condor3/pilots/Jane");
    EXPECT_TRUE(fs::is_directory(inst00.pilpath3));
}

TEST_F(Installation, NotDetectedIsAnInformationOnly) {
    prefix();
    begin_stderr_capture();
    EXPECT_EQ(check_condor_install(" "), 0);
    const std::string box = end_stderr_capture();
    EXPECT_NE(box.find("*** Condor2 installation not detected on this computer ***"), std::string::npos) << box;
    EXPECT_NE(box.find("*** Condor3 installation not detected on this computer ***"), std::string::npos) << box;
    EXPECT_FALSE(fs::exists(tmp.path() / "ErrorLog.txt"));

    std::string path = "old";
    begin_stderr_capture();
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
    EXPECT_EQ(end_stderr_capture(), "") << "silent";
    EXPECT_EQ(path, "");
}

TEST_F(Installation, CachedFolderIsReturnedWithoutLookup) {
    prefix();  // nothing registered
    inst00.instpath3 = "/cached/condor3";
    inst00.instpath2 = "/cached/condor2";
    std::string path;
    EXPECT_EQ(get_condor_inst_dir(-3, path, true), 3);
    EXPECT_EQ(path, "/cached/condor3");
    EXPECT_EQ(get_condor_inst_dir(-2, path, true), 2);
    EXPECT_EQ(path, "/cached/condor2");
    // A positive version always asks the registry.
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 0);
    EXPECT_EQ(path, "");
}

TEST_F(Installation, EmptyCacheIsFilledByTheLookup) {
    WinePrefix p = prefix();
    p.version(3, Install::ok);
    // The flight-plan reader hands the cache member itself.
    EXPECT_EQ(get_condor_inst_dir(-3, inst00.instpath3, true), 3);
    EXPECT_EQ(inst00.instpath3, p.host("C:\\Condor3"));
    fs::remove_all(p.host("C:\\Condor3"));
    std::string path;
    EXPECT_EQ(get_condor_inst_dir(-3, path, true), 3);
    EXPECT_EQ(path, p.host("C:\\Condor3"));
    EXPECT_EQ(get_condor_inst_dir(-2, path, true), 0);
    EXPECT_EQ(path, "");
}

TEST_F(Installation, RegistryFolderIsUsedAsStored) {
    WinePrefix p = prefix();
    p.version(3, Install::ok);
    p.value("Software\\Condor3", "InstallDir", "C:\\Condor3\\");
    std::string path;
    EXPECT_EQ(get_condor_inst_dir(3, path, false), 3);  // the log is found through ".../Condor3//Logs"
    EXPECT_EQ(path, p.host("C:\\Condor3\\"));
    EXPECT_EQ(path.back(), '/');
}

TEST_F(Installation, VersionLineOfTheLog) {
    struct Case { const char* log; int32_t want; };
    const Case cases[] = {
        {"Condor version: 3040\r\n", 3},
        {"Condor version:3999\n", 3},
        {"Condor version: 2100\r\n", 2},
        {"Condor version: 3040 (build 7)\r\n", 3},
        {"1\n2\n3\n4\n5\nCondor version: 3040\n", 3},
        {"1\n2\n3\n4\n5\n6\nCondor version: 3040\n", 0},
        {"Condor version: 3.0.4\r\n", 0},
        {"Condor version: \r\n", 0},
        {"condor version: 3040\r\n", 0},
        {" Condor version: 3040\r\n", 0},
        {"Condor version: 3040", 3},  // no line end on the last line
        {"", 0},
    };
    WinePrefix p = prefix();
    p.version(3, Install::ok);
    for (const Case& c : cases) {
        WinePrefix::write(p.host("C:\\Condor3\\Logs\\Logfile.txt"), c.log);
        std::string path;
        EXPECT_EQ(get_condor_inst_dir(3, path, true), c.want) << '"' << c.log << '"';
    }
}

TEST_F(Installation, IncorrectVersionStopsTheProgram) {
    for (int32_t nc : {0, 4, -4, 1000}) {
        EXPECT_EXIT(
            {
                stdout_into_stderr();
                std::string path;
                get_condor_inst_dir(nc, path, true);
            },
            testing::ExitedWithCode(1), "get_condor_inst_dir : incorrect Condor version")
            << nc;
    }
}

TEST_F(Installation, DocumentsFolderFromTheRegistry) {
    const std::string long_value = "/srv/" + std::string(600, 'd');
    struct Case {
        const char* what;
        const char* personal;  // null: no such value
        const char* env_name;
        std::string env_value;
        const char* entry;
        bool qpilot;
        int32_t want;
        std::string want_path;  // "<docs>" stands for the prefix's documents folder
    };
    const Case cases[] = {
        {"profile variable of the prefix", "%USERPROFILE%\\Documents", nullptr, "", "3", false, 1, "<docs>/Condor3/"},
        {"text before the first % dropped", "x%MYDOCS%\\Documents", "MYDOCS", "C:\\users\\pilot", "", false, 1,
         "<docs>/Condor/"},
        {"variable holding a host path", "%MYDOCS%\\Documents", "MYDOCS", "/srv/home", "", false, 1,
         "/srv/home/Documents/Condor/"},
        {"variable longer than 511 characters", "%MYDOCS%\\Documents", "MYDOCS", long_value, "", false, 1,
         long_value + "/Documents/Condor/"},
        {"plain folder", "C:\\users\\pilot\\Documents", nullptr, "", "3", true, 1, "<docs>/Condor3/Pilots/Jane"},
        {"no last pilot: the documents folder", "C:\\users\\pilot\\Documents", nullptr, "", "", true, 1, "<docs>"},
        {"no documents folder", nullptr, nullptr, "", "3", false, 0, "3"},
        {"variable not set", "%BREMALO_UNSET_VAR%\\Documents", nullptr, "", "3", true, 0, "3"},
        {"variable alone", "%MYDOCS%", "MYDOCS", "/srv/home", "", false, 1, "/srv/home/Condor/"},
        // No variable is named: an error, never a folder relative to the working folder.
        {"separator before the first %", "C:\\users\\%MYDOCS%\\Documents", "MYDOCS", "pilot", "3", false, 0,
         "3"},
        {"% followed by the separator", "%\\Documents", nullptr, "", "3", false, 0, "3"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WinePrefix p = prefix("prefix" + std::to_string(n++));
        if (c.personal) p.shell_folders(c.personal);
        p.value("Software\\Condor3", "LastPlayer", "Jane");
        if (c.env_name) setenv(c.env_name, c.env_value.c_str(), 1);
        std::string path = c.entry;
        EXPECT_EQ(get_condor_2_path(" ", false, c.qpilot, path), c.want);
        std::string want = c.want_path;
        if (want.rfind("<docs>", 0) == 0) want = p.documents() + want.substr(6);
        EXPECT_EQ(path, want);
        if (c.env_name) unsetenv(c.env_name);
    }
    const std::string errlog = tmp.read("ErrorLog.txt");
    EXPECT_NE(errlog.find("+ ERROR "), std::string::npos) << errlog;
    EXPECT_NE(errlog.find("Error getting environment variable\r\nBREMALO_UNSET_VAR"), std::string::npos) << errlog;
}

TEST_F(Installation, DocumentsFolderGivenByTheCaller) {
    prefix();
    std::string path = "/home/pilot/docs";
    EXPECT_EQ(get_condor_user_path(" ", false, false, false, path), 1);
    EXPECT_EQ(path, "/home/pilot/docs/Condor/");
}

TEST_F(Installation, UnreadableDocumentsFolderLeavesVersion3Folders) {
    WinePrefix p = prefix();
    p.version(3, Install::ok, "Jane");  // no shell folders in the registry
    EXPECT_EQ(check_condor_install(" "), 3);
    EXPECT_EQ(inst00.pilpath3, "3");
    EXPECT_EQ(inst00.rootpath3, "3");
}

TEST_F(Installation, ConfirmationPicksTheFolder) {
    WinePrefix p = prefix();
    p.shell_folders("%USERPROFILE%\\Documents");
    p.value("Software\\Condor3", "LastPlayer", "Jane");
    FakeDialog fake(tmp.path() / "bin");
    fake.answer("/picked/pilot\n");

    std::string path = "3";
    EXPECT_EQ(get_condor_user_path("Pilot folder:", true, true, true, path), 1);
    EXPECT_EQ(path, "/picked/pilot");
    const auto calls = fake.calls();
    ASSERT_EQ(calls.size(), 1u);
    const std::string proposed = p.documents() + "/Condor3/Pilots/Jane";
    EXPECT_EQ(calls[0].at(2), "--title=Pilot folder: " + proposed);
    EXPECT_EQ(calls[0].at(3), "--filename=" + proposed + "/");

    // The user-files folder is only confirmed when none could be built.
    path = "3";
    EXPECT_EQ(get_condor_user_path("x", true, false, true, path), 1);
    EXPECT_EQ(path, p.documents() + "/Condor3/");
    EXPECT_EQ(fake.calls().size(), 1u);
}

TEST_F(Installation, CancelledConfirmationKeepsTheEntry) {
    WinePrefix p = prefix();
    p.shell_folders("%USERPROFILE%\\Documents");
    std::string path = "3";
    EXPECT_EQ(get_condor_user_path("Pilot folder:", true, true, true, path), 0);
    EXPECT_EQ(path, "3");
    EXPECT_NE(tmp.read("ErrorLog.txt").find("No folder returned"), std::string::npos);
}

TEST_F(Installation, ActiveVersionByFileDates) {
    // Seconds after a fixed time for: version 3 plan, version 2 plan,
    // version 3 log, version 2 log; -1: no such file.
    struct Case { const char* what; int p3, p2, l3, l2; int32_t want; };
    const Case cases[] = {
        {"version 2 plan newest", 100, 300, 200, 150, 2},
        {"version 3 log newest", 100, 150, 400, 300, 3},
        {"version 2 log newest", 100, 150, 200, 300, 2},
        {"equal dates: the earlier file", 500, 500, 100, 100, 3},
        {"no plans", -1, -1, 300, 200, 3},
    };
    const auto base = std::chrono::file_clock::from_sys(std::chrono::sys_seconds(std::chrono::seconds(1600000000)));
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        inst00 = Inst00{};
        WinePrefix p = prefix("prefix" + std::to_string(n++));
        p.shell_folders("%USERPROFILE%\\Documents");
        p.version(2, Install::ok, "Old");
        p.version(3, Install::ok, "Jane");
        const std::string docs = p.documents();
        const struct { int offset; std::string file; } files[] = {
            {c.p3, docs + "/Condor3/Pilots/Jane/FlightPlan.fpl"},
            {c.p2, docs + "/Condor/Pilots/Old/FlightPlan.fpl"},
            {c.l3, p.host("C:\\Condor3\\Logs\\Logfile.txt")},
            {c.l2, p.host("C:\\Condor2\\Logs\\Logfile.txt")},
        };
        for (const auto& f : files) {
            if (f.offset < 0) continue;
            if (!fs::exists(f.file)) WinePrefix::write(f.file, "[Version]\r\n");
            fs::last_write_time(f.file, base + std::chrono::seconds(f.offset));
        }
        get_active_condor_version();
        EXPECT_EQ(inst00.condor_version, c.want);
        const bool v3 = c.want == 3;
        EXPECT_EQ(inst00.cndrinstpath, v3 ? inst00.instpath3 : inst00.instpath2);
        EXPECT_EQ(inst00.cndrrootpath, v3 ? inst00.rootpath3 : inst00.rootpath2);
        EXPECT_EQ(inst00.cndrpilpath, v3 ? inst00.pilpath3 : inst00.pilpath2);
    }
}

TEST_F(Installation, ActiveVersionWithOneOrNoInstallation) {
    WinePrefix p = prefix();
    p.shell_folders("%USERPROFILE%\\Documents");
    p.version(3, Install::ok, "Jane");
    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(inst00.cndrinstpath, p.host("C:\\Condor3"));

    // Nothing detected: the version is kept and its folders are selected.
    inst00 = Inst00{};
    prefix("empty");
    inst00.condor_version = 2;
    inst00.rootpath2 = "/somewhere/Condor/";
    get_active_condor_version();
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_FALSE(inst00.qc2);
    EXPECT_EQ(inst00.cndrrootpath, "/somewhere/Condor/");
}

}  // namespace
