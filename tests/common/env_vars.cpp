#include "tests/common/env_vars.h"

#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#endif

void set_env(const char* name, const char* value) {
#ifdef _WIN32
    // The C runtime keeps a copy of its own: both are set.
    _putenv_s(name, value);
    SetEnvironmentVariableA(name, value);
#else
    setenv(name, value, 1);
#endif
}

void unset_env(const char* name) {
#ifdef _WIN32
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
#else
    unsetenv(name);
#endif
}
