// Temporary folders for tests.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "support/platform.h"  // path_separator, path_sep_str

/// A new empty folder under the system's temporary folder, its name `stem`
/// followed by a unique ending; the caller removes it.
std::filesystem::path fresh_temp_folder(std::string_view stem);

/// A name for a new file in the system's temporary folder: `stem`, the
/// process's id, the clock and a count of the names this process took,
/// then ".tmp".  No other process running at the same time makes it, and
/// this process never makes it twice; nothing is created.
std::string fresh_temp_file_name(std::string_view stem);

/// A fresh folder under the system's temporary folder, removed with all its
/// content when the object goes.  In the child process of a death test that
/// runs the test program anew, the parent's folder of the same rank.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    /// path() / name, as a string.
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    /// Writes `content` byte for byte into path() / name (parents created).
    void write(const std::string& name, const std::string& content) const;
    /// The bytes of path() / name; empty when it does not exist.
    std::string read(const std::string& name) const;

private:
    std::filesystem::path path_;
    bool owned_ = true;  // removed with the object (not a death-test child's)
};

/// A test fixture that runs each test inside its own temporary folder as the
/// working folder, so that files written relative to the working folder (the
/// run log among them) never meet another test's.
class InTempDir : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    TempDir tmp;

private:
    std::filesystem::path saved_;
};

/// The bytes of a file; empty when it cannot be read.
std::string read_file(const std::filesystem::path& p);

/// The path with each "/" made the platform's separator, so that a table of
/// paths written with "/" holds on every platform.
std::string native_path(std::string_view path);
