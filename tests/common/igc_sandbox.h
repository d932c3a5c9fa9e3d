// A test fixture for tests that read IGC logs, alone or through trackdiff.
#pragma once

#include <string>

#include "tests/common/temp_dir.h"

/// Each test in its own temporary working folder (InTempDir), set up so that
/// reading a log touches nothing outside it: no dialog box can appear
/// (BREMALO_NO_GUI), messages go to the console, the Wine prefix and the
/// program folder are the temporary folder (a version-3 log's flight plan
/// looks for the landscape's airspace file in the installation, and finds
/// none), and no UTM frame is set up.  The task model is left as it is: a
/// test that wants it reset as the converter resets it calls init_read_fpl
/// and init_glider itself (the comparison program resets nothing).
class InIgcSandbox : public InTempDir {
protected:
    void SetUp() override;

    /// True when `console` holds `s`.
    bool printed(const std::string& s) const { return console.find(s) != std::string::npos; }

    /// The console output that the test captured last.
    std::string console;
};
