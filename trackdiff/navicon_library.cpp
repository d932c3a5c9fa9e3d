#include "trackdiff/navicon_library.h"

#include <cstdio>
#include <string>

#include "support/console.h"
#include "support/platform.h"
#include "trackdiff/navicon_substitute.h"

namespace {

struct Binding {
    bool bound = false;
    NaviCon_library lib;
};

Binding& binding() {
    static Binding b;
    return b;
}

/// The five operations of the platform's NaviCon.dll; false when it cannot
/// be loaded or lacks one of them.
bool bind_dll(NaviCon_library& lib) {
    void* h = open_shared_library("NaviCon.dll");
    if (h == nullptr) return false;
    NaviCon_library l;
    l.NaviConInit = reinterpret_cast<int32_t (*)(const char*)>(shared_library_function(h, "NaviConInit"));
    l.XYToLon = reinterpret_cast<float (*)(float, float)>(shared_library_function(h, "XYToLon"));
    l.XYToLat = reinterpret_cast<float (*)(float, float)>(shared_library_function(h, "XYToLat"));
    l.GetMaxX = reinterpret_cast<float (*)()>(shared_library_function(h, "GetMaxX"));
    l.GetMaxY = reinterpret_cast<float (*)()>(shared_library_function(h, "GetMaxY"));
    if (!l.NaviConInit || !l.XYToLon || !l.XYToLat || !l.GetMaxX || !l.GetMaxY) return false;
    lib = l;
    return true;
}

std::string two_values(const char* label, float x, float y) {
    char buf[160];
    std::snprintf(buf, sizeof buf, "%s : %f %f ", label, static_cast<double>(x), static_cast<double>(y));
    return buf;
}

std::string three_values(const char* label, float x, float y, float r) {
    char buf[240];
    std::snprintf(buf, sizeof buf, "%s : %f %f %f ", label, static_cast<double>(x), static_cast<double>(y),
                  static_cast<double>(r));
    return buf;
}

}  // namespace

const NaviCon_library& navicon() {
    Binding& b = binding();
    if (!b.bound) {
        if (bind_dll(b.lib)) {
            console_line("NaviCon : NaviCon.dll bound");
        } else {
            b.lib = navicon_substitute();
            console_line("NaviCon : NaviCon.dll not available, the built-in conversion serves");
        }
        b.bound = true;
    }
    return b.lib;
}

void navicon_use(const NaviCon_library& lib) {
    binding().lib = lib;
    binding().bound = true;
}

void myNaviConInit(int32_t& istat, const char* TRNFile) {
    console_line(std::string("NaviConInit: TRNFile : ") + (TRNFile ? TRNFile : ""));
    istat = navicon().NaviConInit(TRNFile ? TRNFile : "");
}

float myXYToLon(const float& x, const float& y) {
    console_line(two_values("LON", x, y));
    const float r = navicon().XYToLon(x, y);
    console_line(three_values("LON", x, y, r));
    return r;
}

float myXYToLat(const float& x, const float& y) {
    console_line(two_values("Lat", x, y));
    const float r = navicon().XYToLat(x, y);
    console_line(three_values("Lat", x, y, r));
    return r;
}
