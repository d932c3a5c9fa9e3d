// Loading shared libraries through the platform.

#include <cstring>

#include <gtest/gtest.h>

#include "support/platform.h"

namespace {

TEST(SharedLibrary, AWindowsLibraryIsNotThereOnLinux) {
    EXPECT_EQ(open_shared_library("NaviCon.dll"), nullptr);
    EXPECT_EQ(open_shared_library(""), nullptr);
    EXPECT_EQ(shared_library_function(nullptr, "XYToLat"), nullptr);
}

TEST(SharedLibrary, ALibraryOfThePlatformAndItsFunctions) {
    void* lib = open_shared_library("libm.so.6");
    ASSERT_NE(lib, nullptr);
    auto* cosine = reinterpret_cast<double (*)(double)>(shared_library_function(lib, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(shared_library_function(lib, "no_such_function_here"), nullptr);
}

}  // namespace
