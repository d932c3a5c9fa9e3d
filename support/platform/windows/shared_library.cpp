// Shared libraries on Windows: LoadLibraryA and GetProcAddress.
#include <windows.h>

#include <string>

#include "support/platform.h"

void* open_shared_library(std::string_view name) {
    if (name.empty()) return nullptr;
    const std::string n(name);
    // No "cannot find the DLL" box of the system: a missing library is an
    // answer (nullptr), not a question for the user.
    const UINT old_mode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE h = LoadLibraryA(n.c_str());
    SetErrorMode(old_mode);
    return reinterpret_cast<void*>(h);
}

void* shared_library_function(void* lib, const char* name) {
    if (lib == nullptr || name == nullptr) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(lib), name));
}
