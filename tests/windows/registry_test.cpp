// The registry read through the registry API, against values that
// scripts/test-windows.sh writes with "wine reg add" into the run's Wine
// prefix before the tests:
//   HKCU\Software\BremaloTest   (default) "the default", InstallDir
//       "C:\Condor3", Personal (expandable) "%USERPROFILE%\Documents",
//       Player "Jean Dupr<e acute>", Count (a number) 3, Long (300 x "L")
//   HKCR\.bremalotest           (default) "Bremalo.Track"
#include "support/platform.h"

#include <windows.h>

#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "tests/common/console_capture.h"

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override {
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\BremaloTest", 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
            FAIL() << "the test values are missing: run the tests through scripts/test-windows.sh";
        RegCloseKey(k);
    }

    // Reads a value; returns the status, fills value and len.
    static int32_t read(const char* key, const char* name, std::string& value, int32_t& len,
                        std::string* out = nullptr) {
        char buf[255];
        std::memset(buf, 'x', sizeof buf);
        buf[254] = '\0';
        begin_stdout_capture();
        const int32_t st = RdUsrReg(key, name, buf, &len);
        const std::string o = end_stdout_capture();
        if (out) *out = o;
        value = buf;
        return st;
    }
};

TEST_F(Registry, ReadsStringValuesAsStored) {
    struct Case {
        const char* key;
        const char* name;
        const char* want;
    } cases[] = {
        {"Software\\BremaloTest\\", "InstallDir", "C:\\Condor3"},  // a drive path stays a drive path
        {"SOFTWARE\\BREMALOTEST", "installdir", "C:\\Condor3"},    // names without regard to case
        {"Software\\BremaloTest\\", "Personal", "%USERPROFILE%\\Documents"},  // not expanded
        {"Software\\BremaloTest\\", "Player", "Jean Dupr\xE9"},  // the ANSI code page
        {"Software\\BremaloTest\\", "", "the default"},
    };
    for (const Case& c : cases) {
        std::string v;
        int32_t len = 0;
        EXPECT_EQ(read(c.key, c.name, v, len), 0) << c.name;
        EXPECT_EQ(v, c.want) << c.name;
        EXPECT_EQ(len, static_cast<int32_t>(v.size() + 1)) << c.name;
    }
}

TEST_F(Registry, ConsoleLines) {
    std::string v, out;
    int32_t len = 0;
    ASSERT_EQ(read("Software\\BremaloTest\\", "InstallDir", v, len, &out), 0);
    EXPECT_EQ(out,
              "Subkey,name : Software\\BremaloTest\\ InstallDir \n"
              "USER Open Status : 0\n"
              "Query Status, Length : 0 11\n"
              "value : C:\\Condor3 \n"
              "Status : 0\n");
}

TEST_F(Registry, MissingOrUnsuitableValuesLeaveTheOutputAlone) {
    struct Case {
        const char* key;
        const char* name;
        int32_t status;
        const char* tail;
    } cases[] = {
        {"Software\\BremaloTest\\", "NoSuchValue", ERROR_FILE_NOT_FOUND, "Status : 0\n"},
        {"Software\\BremaloTest\\", "Count", ERROR_INVALID_DATA, "Status : 0\n"},
        {"Software\\BremaloTest\\", "Long", ERROR_MORE_DATA, "Status : 0\n"},
        {"Software\\BremaloNoSuchKey\\", "InstallDir", ERROR_FILE_NOT_FOUND, "USER Open Status : 2\n"},
    };
    for (const Case& c : cases) {
        std::string v, out;
        int32_t len = 0;
        EXPECT_EQ(read(c.key, c.name, v, len, &out), c.status) << c.name;
        EXPECT_EQ(v, std::string(254, 'x')) << c.name;
        EXPECT_EQ(len, 0) << c.name;
        EXPECT_EQ(out.substr(out.size() - std::strlen(c.tail)), c.tail) << c.name << "\n" << out;
    }
    int32_t len = 0;
    EXPECT_EQ(RdUsrReg("Software\\BremaloTest\\", "InstallDir", nullptr, &len), ERROR_INVALID_PARAMETER);
}

TEST_F(Registry, NegativeLengthReadsTheClassesRoot) {
    std::string v, out;
    int32_t len = -1;
    EXPECT_EQ(read(".bremalotest", "", v, len, &out), 0);
    EXPECT_EQ(v, "Bremalo.Track");
    EXPECT_EQ(len, 14);
    EXPECT_EQ(out.find("USER Open Status"), std::string::npos);  // only for the current user
}

}  // namespace
