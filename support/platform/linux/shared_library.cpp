// Shared libraries on Linux: dlopen and dlsym.
#include <dlfcn.h>

#include <string>

#include "support/platform.h"

void* open_shared_library(std::string_view name) {
    if (name.empty()) return nullptr;
    const std::string n(name);
    return dlopen(n.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* shared_library_function(void* lib, const char* name) {
    if (lib == nullptr || name == nullptr) return nullptr;
    return dlsym(lib, name);
}
