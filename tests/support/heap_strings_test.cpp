#include "support/heap_strings.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

namespace {

// The text of a new heap text, which is released.  "<null>" for null.
std::string take(char* p) {
    if (!p) return "<null>";
    std::string s(p);
    slFree(p);
    return s;
}

// Owner of a counted record for the length of a test.
struct Rec {
    CountedString* r = nullptr;
    explicit Rec(CountedString* p = nullptr) : r(p) {}
    explicit Rec(const char* c) : r(cpyString(c)) {}
    ~Rec() { freeStr(&r); }
    Rec(const Rec&) = delete;
    Rec& operator=(const Rec&) = delete;
    // The characters as the length says; "<null>" for no record.
    std::string text() const {
        if (!r) return "<null>";
        if (!r->text) return r->length == 0 ? "" : "<bad>";
        EXPECT_EQ(static_cast<int32_t>(std::strlen(r->text)), r->length) << "length out of step";
        return std::string(r->text, static_cast<std::size_t>(r->length));
    }
};

// ---------------------------------------------------------------------------
// NUL-terminated family
// ---------------------------------------------------------------------------

TEST(SlPositions, WrapCharAtAndSetCharAt) {
    struct Case { int32_t pos; int32_t wrapped; int32_t ch; int32_t set; };
    const Case cases[] = {
        {0, 0, 'a', 1},  {2, 2, 'c', 1}, {-1, 2, 'c', 1}, {-3, 0, 'a', 1},
        {3, 3, 0, 0},    {7, 3, 0, 0},
    };
    for (const Case& c : cases) {
        char s[] = "abc";
        EXPECT_EQ(slWrapPos(s, c.pos), c.wrapped) << c.pos;
        EXPECT_EQ(slCharAt(s, c.pos), c.ch) << c.pos;
        EXPECT_EQ(slSetCharAt(s, c.pos, 'X'), c.set) << c.pos;
        EXPECT_EQ(std::strlen(s), 3u) << "a store past the end must not move the NUL";
    }
    // A character above 127 comes back as 0..255.
    char hi[] = "\xE9";
    EXPECT_EQ(slCharAt(hi, 0), 0xE9);
}

TEST(SlPositions, DropCharAtAndDropLastChar) {
    struct Case { const char* s; int32_t pos; const char* after; };
    const Case cases[] = {
        {"abc", 0, "bc"}, {"abc", 1, "ac"}, {"abc", -1, "ab"}, {"abc", 3, "abc"},
        {"abc", 9, "abc"}, {"", 0, ""},
    };
    for (const Case& c : cases) {
        char buf[8];
        std::strcpy(buf, c.s);
        slDropCharAt(buf, c.pos);
        EXPECT_STREQ(buf, c.after) << c.s << " " << c.pos;
    }
    char ab[] = "ab";
    EXPECT_EQ(slDropLastChar(ab), 1);
    EXPECT_STREQ(ab, "a");
    EXPECT_EQ(slDropLastChar(ab), 0);
    EXPECT_STREQ(ab, "");
    EXPECT_EQ(slDropLastChar(ab), -1);
    EXPECT_STREQ(ab, "");
}

TEST(SlTexts, SubStringAndInsert) {
    struct Sub { int32_t start, end; const char* want; };
    const Sub subs[] = {
        {1, 3, "bcd"}, {3, 1, ""}, {0, -1, "abcdef"}, {-2, -1, "ef"},
        {2, 6, "cdef"}, {4, 99, "ef"}, {6, 6, ""},
    };
    for (const Sub& c : subs)
        EXPECT_EQ(take(slSubString("abcdef", c.start, c.end)), c.want) << c.start << ".." << c.end;
    EXPECT_EQ(take(slSubString("", 0, 0)), "");

    struct Ins { int32_t pos; const char* want; };
    const Ins ins[] = {{0, "XYabc"}, {1, "aXYbc"}, {-1, "abXYc"}, {3, "abcXY"}, {10, "abcXY"}};
    for (const Ins& c : ins) EXPECT_EQ(take(slInsert("abc", "XY", c.pos)), c.want) << c.pos;
}

TEST(SlTexts, BuildingNewTexts) {
    char* z = slStringOfSize(4);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(z[i], '\0');
    slFree(z);

    EXPECT_EQ(take(slStringFromBuffer("abcdef", 3)), "abc");
    // No buffer: zero bytes, never what the heap held before.
    char* nobuf = slStringFromBuffer(nullptr, 4);
    ASSERT_NE(nobuf, nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(nobuf[i], '\0') << i;
    slFree(nobuf);
    EXPECT_EQ(take(slSizeTo("abcdef", 3)), "abc");
    EXPECT_EQ(take(slSizeTo("ab", 5)), "ab   ");
    EXPECT_EQ(take(slSizeTo(nullptr, 5)), "");
    EXPECT_EQ(take(slCopy("abc")), "abc");
    EXPECT_EQ(take(slCopy(nullptr)), "");
    EXPECT_EQ(take(slAppend("ab", "cd")), "abcd");
    EXPECT_EQ(take(slAppendAndFree(slCopy("ab"), "cd")), "abcd");  // the sanitizer sees a leak otherwise
    EXPECT_EQ(take(slLower("AbC-\xC9")), "abc-\xC9");
    EXPECT_EQ(take(slUpper("aBc-\xE9")), "ABC-\xE9");

    char s[] = "abc";
    slClear(s);
    EXPECT_EQ(s[0], '\0');
    EXPECT_EQ(s[1], '\0');
    EXPECT_EQ(s[2], '\0');
}

TEST(SlTexts, Equality) {
    EXPECT_EQ(slEquals("abc", "abc"), 1);
    EXPECT_EQ(slEquals("abc", "abcd"), 0);
    EXPECT_EQ(slEquals("abc", "abd"), 0);
    EXPECT_EQ(slEquals("", ""), 1);
    EXPECT_EQ(slEqualsAnyCase("AbC", "aBc"), 1);
    EXPECT_EQ(slEqualsAnyCase("abc", "abcd"), 0);
    EXPECT_EQ(slEqualsAnyCase("abc", "abd"), 0);
    EXPECT_EQ(slEqualsAnyCase("", ""), 1);
}

TEST(SlSearch, ForwardFindWithItsRefusals) {
    struct Case { const char* s; const char* s2; int32_t from; int32_t want; };
    const Case cases[] = {
        {"abcabc", "abc", 0, 0}, {"abcabc", "abc", 1, 3}, {"abcabc", "abc", -3, 3},
        {"abcabc", "abc", 4, -1}, {"abcabc", "bca", 0, 1}, {"abc", "abc", 0, 0},
        {"abc", "abcd", 0, -1},  {"abc", "", 0, -1},       {"abc", "x", 0, -1},
        {nullptr, "a", 0, -1},   {"abc", nullptr, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(slFindFrom(c.s, c.s2, c.from), c.want)
            << (c.s ? c.s : "null") << " / " << (c.s2 ? c.s2 : "null") << " from " << c.from;
    }
    EXPECT_EQ(slFind("xxabc", "abc"), 2);
    EXPECT_EQ(slContains("xxabc", "abc"), 1);
    EXPECT_EQ(slContains("xxabc", "abd"), 0);
    EXPECT_EQ(slFindAnyCaseFrom("xxABCabc", "abc", 3), 5);
    EXPECT_EQ(slFindAnyCase("xxABC", "abc"), 2);
    EXPECT_EQ(slContainsAnyCase("xxABC", "aBc"), 1);
    EXPECT_EQ(slContainsAnyCase("xxABC", ""), 0);
}

TEST(SlSearch, BackwardFind) {
    struct Case { const char* s; const char* s2; int32_t from; int32_t want; };
    const Case cases[] = {
        {"abcabc", "abc", -1, 3}, {"abcabc", "abc", 2, 0}, {"abcabc", "abc", 0, -1},
        {"abcabc", "abc", 99, 3}, {"abcabc", "x", -1, -1}, {"abc", "abcd", -1, -1},
        {"abc", "", -1, -1},      {nullptr, "a", 0, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(slRFindFrom(c.s, c.s2, c.from), c.want) << (c.s ? c.s : "null") << " from " << c.from;
}

TEST(SlSearch, CountIsNonOverlapping) {
    struct Case { const char* s; const char* s2; int32_t want; };
    const Case cases[] = {
        {"aaaa", "aa", 2}, {"aaa", "aa", 1}, {"a.b.c", ".", 2}, {"abc", "x", 0},
        {"abc", "", 0},    {"ab", "abc", 0}, {nullptr, "a", 0}, {"abc", nullptr, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(slCount(c.s, c.s2), c.want) << (c.s ? c.s : "null");
}

TEST(SlReplace, EveryOccurrenceAndTheRefusals) {
    struct Case { const char* s; const char* s2; const char* s3; const char* want; };
    const Case cases[] = {
        {"a.b.c", ".", "--", "a--b--c"},
        {"..", ".", "--", "----"},
        {"abc", "x", "y", "abc"},
        {"aaaa", "aa", "b", "bb"},
        {"xabcx", "abc", "", "xx"},
        {"abc", "abc", "Z", "Z"},
        {"abc", "", "y", "<null>"},
        {"ab", "abc", "y", "<null>"},
        {nullptr, "a", "b", "<null>"},
        {"abc", nullptr, "b", "<null>"},
        {"abc", "a", nullptr, "<null>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(take(slReplace(c.s, c.s2, c.s3)), c.want) << (c.s ? c.s : "null");
}

// ---------------------------------------------------------------------------
// Counted family
// ---------------------------------------------------------------------------

TEST(CountedRecords, NewRecordsAndCopies) {
    {
        Rec a(newString()), b(crtStr()), c(crtStrLen(12));
        for (const Rec* r : {&a, &b, &c}) {
            ASSERT_NE(r->r, nullptr);
            EXPECT_EQ(r->r->text, nullptr);
            EXPECT_EQ(r->r->length, 0);
        }
    }
    Rec abc("abc");
    EXPECT_EQ(abc.text(), "abc");
    EXPECT_EQ(Rec(strCpy(abc.r)).text(), "abc");
    EXPECT_NE(Rec(strCpy(abc.r)).r->text, abc.r->text);
    EXPECT_EQ(Rec(cpyStrLen(abc.r, 2)).text(), "ab");
    EXPECT_EQ(Rec(cpyStrLen(abc.r, 9)).text(), "abc");
    EXPECT_EQ(Rec(cpyStringLen("abcdef", 4)).text(), "abcd");

    // Every "nothing to copy" case gives an empty record, never null.
    Rec empty(newString());
    CountedString* empties[] = {strCpy(nullptr), strCpy(empty.r), cpyString(nullptr), cpyString(""),
                                cpyStrLen(nullptr, 3), cpyStrLen(abc.r, 0), cpyStrLen(empty.r, 3),
                                cpyStringLen("abc", 0)};
    for (CountedString* e : empties) {
        Rec r(e);
        ASSERT_NE(r.r, nullptr);
        EXPECT_EQ(r.text(), "");
    }
}

TEST(CountedRecords, FreeClearAndAccessors) {
    CountedString* r = cpyString("abc");
    EXPECT_EQ(str(r), r->text);
    EXPECT_EQ(getString(r), reinterpret_cast<std::uintptr_t>(r->text));
    EXPECT_EQ(len(r), 3);
    EXPECT_EQ(strLen(r), 3);
    strClr(r);
    EXPECT_EQ(r->text, nullptr);
    EXPECT_EQ(r->length, 0);
    freeStr(&r);
    EXPECT_EQ(r, nullptr);
    freeStr(&r);      // a null pointer: nothing
    freeStr(nullptr);  // a null address: nothing
    EXPECT_EQ(str(nullptr), nullptr);
    EXPECT_EQ(getString(nullptr), 0u);
    EXPECT_EQ(len(nullptr), 0);
    EXPECT_EQ(strLen(nullptr), 0);
}

TEST(CountedRecords, SetCopiesEvenFromTheRecordItself) {
    Rec a("abc");
    setStr(&a.r, a.r);
    EXPECT_EQ(a.text(), "abc");
    setString(&a.r, a.r->text + 1);
    EXPECT_EQ(a.text(), "bc");
    Rec b;
    EXPECT_EQ(setString(&b.r, "xyz"), &b.r);
    EXPECT_EQ(b.text(), "xyz");
    setStr(&b.r, nullptr);
    EXPECT_EQ(b.text(), "");
    Rec c;
    setStr(&c.r, a.r);
    EXPECT_EQ(c.text(), "bc");
}

TEST(CountedRecords, SizeStr) {
    Rec r;
    EXPECT_EQ(sizeStr(&r.r, 0), 0);
    ASSERT_NE(r.r, nullptr);  // created even when nothing else happens
    EXPECT_EQ(r.r->length, 0);
    setString(&r.r, "abc");
    EXPECT_EQ(sizeStr(&r.r, -2), 0);
    EXPECT_EQ(r.text(), "abc");
    EXPECT_EQ(sizeStr(&r.r, 4), 4);
    EXPECT_EQ(r.r->length, 4);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(r.r->text[i], '\0');
    EXPECT_EQ(sizeStr(nullptr, 4), 0);
}

TEST(CountedChars, PositionsAreCheckedAsUnsigned) {
    Rec r("abc");
    struct Case { int32_t pos; int32_t ch; int32_t set; };
    const Case cases[] = {{0, 'a', 1}, {2, 'c', 1}, {3, 0, 0}, {4, 0, 0}, {-1, 0, 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(getChar(r.r, c.pos), c.ch) << c.pos;
        EXPECT_EQ(setChar(r.r, c.pos, c.ch ? static_cast<char>(c.ch) : 'Z'), c.set) << c.pos;
    }
    EXPECT_EQ(r.text(), "abc");
    EXPECT_EQ(setChar(r.r, 1, 'X'), 1);
    EXPECT_EQ(r.text(), "aXc");
    EXPECT_EQ(getChar(nullptr, 0), 0);
    EXPECT_EQ(setChar(nullptr, 0, 'a'), 0);
    Rec empty(newString());
    EXPECT_EQ(getChar(empty.r, 0), 0);
}

TEST(CountedChars, DelCharAndDropChar) {
    Rec r("abcd");
    EXPECT_EQ(delChar(&r.r, 1), 1);
    EXPECT_EQ(r.text(), "acd");
    EXPECT_EQ(delChar(&r.r, 2), 1);
    EXPECT_EQ(r.text(), "ac");
    EXPECT_EQ(delChar(&r.r, 2), 0);
    EXPECT_EQ(delChar(&r.r, -1), 0);
    EXPECT_EQ(delChar(nullptr, 0), 0);
    Rec none;
    EXPECT_EQ(delChar(&none.r, 0), 0);

    EXPECT_EQ(dropChar(&r.r), 1);
    EXPECT_EQ(r.text(), "a");
    EXPECT_EQ(dropChar(&r.r), 1);
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(dropChar(&r.r), 1);  // an empty record stays empty
    EXPECT_EQ(r.text(), "");
    EXPECT_EQ(dropChar(nullptr), 0);
}

TEST(CountedSubStrings, Table) {
    Rec r("abcdef");
    struct Case { const char* what; CountedString* got; const char* want; };
    const Case cases[] = {
        {"subStr 1..3", subStr(r.r, 1, 3), "bc"},
        {"subStr to -1", subStr(r.r, 2, -1), "cdef"},
        {"subStr beyond", subStr(r.r, 4, 99), "ef"},
        {"subStr reversed", subStr(r.r, 3, 1), ""},
        {"subStr at length", subStr(r.r, 6, -1), ""},
        {"subStr p1 beyond", subStr(r.r, 7, -1), ""},
        {"subStr null", subStr(nullptr, 0, -1), ""},
        {"subStrShort", subStrShort(r.r, 2), "cdef"},
        {"subStrShort beyond", subStrShort(r.r, 9), ""},
        {"subStrLen", subStrLen(r.r, 1, 2), "bc"},
        {"subStrLen short", subStrLen(r.r, 4, 10), "ef"},
        {"subStrLen null", subStrLen(nullptr, 0, 2), ""},
    };
    for (const Case& c : cases) {
        Rec got(c.got);
        ASSERT_NE(got.r, nullptr) << c.what;
        EXPECT_EQ(got.text(), c.want) << c.what;
    }
}

TEST(CountedToken, SplitsAtTheSeparator) {
    Rec r("key=value");
    Rec head(strToken(&r.r, "="));
    EXPECT_EQ(head.text(), "key");
    EXPECT_EQ(r.text(), "value");

    // Not found, or at the first position: the whole text, and the caller's
    // record is released.
    for (const char* text : {"novalue", "=value"}) {
        Rec whole(text);
        Rec got(strToken(&whole.r, "="));
        EXPECT_EQ(got.text(), text);
        EXPECT_EQ(whole.r, nullptr);
    }

    // A separator of several characters: the rest starts one character
    // after the separator's first one.
    Rec multi("a::b");
    Rec a(strToken(&multi.r, "::"));
    EXPECT_EQ(a.text(), "a");
    EXPECT_EQ(multi.text(), ":b");

    Rec empty(newString());
    EXPECT_EQ(strToken(&empty.r, "="), nullptr);
    EXPECT_EQ(strToken(&r.r, nullptr), nullptr);
    EXPECT_EQ(strToken(nullptr, "="), nullptr);
    Rec none;
    EXPECT_EQ(strToken(&none.r, "="), nullptr);
}

TEST(CountedConcat, AppendingRules) {
    Rec r;
    EXPECT_EQ(concatString(&r.r, "ab"), 1);  // creates the record
    EXPECT_EQ(r.text(), "ab");
    EXPECT_EQ(concatString(&r.r, ""), 1);
    EXPECT_EQ(r.text(), "ab");
    Rec cd("cd");
    EXPECT_EQ(concatStr(&r.r, cd.r), 1);
    EXPECT_EQ(r.text(), "abcd");
    EXPECT_EQ(concatStr(&r.r, r.r), 1);  // the record onto itself
    EXPECT_EQ(r.text(), "abcdabcd");
    EXPECT_EQ(concatStringLen(&r.r, "e"), 1);
    EXPECT_EQ(concatChar(&r.r, 'f'), 1);
    EXPECT_EQ(concatChar(&r.r, '\0'), 1);
    EXPECT_EQ(r.text(), "abcdabcdef");

    Rec s;
    EXPECT_EQ(concatStrings(&s.r, "x", "y", "z", nullptr), 1);
    EXPECT_EQ(s.text(), "xyz");
    EXPECT_EQ(concatStrings(&s.r, "1", "", "2", nullptr), 1);  // an empty text ends the list
    EXPECT_EQ(s.text(), "xyz1");
    EXPECT_EQ(concatStrings(&s.r, "!"), 1);
    EXPECT_EQ(s.text(), "xyz1!");

    EXPECT_EQ(concatString(nullptr, "a"), 0);
    EXPECT_EQ(concatString(&r.r, nullptr), 0);
    EXPECT_EQ(concatStr(nullptr, cd.r), 0);
    EXPECT_EQ(concatStr(&r.r, nullptr), 0);
    EXPECT_EQ(concatStringLen(&r.r, nullptr), 0);
    EXPECT_EQ(concatStrings(&r.r, nullptr), 0);
    EXPECT_EQ(concatStrings(nullptr, "a", nullptr), 0);
    EXPECT_EQ(concatChar(nullptr, 'a'), 0);
    EXPECT_EQ(r.text(), "abcdabcdef");
}

TEST(CountedCompare, OrderAndNullRules) {
    Rec abc("abc"), abcdef("abcdef"), abd("abd"), ABC("ABC"), empty(newString());
    auto sign = [](int32_t v) { return (v > 0) - (v < 0); };
    EXPECT_EQ(compareStrCs(abc.r, abcdef.r), 0);  // only r1's length counts
    EXPECT_EQ(sign(compareStrCs(abcdef.r, abc.r)), 1);  // and r2 is not read past its end
    EXPECT_EQ(sign(compareStrCs(abc.r, abd.r)), -1);
    EXPECT_EQ(sign(compareStrCs(abd.r, abc.r)), 1);
    EXPECT_NE(compareStrCs(abc.r, ABC.r), 0);
    EXPECT_EQ(compareStrNc(abc.r, ABC.r), 0);
    EXPECT_EQ(sign(compareStrNc(abcdef.r, ABC.r)), 1);
    EXPECT_EQ(compareStrLenCs(abc.r, abd.r, 2), 0);
    EXPECT_EQ(sign(compareStrLenCs(abc.r, abd.r, 3)), -1);
    EXPECT_EQ(sign(compareStrLenCs(abc.r, abcdef.r, 10)), -1);
    EXPECT_EQ(compareStrLenNc(ABC.r, abcdef.r, 3), 0);
    EXPECT_EQ(compareStringLenCs(abc.r, "abx", 2), 0);
    EXPECT_EQ(sign(compareStringLenCs(abc.r, "abx", 3)), -1);
    EXPECT_EQ(compareStringNc(ABC.r, "abcdef"), 0);
    EXPECT_EQ(sign(compareStringNc(abcdef.r, "ab")), 1);
    EXPECT_EQ(compareStringLenNc(ABC.r, "aBx", 2), 0);

    EXPECT_EQ(compareStrCs(nullptr, nullptr), 0);
    EXPECT_EQ(compareStrCs(empty.r, empty.r), 0);  // both texts null
    EXPECT_EQ(compareStrCs(abc.r, nullptr), -1);
    EXPECT_EQ(compareStrCs(nullptr, abc.r), -1);
    EXPECT_EQ(compareStrCs(abc.r, empty.r), -1);
    EXPECT_EQ(compareStringLenCs(nullptr, nullptr, 3), 0);
    EXPECT_EQ(compareStringLenCs(abc.r, nullptr, 3), -1);
    EXPECT_EQ(compareStringNc(nullptr, "abc"), -1);
}

TEST(CountedReplace, ResultsAndRecordKeptWhenNothingCanMatch) {
    Rec r("a.b.c");
    EXPECT_EQ(replaceString(&r.r, ".", "--"), 1);
    EXPECT_EQ(r.text(), "a--b--c");
    EXPECT_EQ(replaceString(&r.r, "x", "y"), 1);
    EXPECT_EQ(r.text(), "a--b--c");
    EXPECT_EQ(replaceString(&r.r, "a--b--c-longer", "y"), 1);
    EXPECT_EQ(r.text(), "a--b--c");
    EXPECT_EQ(replaceString(&r.r, "", "y"), 1);
    EXPECT_EQ(r.text(), "a--b--c");

    EXPECT_EQ(replaceString(&r.r, nullptr, "y"), -1);
    EXPECT_EQ(replaceString(&r.r, "a", nullptr), -1);
    EXPECT_EQ(replaceString(&r.r, "a", "a"), -1);
    EXPECT_EQ(replaceString(nullptr, "a", "b"), 0);
    Rec empty(newString()), none;
    EXPECT_EQ(replaceString(&empty.r, "a", "b"), 0);
    EXPECT_EQ(replaceString(&none.r, "a", "b"), 0);
    EXPECT_EQ(r.text(), "a--b--c");
}

TEST(CountedContains, PositionOrZeroForNulls) {
    Rec abc("xxabc"), needle("abc"), missing("q"), empty(newString());
    EXPECT_EQ(containsStr(abc.r, needle.r), 2);
    EXPECT_EQ(containsStr(abc.r, missing.r), -1);
    EXPECT_EQ(containsStr(abc.r, empty.r), 0);
    EXPECT_EQ(containsStr(nullptr, needle.r), 0);
    EXPECT_EQ(containsString(abc.r, "xx"), 0);  // a match at the start
    EXPECT_EQ(containsString(nullptr, "xx"), 0);  // and a null record: both 0
    EXPECT_EQ(containsString(abc.r, "bc"), 3);
    EXPECT_EQ(containsString(abc.r, "zz"), -1);
    EXPECT_EQ(containsString(abc.r, nullptr), 0);
}

TEST(CountedNumbers, TextToNumber) {
    struct IntCase { const char* text; int32_t want; };
    const IntCase ints[] = {
        {"42", 42},        {"   -17xyz", -17},  {"+8", 8},     {"abc", 0},
        {"", 0},           {"- 5", 0},          {"12.9", 12},  {"2147483647", 2147483647},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-2147483648", std::numeric_limits<int32_t>::min()},
        {"-99999999999", std::numeric_limits<int32_t>::min()},
    };
    for (const IntCase& c : ints) {
        Rec r(cpyStringLen(c.text, static_cast<int32_t>(std::strlen(c.text))));
        EXPECT_EQ(strToInt32(r.r), c.want) << c.text;
    }
    EXPECT_EQ(strToInt32(nullptr), 0);

    struct RealCase { const char* text; double want; };
    const RealCase reals[] = {
        {"3.25", 3.25}, {"  -1.5e2km", -150.0}, {"+.5", 0.5}, {"7.", 7.0},
        {"1e", 1.0},    {"2E-1x", 0.2},         {"abc", 0.0}, {".", 0.0},
        {"-", 0.0},     {"0x10", 0.0},          {"inf", 0.0},
    };
    for (const RealCase& c : reals) {
        Rec r(c.text);
        EXPECT_DOUBLE_EQ(strToFloat64(r.r), c.want) << c.text;
    }
    Rec huge("1e999");
    EXPECT_TRUE(std::isinf(strToFloat64(huge.r)));
    EXPECT_EQ(strToFloat64(nullptr), 0.0);
    Rec empty(newString());
    EXPECT_EQ(strToFloat64(empty.r), 0.0);
}

TEST(CountedNumbers, NumberToText) {
    EXPECT_EQ(Rec(int32ToStr(0)).text(), "0");
    EXPECT_EQ(Rec(int32ToStr(-2147483647 - 1)).text(), "-2147483648");
    EXPECT_EQ(Rec(int32ToStr(305)).text(), "305");
    for (double x : {0.1, -2.5, 1e21, 123456.789, 5e-324, 1.0 / 3.0}) {
        Rec r(float64ToStr(x));
        EXPECT_EQ(strToFloat64(r.r), x) << r.text();  // the text reads back exactly
    }
    EXPECT_EQ(Rec(float64ToStr(0.1)).text(), "0.1");
    EXPECT_EQ(Rec(float64ToStr(-2.5)).text(), "-2.5");
}

}  // namespace
