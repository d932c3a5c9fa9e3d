#include "support/platform.h"
#include "support/platform/linux/wine_prefix.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"
#include "tests/common/console_capture.h"

namespace fs = std::filesystem;


class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("WINEPREFIX", tmp.path().c_str(), 1);
        std::string reg =
            "WINE REGISTRY Version 2\n"
            ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
            "\n"
            "#arch=win64\n"
            "\n"
            "[Software\\\\Condor3] 1700000000\n"
            "#time=1da0c0c0c0c0c0c\n"
            "\"InstallDir\"=\"C:\\\\Condor3\"\n"
            "\"LastPlayer\"=\"Jean \\\"JJ\\\" Dupr\\x00e9\"\n"
            "\"Count\"=dword:00000003\n"
            "@=\"the default\"\n"
            "\n"
            "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders] 1700000000\n"
            "\"Personal\"=str(2):\"%USERPROFILE%\\\\Documents\"\n"
            "\"Games\"=\"D:\\\\Games\\\\\"\n"
            "\"Far\"=\"Q:\\\\x\"\n"
            "\"Long\"=\"" + std::string(300, 'L') + "\"\n";
        tmp.write("user.reg", reg);
        tmp.write("system.reg",
                  "WINE REGISTRY Version 2\n\n[Software\\\\Classes\\\\.ftr] 1700000000\n@=\"Condor.Track\"\n");
        fs::create_directories(tmp.path() / "drive_c");
        fs::create_directories(tmp.path() / "drive_d");
        fs::create_directories(tmp.path() / "dosdevices");
        fs::create_directory_symlink("../drive_d", tmp.path() / "dosdevices" / "d:");
    }
    void TearDown() override { unsetenv("WINEPREFIX"); }

    // Reads a value; returns the status, fills value and len.
    int32_t read(const char* key, const char* name, std::string& value, int32_t& len, std::string* out = nullptr) {
        char buf[255];
        std::memset(buf, 'x', sizeof buf);
        buf[254] = '\0';
        begin_stdout_capture();
        int32_t st = RdUsrReg(key, name, buf, &len);
        std::string o = end_stdout_capture();
        if (out) *out = o;
        value = buf;
        return st;
    }
    std::string prefix() const { return tmp.path().string(); }
    TempDir tmp;
};

TEST_F(Registry, ReadsStringValuesWithoutRegardToCase) {
    std::string v, out;
    int32_t len = 0;
    EXPECT_EQ(read("SOFTWARE\\CONDOR3\\", "lastplayer", v, len, &out), 0);
    EXPECT_EQ(v, "Jean \"JJ\" Dupr\xC3\xA9");
    EXPECT_EQ(len, static_cast<int32_t>(v.size() + 1));
    EXPECT_EQ(out,
              "Subkey,name : SOFTWARE\\CONDOR3\\ lastplayer \n"
              "USER Open Status : 0\n"
              "Query Status, Length : 0 17\n"
              "value : " + v + " \n"
              "Status : 0\n");
    len = 0;
    EXPECT_EQ(read("Software\\Condor3", "", v, len), 0);
    EXPECT_EQ(v, "the default");
}

TEST_F(Registry, DrivePathsBecomeHostPaths) {
    std::string v;
    int32_t len = 0;
    EXPECT_EQ(read("Software\\Condor3\\", "InstallDir", v, len), 0);
    EXPECT_EQ(v, prefix() + "/drive_c/Condor3");  // no dosdevices entry for C:
    len = 0;
    EXPECT_EQ(read("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Games", v, len),
              0);
    EXPECT_EQ(v, fs::canonical(tmp.path() / "drive_d").string() + "/Games/");
    len = 0;
    EXPECT_EQ(read("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Far", v, len), 0);
    EXPECT_EQ(v, "Q:\\x");  // a drive the prefix does not know stays
    len = 0;
    EXPECT_EQ(read("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Personal", v, len),
              0);
    EXPECT_EQ(v, "%USERPROFILE%\\Documents");
}

