// Line reading with and without CR alone as a line end: the only
// difference between the two is that a CR not followed by LF ends a line.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "taskmodel/fpl_input.h"
#include "tests/common/temp_dir.h"

namespace {

struct Reading {
    std::vector<std::string> lines;
    int32_t last_status = 0;
    bool operator==(const Reading&) const = default;
};

// Every line of `bytes` as the input reads it.
Reading read_all(const TempDir& tmp, const std::string& bytes, bool cr_ends_line, std::size_t limit) {
    tmp.write("in.txt", bytes);
    Fpl_input in;
    EXPECT_TRUE(fpl_input_open(in, tmp.file("in.txt")));
    in.cr_ends_line = cr_ends_line;
    Reading r;
    std::string line;
    while ((r.last_status = fpl_input_read_line(in, line, limit)) == 0) r.lines.push_back(line);
    return r;
}

// `bytes` with each CR that is not followed by LF made an LF.
std::string lone_cr_as_lf(std::string bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) bytes[i] = '\n';
    return bytes;
}

std::string printable(const std::string& s) {
    std::string r;
    for (const char c : s.substr(0, 60)) {
        if (c == '\r') r += "\\r";
        else if (c == '\n') r += "\\n";
        else if (c == '\0') r += "\\0";
        else r += c;
    }
    return r;
}

TEST(FplInputLineEnds, CrAloneEndsALineAndNothingElseChanges) {
    TempDir tmp;
    const std::string big(10 * 1024 * 1024, 'x');
    struct Case {
        const char* what;
        std::string bytes;
        std::vector<std::string> lines;  // read with CR alone as a line end, limit 256
    };
    const std::vector<Case> cases = {
        {"LF", "a\nb\n", {"a", "b"}},
        {"CR LF", "a\r\nb\r\n", {"a", "b"}},
        {"LF and CR LF mixed", "a\nb\r\nc\n", {"a", "b", "c"}},
        {"last line without a line end", "a\r\nb", {"a", "b"}},
        {"empty lines", "\r\n\n\r\n", {"", "", ""}},
        {"empty file", "", {}},
        {"byte-order mark kept", "\xEF\xBB\xBF" "a\r\n", {"\xEF\xBB\xBF" "a"}},
        {"trailing blanks kept", "a  \r\nb \n", {"a  ", "b "}},
        {"NUL bytes kept", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}},
        {"10 MB line cut to the limit", big + "\r\nz\r\n", {std::string(256, 'x'), "z"}},
        {"line of the limit's length", std::string(256, 'y') + "\r\nz", {std::string(256, 'y'), "z"}},
        {"CR alone", "a\rb\r", {"a", "b"}},
        {"CR alone last", "a\r", {"a"}},
        {"CR alone, then LF", "a\rb\nc\r\n", {"a", "b", "c"}},
        {"CR CR LF", "a\r\r\nb", {"a", "", "b"}},
        {"CR alone beyond the limit", big + "\rz\r", {std::string(256, 'x'), "z"}},
        {"carriage returns alone", std::string(5, '\r') + "\nb", {"", "", "", "", "", "b"}},
    };
    for (const Case& c : cases) {
        const Reading now = read_all(tmp, c.bytes, true, 256);
        EXPECT_EQ(now.lines, c.lines) << c.what;
        EXPECT_EQ(now.last_status, -1) << c.what;
        // Against the reading without CR alone: the same where no CR stands
        // alone, else the same as with those CRs made LF.
        EXPECT_EQ(now, read_all(tmp, lone_cr_as_lf(c.bytes), false, 256)) << c.what;
        if (lone_cr_as_lf(c.bytes) == c.bytes) {
            EXPECT_EQ(now, read_all(tmp, c.bytes, false, 256)) << c.what;
        }
    }
}

TEST(FplInputLineEnds, AnyBytesReadAsTheOldReadingWithLoneCrAsLf) {
    TempDir tmp;
    std::mt19937 rng(1225);
    const std::string alphabet = std::string("ab \r\n\r\n\0\xEF", 9);
    std::uniform_int_distribution<std::size_t> len(0, 40), pick(0, alphabet.size() - 1), limit(1, 12);
    for (int i = 0; i < 400; ++i) {
        std::string bytes;
        for (std::size_t n = len(rng); n > 0; --n) bytes += alphabet[pick(rng)];
        const std::size_t lim = limit(rng);
        ASSERT_EQ(read_all(tmp, bytes, true, lim), read_all(tmp, lone_cr_as_lf(bytes), false, lim))
            << printable(bytes) << " limit " << lim;
    }
}

TEST(FplInputLineEnds, OnlyTheInputThatAsksForItEndsLinesAtCrAlone) {
    TempDir tmp;
    tmp.write("in.txt", "a\rb\r\n");
    Fpl_input in;
    ASSERT_TRUE(fpl_input_open(in, tmp.file("in.txt")));
    EXPECT_FALSE(in.cr_ends_line) << "flight plans and settings files";
    in.cr_ends_line = true;
    Fpl_input moved(std::move(in));
    EXPECT_TRUE(moved.cr_ends_line);
    std::string line;
    EXPECT_EQ(fpl_input_read_line(moved, line, 80), 0);
    EXPECT_EQ(line, "a");
}

}  // namespace
