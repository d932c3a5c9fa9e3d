// Loading shared libraries on Windows: LoadLibraryA and GetProcAddress.
#include "support/platform.h"

#include <gtest/gtest.h>

#include "tests/common/temp_dir.h"

namespace {

TEST(SharedLibrary, ALibraryOfTheSystemAndItsFunctions) {
    void* lib = open_shared_library("msvcrt.dll");
    ASSERT_NE(lib, nullptr);
    auto* cosine = reinterpret_cast<double (*)(double)>(shared_library_function(lib, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(shared_library_function(lib, "no_such_function_here"), nullptr);
    EXPECT_EQ(shared_library_function(lib, nullptr), nullptr);
    EXPECT_EQ(shared_library_function(nullptr, "cos"), nullptr);
}

class NoLibrary : public InTempDir {};

// A missing library, and a file of that name that is no library, are
// refused at once (no box of the system waits for a user).
TEST_F(NoLibrary, MissingOrNotALibrary) {
    EXPECT_EQ(open_shared_library("NaviCon.dll"), nullptr);
    EXPECT_EQ(open_shared_library(""), nullptr);
    tmp.write("NotALibrary.dll", "MZ but nothing more");
    EXPECT_EQ(open_shared_library(tmp.file("NotALibrary.dll")), nullptr);
}

}  // namespace
