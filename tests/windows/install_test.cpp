// The simulator's installation found through the Windows registry, against
// what scripts/test-windows.sh sets up in the run's Wine prefix:
//   HKCU\SOFTWARE\Condor3  InstallDir "C:\BremaloTest\Condor3",
//                          LastPlayer "Jean Pilot"
//   HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell
//   Folders  Personal (expandable) "%USERPROFILE%\Documents"
//   C:\BremaloTest\Condor3\Condor.exe, and Logs\Logfile.txt naming version
//   3040 on its third line; no version 2.
#include "support/condor_install.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include <gtest/gtest.h>

#include "support/messages.h"
#include "tests/common/console_capture.h"
#include "tests/common/env_vars.h"
#include "tests/common/temp_dir.h"

namespace {

class Installation : public InTempDir {
protected:
    void SetUp() override {
        InTempDir::SetUp();
        HKEY k = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\Condor3", 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS)
            FAIL() << "the simulator's values are missing: run the tests through scripts/test-windows.sh";
        RegCloseKey(k);
        inst00 = Inst00{};
        cmndta000.app_path = tmp.path().string() + "\\";
        set_env("BREMALO_NO_GUI", "1");
        stdin_from_nothing();
        const char* profile = std::getenv("USERPROFILE");
        ASSERT_NE(profile, nullptr);
        documents = std::string(profile) + "\\Documents";
    }
    std::string documents;
};

TEST_F(Installation, FindsVersion3AndItsFolders) {
    begin_stdout_capture();
    begin_stderr_capture();
    const int32_t result = check_condor_install(" ");
    const std::string box = end_stderr_capture();
    end_stdout_capture();
    EXPECT_EQ(result, 3);
    EXPECT_FALSE(inst00.qc2);
    EXPECT_TRUE(inst00.qc3);
    EXPECT_EQ(inst00.condor_version, 3);
    EXPECT_EQ(inst00.instpath3, "C:\\BremaloTest\\Condor3");
    EXPECT_EQ(inst00.cndrinstpath, "C:\\BremaloTest\\Condor3");
    EXPECT_EQ(inst00.rootpath3, documents + "\\Condor3\\");
    EXPECT_EQ(inst00.pilpath3, documents + "\\Condor3\\Pilots\\Jean Pilot");
    EXPECT_EQ(inst00.cndrpilpath, inst00.pilpath3);
    EXPECT_EQ(inst00.cndrrootpath, inst00.rootpath3);
    // Version 2 is missing: an information, not an error.
    EXPECT_EQ(box, "Dralto\n*** Condor2 installation not detected on this computer ***\n");
    EXPECT_EQ(tmp.read("Logfile.txt"), "Condor 3 install path: C:\\BremaloTest\\Condor3\r\n");
    EXPECT_EQ(tmp.read("ErrorLog.txt"), "");
}

TEST_F(Installation, FolderLookupAndItsCache) {
    std::string path = "old";
    begin_stdout_capture();
    EXPECT_EQ(get_condor_inst_dir(3, path, true), 3);
    EXPECT_EQ(path, "C:\\BremaloTest\\Condor3");
    EXPECT_EQ(get_condor_inst_dir(2, path, true), 0);
    EXPECT_EQ(path, "");
    inst00.instpath3 = "C:\\Cached";
    EXPECT_EQ(get_condor_inst_dir(-3, path, true), 3);
    end_stdout_capture();
    EXPECT_EQ(path, "C:\\Cached");
}

}  // namespace
