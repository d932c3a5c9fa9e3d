// Heap text libraries: NUL-terminated texts and counted strings.
#include "support/heap_strings.h"

#include <cctype>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int32_t length_of(const char* s) {
    return s ? static_cast<int32_t>(std::strlen(s)) : 0;
}

char* new_text(const char* bytes, int32_t n) {
    if (n < 0) n = 0;
    char* t = static_cast<char*>(std::malloc(static_cast<std::size_t>(n) + 1));
    if (!t) return nullptr;
    // Without bytes the text is all NULs rather than whatever the heap held.
    if (bytes)
        std::memcpy(t, bytes, static_cast<std::size_t>(n));
    else
        std::memset(t, 0, static_cast<std::size_t>(n));
    t[n] = '\0';
    return t;
}

unsigned char lower(char c) {
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

// Search shared by the case-sensitive and case-blind forward finds.
int32_t find_from(const char* s, const char* s2, int32_t from, bool any_case) {
    if (!s || !s2) return -1;
    const int32_t n = length_of(s);
    const int32_t m = length_of(s2);
    if (m == 0 || m > n) return -1;
    for (int32_t i = slWrapPos(s, from); i + m <= n; ++i) {
        int32_t k = 0;
        while (k < m && (any_case ? lower(s[i + k]) == lower(s2[k]) : s[i + k] == s2[k])) ++k;
        if (k == m) return i;
    }
    return -1;
}

// Lengths are 32-bit: a joined text that would not fit is refused rather
// than sized by an overflowed count.
bool too_long(int32_t a, int32_t b) { return static_cast<int64_t>(a) + b > INT32_MAX; }

// Byte at i of a text of length n, NUL beyond its end, so that comparisons
// over a fixed count never read past a text.
unsigned char byte_at(const char* t, int32_t n, int32_t i, bool any_case) {
    if (i >= n) return 0;
    return any_case ? lower(t[i]) : static_cast<unsigned char>(t[i]);
}

int32_t compare_texts(const char* a, int32_t na, const char* b, int32_t nb, int32_t count,
                      bool any_case) {
    if (!a && !b) return 0;
    if (!a || !b) return -1;
    for (int32_t i = 0; i < count; ++i) {
        const unsigned char ca = byte_at(a, na, i, any_case);
        const unsigned char cb = byte_at(b, nb, i, any_case);
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    return 0;
}

// Record-level null rule of the comparisons, then the text comparison.
int32_t compare_records(const CountedString* r1, const CountedString* r2, int32_t count,
                        bool any_case) {
    if (!r1 && !r2) return 0;
    if (!r1 || !r2) return -1;
    return compare_texts(r1->text, r1->text ? r1->length : 0, r2->text,
                         r2->text ? r2->length : 0, count, any_case);
}

int32_t compare_record_text(const CountedString* r, const char* c, int32_t count,
                            bool any_case) {
    if (!r) return c ? -1 : 0;
    return compare_texts(r->text, r->text ? r->length : 0, c, length_of(c), count, any_case);
}

// New record holding n bytes of a buffer (empty record for none).
CountedString* record_of(const char* bytes, int32_t n) {
    CountedString* r = newString();
    if (!r || n <= 0 || !bytes) return r;
    r->text = new_text(bytes, n);
    if (r->text) r->length = n;
    return r;
}

// The record's text and length replaced by those of a heap text it takes over.
void take_text(CountedString* r, char* t) {
    std::free(r->text);
    r->text = t;
    r->length = t ? length_of(t) : 0;
}

// The caller's record replaced by (the contents of) a new record.
void take_record(CountedString** pr, CountedString* fresh) {
    if (!*pr) {
        *pr = fresh;
        return;
    }
    if (!fresh) {
        strClr(*pr);
        return;
    }
    std::free((*pr)->text);
    (*pr)->text = fresh->text;
    (*pr)->length = fresh->length;
    std::free(fresh);
}

// Appending rule of the concat routines: an empty addition changes nothing,
// an empty record becomes a copy of the addition, else the joined text.
void append_bytes(CountedString** pr, const char* add, int32_t n) {
    if (!*pr) *pr = newString();
    if (!*pr || n <= 0) return;
    CountedString* r = *pr;
    if (!r->text || r->length == 0) {
        take_text(r, new_text(add, n));
        return;
    }
    if (too_long(r->length, n)) return;
    char* joined = new_text(nullptr, r->length + n);
    if (!joined) return;
    std::memcpy(joined, r->text, static_cast<std::size_t>(r->length));
    std::memcpy(joined + r->length, add, static_cast<std::size_t>(n));
    joined[r->length + n] = '\0';
    const int32_t total = r->length + n;
    std::free(r->text);
    r->text = joined;
    r->length = total;
}

bool pos_inside(const CountedString* r, int32_t pos) {
    return static_cast<uint32_t>(pos) < static_cast<uint32_t>(r->length);
}

}  // namespace

// ---------------------------------------------------------------------------
// NUL-terminated heap texts
// ---------------------------------------------------------------------------

int32_t slLength(const char* s) { return length_of(s); }

char* slStringOfSize(int32_t n) {
    if (n < 0) n = 0;
    return static_cast<char*>(std::calloc(static_cast<std::size_t>(n) + 1, 1));
}

void slFree(char* s) { std::free(s); }

void slClear(char* s) {
    if (s) std::memset(s, 0, std::strlen(s));
}

char* slStringFromBuffer(const char* buf, int32_t n) { return new_text(buf, n); }

char* slSizeTo(const char* s, int32_t n) {
    if (!s) return new_text(nullptr, 0);
    if (n < 0) n = 0;
    char* t = new_text(nullptr, n);
    if (!t) return nullptr;
    const int32_t have = length_of(s);
    const int32_t keep = have < n ? have : n;
    std::memcpy(t, s, static_cast<std::size_t>(keep));
    std::memset(t + keep, ' ', static_cast<std::size_t>(n - keep));
    return t;
}

char* slCopy(const char* s) { return new_text(s, length_of(s)); }

int32_t slDropLastChar(char* s) {
    const int32_t n = length_of(s);
    if (n > 0) s[n - 1] = '\0';
    return n - 1;
}

char* slAppend(const char* s, const char* s2) {
    const int32_t n = length_of(s);
    const int32_t m = length_of(s2);
    if (too_long(n, m)) return nullptr;
    char* t = new_text(nullptr, n + m);
    if (!t) return nullptr;
    if (n > 0) std::memcpy(t, s, static_cast<std::size_t>(n));
    if (m > 0) std::memcpy(t + n, s2, static_cast<std::size_t>(m));
    return t;
}

char* slAppendAndFree(char* s, const char* s2) {
    char* t = slAppend(s, s2);
    std::free(s);
    return t;
}

char* slLower(const char* s) {
    char* t = slCopy(s);
    for (char* p = t; p && *p; ++p) *p = static_cast<char>(lower(*p));
    return t;
}

char* slUpper(const char* s) {
    char* t = slCopy(s);
    for (char* p = t; p && *p; ++p)
        *p = static_cast<char>(std::toupper(static_cast<unsigned char>(*p)));
    return t;
}

int32_t slEquals(const char* s, const char* s2) {
    const int32_t n = length_of(s);
    if (n != length_of(s2)) return 0;
    return n == 0 || std::memcmp(s, s2, static_cast<std::size_t>(n)) == 0 ? 1 : 0;
}

int32_t slWrapPos(const char* s, int32_t pos) {
    const int32_t n = length_of(s);
    if (pos > n) return n;
    if (pos < 0) pos += n;
    return pos < 0 ? 0 : pos;
}

int32_t slCharAt(const char* s, int32_t pos) {
    const int32_t n = length_of(s);
    if (pos > n) return 0;
    const int32_t p = slWrapPos(s, pos);
    return p < n ? static_cast<unsigned char>(s[p]) : 0;
}

int32_t slSetCharAt(char* s, int32_t pos, char c) {
    const int32_t p = slWrapPos(s, pos);
    if (p >= length_of(s)) return 0;
    s[p] = c;
    return 1;
}

void slDropCharAt(char* s, int32_t pos) {
    const int32_t n = length_of(s);
    const int32_t p = slWrapPos(s, pos);
    if (n == 0 || p >= n) return;
    std::memmove(s + p, s + p + 1, static_cast<std::size_t>(n - p));  // the NUL moves too
}

char* slSubString(const char* s, int32_t start, int32_t end) {
    const int32_t n = length_of(s);
    const int32_t a = slWrapPos(s, start);
    int32_t b = slWrapPos(s, end);
    if (b >= n) b = n - 1;  // an end at the length takes the rest
    if (b < a) return new_text(nullptr, 0);
    return new_text(s + a, b - a + 1);
}

char* slInsert(const char* s, const char* s2, int32_t pos) {
    const int32_t n = length_of(s);
    const int32_t m = length_of(s2);
    const int32_t p = slWrapPos(s, pos);
    if (too_long(n, m)) return nullptr;
    char* t = new_text(nullptr, n + m);
    if (!t) return nullptr;
    if (p > 0) std::memcpy(t, s, static_cast<std::size_t>(p));
    if (m > 0) std::memcpy(t + p, s2, static_cast<std::size_t>(m));
    if (n > p) std::memcpy(t + p + m, s + p, static_cast<std::size_t>(n - p));
    return t;
}

int32_t slFindFrom(const char* s, const char* s2, int32_t from) {
    return find_from(s, s2, from, false);
}

int32_t slFind(const char* s, const char* s2) { return slFindFrom(s, s2, 0); }

int32_t slContains(const char* s, const char* s2) { return slFind(s, s2) != -1 ? 1 : 0; }

int32_t slCount(const char* s, const char* s2) {
    const int32_t m = length_of(s2);
    int32_t count = 0;
    for (int32_t i = slFindFrom(s, s2, 0); i != -1; i = slFindFrom(s, s2, i + m)) {
        ++count;
    }
    return count;
}

char* slReplace(const char* s, const char* s2, const char* s3) {
    if (!s || !s2 || !s3) return nullptr;
    const int32_t n = length_of(s);
    const int32_t m = length_of(s2);
    if (m == 0 || m > n) return nullptr;
    int32_t i = slFindFrom(s, s2, 0);
    if (i == -1) return slCopy(s);
    char* out = slCopy("");
    int32_t last = 0;
    while (i != -1 && out) {
        if (i > last) {
            char* piece = new_text(s + last, i - last);
            out = slAppendAndFree(out, piece);
            slFree(piece);
        }
        if (out) out = slAppendAndFree(out, s3);
        last = i + m;
        i = last < n ? slFindFrom(s, s2, last) : -1;
    }
    if (out && last < n) out = slAppendAndFree(out, s + last);
    return out;
}

int32_t slRFindFrom(const char* s, const char* s2, int32_t from) {
    if (!s || !s2) return -1;
    const int32_t n = length_of(s);
    const int32_t m = length_of(s2);
    if (m == 0 || m > n) return -1;
    const int32_t pos = slWrapPos(s, from);
    for (int32_t i = pos - m + 2; i >= 0; --i) {
        if (i + m > n) continue;
        if (std::memcmp(s + i, s2, static_cast<std::size_t>(m)) == 0) return i;
    }
    return -1;
}

int32_t slFindAnyCaseFrom(const char* s, const char* s2, int32_t from) {
    return find_from(s, s2, from, true);
}

int32_t slFindAnyCase(const char* s, const char* s2) { return slFindAnyCaseFrom(s, s2, 0); }

int32_t slContainsAnyCase(const char* s, const char* s2) {
    return slFindAnyCase(s, s2) != -1 ? 1 : 0;
}

int32_t slEqualsAnyCase(const char* s, const char* s2) {
    const int32_t n = length_of(s);
    if (n != length_of(s2)) return 0;
    if (n == 0) return 1;  // two empty texts are equal; the search refuses empty patterns
    return slContainsAnyCase(s, s2);
}

// ---------------------------------------------------------------------------
// Counted strings
// ---------------------------------------------------------------------------

CountedString* newString() {
    return static_cast<CountedString*>(std::calloc(1, sizeof(CountedString)));
}

CountedString* crtStr() { return newString(); }

CountedString* crtStrLen(int32_t /*n*/) { return newString(); }

void freeStr(CountedString** pr) {
    if (!pr || !*pr) return;
    std::free((*pr)->text);
    std::free(*pr);
    *pr = nullptr;
}

void strClr(CountedString* r) {
    if (!r) return;
    std::free(r->text);
    r->text = nullptr;
    r->length = 0;
}

CountedString* strCpy(const CountedString* r) {
    if (!r || !r->text || r->length <= 0) return newString();
    return record_of(r->text, r->length);
}

CountedString* cpyString(const char* c) { return record_of(c, length_of(c)); }

CountedString* cpyStrLen(const CountedString* r, int32_t n) {
    if (!r || !r->text || n <= 0 || r->length <= 0) return newString();
    return record_of(r->text, n < r->length ? n : r->length);
}

CountedString* cpyStringLen(const char* buf, int32_t n) { return record_of(buf, n); }

void setStr(CountedString** pr, const CountedString* r) {
    if (!pr) return;
    take_record(pr, strCpy(r));  // copied first: r may be the caller's record
}

CountedString** setString(CountedString** pr, const char* c) {
    if (!pr) return pr;
    take_record(pr, cpyString(c));  // copied first: c may point into the record
    return pr;
}

int32_t sizeStr(CountedString** pr, int32_t n) {
    if (!pr) return 0;
    if (!*pr) *pr = newString();
    if (!*pr || n <= 0) return 0;
    char* t = slStringOfSize(n);
    if (!t) return 0;
    std::free((*pr)->text);
    (*pr)->text = t;
    (*pr)->length = n;
    return n;
}

std::uintptr_t getString(const CountedString* r) {
    return r ? reinterpret_cast<std::uintptr_t>(r->text) : 0;
}

char* str(const CountedString* r) { return r ? r->text : nullptr; }

int32_t len(const CountedString* r) { return r ? r->length : 0; }

int32_t strLen(const CountedString* r) { return len(r); }

int32_t getChar(const CountedString* r, int32_t pos) {
    if (!r || !r->text || !pos_inside(r, pos)) return 0;
    return static_cast<unsigned char>(r->text[pos]);
}

int32_t setChar(CountedString* r, int32_t pos, char ch) {
    if (!r || !r->text || !pos_inside(r, pos)) return 0;
    r->text[pos] = ch;
    return 1;
}

int32_t delChar(CountedString** pr, int32_t pos) {
    if (!pr || !*pr || !(*pr)->text || !pos_inside(*pr, pos)) return 0;
    CountedString* r = *pr;
    std::memmove(r->text + pos, r->text + pos + 1, static_cast<std::size_t>(r->length - pos));
    --r->length;
    return 1;
}

int32_t dropChar(CountedString** pr) {
    if (!pr) return 0;
    if (*pr && (*pr)->text && (*pr)->length > 0) take_record(pr, cpyStrLen(*pr, (*pr)->length - 1));
    return 1;
}

CountedString* subStr(const CountedString* r, int32_t p1, int32_t p2) {
    if (!r || !r->text || p1 < 0 || p1 > r->length) return newString();
    if (p2 == -1 || p2 > r->length) p2 = r->length;
    if (p2 <= p1) return newString();
    return record_of(r->text + p1, p2 - p1);
}

CountedString* subStrShort(const CountedString* r, int32_t p1) { return subStr(r, p1, -1); }

CountedString* subStrLen(const CountedString* r, int32_t p1, int32_t n) {
    if (!r || !r->text || p1 < 0 || p1 > r->length || n <= 0) return newString();
    const int32_t rest = r->length - p1;
    return record_of(r->text + p1, n < rest ? n : rest);
}

CountedString* strToken(CountedString** pr, const char* sep) {
    if (!pr || !*pr || !(*pr)->text || (*pr)->length == 0 || !sep) return nullptr;
    CountedString* r = *pr;
    const int32_t a = slFind(r->text, sep);
    if (a <= 0) {
        CountedString* whole = strCpy(r);
        freeStr(pr);
        return whole;
    }
    CountedString* head = record_of(r->text, a);
    take_record(pr, subStr(r, a + 1, -1));
    return head;
}

int32_t concatStr(CountedString** pr, const CountedString* r) {
    if (!pr || !r) return 0;
    append_bytes(pr, r->text, r->text ? r->length : 0);
    return 1;
}

int32_t concatString(CountedString** pr, const char* c) {
    if (!pr || !c) return 0;
    append_bytes(pr, c, length_of(c));
    return 1;
}

int32_t concatStringList(CountedString** pr, std::initializer_list<const char*> texts) {
    if (!pr || texts.size() == 0 || !*texts.begin()) return 0;
    for (const char* c : texts) {
        if (!c || !*c) break;
        append_bytes(pr, c, length_of(c));
    }
    return 1;
}

int32_t concatStringLen(CountedString** pr, const char* c) { return concatString(pr, c); }

int32_t concatChar(CountedString** pr, char ch) {
    if (!pr) return 0;
    const char one[2] = {ch, '\0'};
    append_bytes(pr, one, ch ? 1 : 0);
    return 1;
}

int32_t compareStrCs(const CountedString* r1, const CountedString* r2) {
    return compare_records(r1, r2, r1 ? r1->length : 0, false);
}

int32_t compareStrLenCs(const CountedString* r1, const CountedString* r2, int32_t n) {
    return compare_records(r1, r2, n, false);
}

int32_t compareStringLenCs(const CountedString* r, const char* c, int32_t n) {
    return compare_record_text(r, c, n, false);
}

int32_t compareStrNc(const CountedString* r1, const CountedString* r2) {
    return compare_records(r1, r2, r1 ? r1->length : 0, true);
}

int32_t compareStringNc(const CountedString* r, const char* c) {
    return compare_record_text(r, c, r ? r->length : 0, true);
}

int32_t compareStrLenNc(const CountedString* r1, const CountedString* r2, int32_t n) {
    return compare_records(r1, r2, n, true);
}

int32_t compareStringLenNc(const CountedString* r, const char* c, int32_t n) {
    return compare_record_text(r, c, n, true);
}

int32_t replaceString(CountedString** pr, const char* c2, const char* c3) {
    if (!c2 || !c3 || std::strcmp(c2, c3) == 0) return -1;
    if (!pr || !*pr || !(*pr)->text || (*pr)->length == 0) return 0;
    // slReplace refuses a pattern that cannot occur; the record then keeps
    // its text rather than losing it.
    if (char* t = slReplace((*pr)->text, c2, c3)) take_text(*pr, t);
    return 1;
}

int32_t containsStr(const CountedString* r1, const CountedString* r2) {
    if (!r1 || !r2 || !r1->text || !r2->text) return 0;
    return slFind(r1->text, r2->text);
}

int32_t containsString(const CountedString* r, const char* c) {
    if (!r || !r->text || !c) return 0;
    return slFind(r->text, c);
}

int32_t strToInt32(const CountedString* r) {
    if (!r || !r->text) return 0;
    const char* p = r->text;
    while (*p == ' ') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    long long v = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        v = v * 10 + (*p - '0');
        if (v > static_cast<long long>(INT32_MAX) + 1) v = static_cast<long long>(INT32_MAX) + 1;
    }
    if (negative) v = -v;
    if (v > INT32_MAX) v = INT32_MAX;
    return static_cast<int32_t>(v);
}

