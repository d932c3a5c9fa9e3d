#include "tests/common/igc_sandbox.h"

#include "support/program_settings.h"
#include "tests/common/env_vars.h"
#include "tracks/utm.h"

void InIgcSandbox::SetUp() {
    InTempDir::SetUp();
    set_env("BREMALO_NO_GUI", "1");
    set_env("WINEPREFIX", tmp.path().string().c_str());
    cmndta001.qline = true;
    cmndta000.app_path = tmp.path().string() + std::string(path_sep_str());
    utm000 = Utm000{};
    utm001 = Utm001{};
    fich_old.clear();
}