TEST_F(Registry, MissingOrUnsuitableValuesLeaveTheOutputAlone) {
    struct Case {
        const char* key;
        const char* name;
        int32_t status;
        const char* tail;
    } cases[] = {
        {"Software\\Condor3\\", "NoSuchValue", 2, "Query Status, Length : 2 255\nStatus : 0\n"},
        {"Software\\Condor3\\", "Count", 13, "Query Status, Length : 13 255\nStatus : 0\n"},
        {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders\\", "Long", 234,
         "Query Status, Length : 234 301\nStatus : 0\n"},
        {"Software\\Condor2\\", "InstallDir", 2, "USER Open Status : 2\n"},
    };
    for (const Case& c : cases) {
        std::string v, out;
        int32_t len = 0;
        EXPECT_EQ(read(c.key, c.name, v, len, &out), c.status) << c.name;
        EXPECT_EQ(v, std::string(254, 'x')) << c.name;
        EXPECT_EQ(len, 0) << c.name;
        EXPECT_EQ(out.substr(out.size() - std::strlen(c.tail)), c.tail) << c.name;
    }
}

TEST_F(Registry, MissingFileAndClassesRoot) {
    std::string v, out;
    int32_t len = -1;
    EXPECT_EQ(read(".ftr", "", v, len, &out), 0);
    EXPECT_EQ(v, "Condor.Track");
    EXPECT_EQ(out.find("USER Open Status"), std::string::npos);  // only for the current user
    fs::remove(tmp.path() / "user.reg");
    len = 0;
    EXPECT_NE(read("Software\\Condor3\\", "InstallDir", v, len), 0);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(RdUsrReg("Software\\Condor3\\", "InstallDir", nullptr, &len), 87);
}

TEST_F(Registry, ProfileVariablesFallBackToThePrefix) {
    unsetenv("USERPROFILE");
    unsetenv("APPDATA");
    setenv("USER", "pilot", 1);
    char buf[512];
    int32_t n = MyGetEnv("USERPROFILE", buf, sizeof buf);
    EXPECT_EQ(std::string(buf), prefix() + "/drive_c/users/pilot");
    EXPECT_EQ(n, static_cast<int32_t>(std::strlen(buf)));
    MyGetEnv("appdata", buf, sizeof buf);
    EXPECT_EQ(std::string(buf), prefix() + "/drive_c/users/pilot/AppData/Roaming");

    setenv("USERPROFILE", "/set/by/user", 1);
    EXPECT_EQ(MyGetEnv("USERPROFILE", buf, sizeof buf), 12);
    EXPECT_STREQ(buf, "/set/by/user");
    std::strcpy(buf, "untouched");
    EXPECT_EQ(MyGetEnv("USERPROFILE", buf, 5), 13);  // the size it needs
    EXPECT_STREQ(buf, "untouched");
    unsetenv("BREMALO_SURELY_UNSET");
    EXPECT_EQ(MyGetEnv("BREMALO_SURELY_UNSET", buf, sizeof buf), 0);
    EXPECT_EQ(MyGetEnv(nullptr, buf, sizeof buf), 0);
}

TEST_F(Registry, PrefixDefaultsToHomeWine) {
    unsetenv("WINEPREFIX");
    setenv("HOME", "/home/pilot/", 1);
    EXPECT_EQ(wine_prefix(), "/home/pilot/.wine");
    EXPECT_EQ(windows_to_host_path("C:\\a\\b"), "/home/pilot/.wine/drive_c/a/b");
    EXPECT_EQ(windows_to_host_path("relative\\x"), "relative\\x");
    EXPECT_EQ(windows_to_host_path("C:"), "/home/pilot/.wine/drive_c");
}

TEST_F(Registry, DriveMappedToTheRootGivesPlainHostPaths) {
    // Wine maps Z: to the host's "/": its paths must not come out as "//home/...".
    fs::create_directories(tmp.path() / "dosdevices");
    fs::create_directory_symlink("/", tmp.path() / "dosdevices" / "z:");
    EXPECT_EQ(windows_to_host_path("Z:\\home\\pilot"), "/home/pilot");
    EXPECT_EQ(windows_to_host_path("Z:\\"), "/");
    EXPECT_EQ(windows_to_host_path("z:"), "/");
}

TEST(Platform, ExePathArgZeroAndClock) {
    char buf[512];
    int32_t n = GetExePath(buf, sizeof buf);
    ASSERT_GT(n, 0);
    EXPECT_EQ(std::string(buf), fs::canonical("/proc/self/exe").string());
    char tiny[4];
    EXPECT_EQ(GetExePath(tiny, sizeof tiny), 0);  // never a cut path
    EXPECT_NE(program_arg0().find("support_registry_test"), std::string::npos);
    LocalTime t = local_time_now();
    EXPECT_GE(t.year, 2020);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12);
}