double strToFloat64(const CountedString* r) {
    if (!r || !r->text) return 0.0;
    const char* p = r->text;
    while (*p && std::isspace(static_cast<unsigned char>(*p))) ++p;
    const char* start = p;
    if (*p == '+' || *p == '-') ++p;
    const char* digits = p;
    int ndig = 0;
    while (*p >= '0' && *p <= '9') ++p, ++ndig;
    if (*p == '.') {
        ++p;
        while (*p >= '0' && *p <= '9') ++p, ++ndig;
    }
    if (ndig == 0) return 0.0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (*q >= '0' && *q <= '9') {
            while (*q >= '0' && *q <= '9') ++q;
            p = q;
        }
    }
    // from_chars reads the number without a sign and independently of the
    // locale's decimal point.
    double v = 0.0;
    const auto res = std::from_chars(digits, p, v, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Too large or too small for a double: infinity or zero as strtod gives.
        v = std::strtod(std::string(digits, p).c_str(), nullptr);
    } else if (res.ec != std::errc()) {
        return 0.0;
    }
    return *start == '-' ? -v : v;
}

CountedString* int32ToStr(int32_t i) {
    const std::string t = std::to_string(i);
    return record_of(t.c_str(), static_cast<int32_t>(t.size()));
}

CountedString* float64ToStr(double x) {
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x);
    return record_of(buf, static_cast<int32_t>(res.ptr - buf));
}
