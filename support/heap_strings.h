// Two general-purpose text libraries on heap memory.
//
// The "sl" family works on NUL-terminated texts obtained from the heap
// (malloc); every routine that returns a new text allocates it and the
// caller releases it with slFree.  The counted family keeps a text with its
// length in a heap record, CountedString, built on the "sl" family; records
// are released with freeStr.
//
// Positions are 0-based.  A wrapped position (slWrapPos) counts a negative
// value from the end (-1 is the last character) and stops a value beyond the
// end at the end.  Where a routine's comment gives no rule for a null
// argument, a null text counts as an empty one.
#pragma once

#include <cstdint>
#include <initializer_list>

// ---------------------------------------------------------------------------
// NUL-terminated heap texts
// ---------------------------------------------------------------------------

/// Number of characters before the NUL (0 for null).
int32_t slLength(const char* s);
/// New text of n+1 zero bytes (n < 0 counts as 0).
char* slStringOfSize(int32_t n);
/// Releases s (null is allowed).
void slFree(char* s);
/// Sets every character of s to NUL, in place.
void slClear(char* s);
/// New text holding the n bytes of buf followed by a NUL (n NULs for a null
/// buf; n < 0 counts as 0).
char* slStringFromBuffer(const char* buf, int32_t n);
/// New text of exactly n characters: s cut, or padded with blanks; an empty
/// text for null s.
char* slSizeTo(const char* s, int32_t n);
/// New copy of s; an empty text for null s.
char* slCopy(const char* s);
/// Removes the last character of s in place; returns the old length minus 1
/// (-1 for an empty text).
int32_t slDropLastChar(char* s);
/// New text s followed by s2.
char* slAppend(const char* s, const char* s2);
/// slAppend, then releases s.
char* slAppendAndFree(char* s, const char* s2);
/// New copy with the ASCII letters lower-cased.
char* slLower(const char* s);
/// New copy with the ASCII letters upper-cased.
char* slUpper(const char* s);
/// 1 when s and s2 have the same length and bytes, else 0.
int32_t slEquals(const char* s, const char* s2);
/// The wrapped position of pos in s (positions before the start after
/// wrapping give 0).
int32_t slWrapPos(const char* s, int32_t pos);
/// The character (0..255) at the wrapped position; 0 when pos is beyond the
/// length.
int32_t slCharAt(const char* s, int32_t pos);
/// Stores c at the wrapped position and returns 1; 0 (nothing stored) for a
/// position at or beyond the end.
int32_t slSetCharAt(char* s, int32_t pos, char c);
/// Removes the character at the wrapped position in place; nothing for an
/// empty text or a position at the end.
void slDropCharAt(char* s, int32_t pos);
/// New text of the characters from wrapped start to wrapped end, both
/// included (an end at the length gives the rest); empty when end comes
/// before start.
char* slSubString(const char* s, int32_t start, int32_t end);
/// New text with s2 inserted before the wrapped position pos.
char* slInsert(const char* s, const char* s2, int32_t pos);
/// First position at or after wrapped from where s2 lies wholly inside s;
/// -1 when none, when s or s2 is null, or s2 is empty or longer than s.
int32_t slFindFrom(const char* s, const char* s2, int32_t from);
/// slFindFrom from 0.
int32_t slFind(const char* s, const char* s2);
/// 1 when s2 occurs in s, else 0.
int32_t slContains(const char* s, const char* s2);
/// Number of non-overlapping occurrences of s2 in s; 0 for null, empty or
/// longer s2.
int32_t slCount(const char* s, const char* s2);
/// New text with every non-overlapping occurrence of s2 replaced by s3; a
/// copy of s when s2 does not occur; null when s, s2 or s3 is null, or s2 is
/// empty or longer than s.
char* slReplace(const char* s, const char* s2, const char* s3);
/// Backward search: the last start, from wrapped from - length(s2) + 2 down
/// to 0, where s2 lies wholly inside s; -1 when none or for the arguments
/// slFindFrom refuses.
int32_t slRFindFrom(const char* s, const char* s2, int32_t from);
/// slFindFrom ignoring the case of ASCII letters.
int32_t slFindAnyCaseFrom(const char* s, const char* s2, int32_t from);
/// slFindAnyCaseFrom from 0.
int32_t slFindAnyCase(const char* s, const char* s2);
/// 1 when s2 occurs in s ignoring case, else 0.
int32_t slContainsAnyCase(const char* s, const char* s2);
/// 1 when s and s2 are equal ignoring case, else 0.
int32_t slEqualsAnyCase(const char* s, const char* s2);

// ---------------------------------------------------------------------------
// Counted strings
// ---------------------------------------------------------------------------

/// A heap record holding a heap text and its length.
struct CountedString {
    char* text;      ///< NUL-terminated heap text, or null
    int32_t length;  ///< number of characters; positions are checked as unsigned
};

/// New record with a null text and length 0; null when the heap is exhausted.
CountedString* newString();
/// Same as newString.
CountedString* crtStr();
/// Same as newString; n is not used.
CountedString* crtStrLen(int32_t n);
/// Releases the text and the record and sets *pr to null; nothing for a null
/// address or pointer.
void freeStr(CountedString** pr);
/// Releases the text; text null, length 0.
void strClr(CountedString* r);
/// New record copying r; empty when r, its text or its length is null or 0.
CountedString* strCpy(const CountedString* r);
/// New record holding a copy of c; empty for null or empty c.
CountedString* cpyString(const char* c);
/// New record of the first min(n, length) characters of r; empty for a null
/// r, n <= 0 or length 0.
CountedString* cpyStrLen(const CountedString* r, int32_t n);
/// New record of the n bytes of buf; empty for n <= 0 or null buf.
CountedString* cpyStringLen(const char* buf, int32_t n);
/// The caller's record becomes a strCpy copy of r (a record is created when
/// *pr is null).  r may be the caller's record itself.
void setStr(CountedString** pr, const CountedString* r);
/// The caller's record becomes a cpyString copy of c; returns pr.
CountedString** setString(CountedString** pr, const char* c);
/// Creates the record when *pr is null; for n <= 0 returns 0 and changes
/// nothing else; else the record holds n zero bytes (length n, the previous
/// characters are not kept) and n is returned.
int32_t sizeStr(CountedString** pr, int32_t n);
/// The text pointer as an integer of pointer width (a 32-bit value would
/// lose half of a 64-bit address); 0 for a null record.
std::uintptr_t getString(const CountedString* r);
/// The text pointer; null for a null record.
char* str(const CountedString* r);
/// The length; 0 for a null record.
int32_t len(const CountedString* r);
/// The length; 0 for a null record.
int32_t strLen(const CountedString* r);
/// The character (0..255) at pos; 0 when the text is null or pos is beyond
/// the length.
int32_t getChar(const CountedString* r, int32_t pos);
/// Stores ch at pos and returns 1; 0 for a null record or a position at or
/// beyond the length.
int32_t setChar(CountedString* r, int32_t pos, char ch);
/// Removes the character at pos and lowers the length by 1; returns 1; 0 for
/// a null address or record or a position at or beyond the length.
int32_t delChar(CountedString** pr, int32_t pos);
/// Drops the last character of a non-empty record; returns 1, 0 for a null
/// address.
int32_t dropChar(CountedString** pr);
/// New record of the characters from p1 up to, not including, p2 (p2 = -1
/// or beyond the length: to the end); empty for a null r, p1 beyond the
/// length or p2 before p1.
CountedString* subStr(const CountedString* r, int32_t p1, int32_t p2);
/// New record of the characters from p1 to the end; empty as for subStr.
CountedString* subStrShort(const CountedString* r, int32_t p1);
/// New record of n characters from p1, fewer when the text ends first;
/// empty as for subStr.
CountedString* subStrLen(const CountedString* r, int32_t p1, int32_t n);
/// Splits off the text before the first occurrence of sep.  Null for a null
/// address, a null or empty record or a null sep.  When sep is not found, or
/// found at position 0, returns a copy of the whole record and releases the
/// caller's record (*pr becomes null).  Found at a > 0: returns characters 0
/// to a-1 and the caller's record keeps the characters from a+1 on (one
/// character after the start of sep).
CountedString* strToken(CountedString** pr, const char* sep);
/// Appends r's text to the caller's record (created when null); 1, or 0 when
/// pr or r is null.
int32_t concatStr(CountedString** pr, const CountedString* r);
/// Appends c; 1, or 0 when pr or c is null.
int32_t concatString(CountedString** pr, const char* c);
/// Appends the texts in order up to the first null or empty one; 1, or 0
/// when pr or the first text is null.
int32_t concatStringList(CountedString** pr, std::initializer_list<const char*> texts);
/// concatStringList over the arguments: concatStrings(pr, "a", "b", nullptr).
template <typename... Texts>
int32_t concatStrings(CountedString** pr, const char* c1, Texts... rest) {
    return concatStringList(pr, {c1, static_cast<const char*>(rest)...});
}
/// Appends all of c; 1, or 0 when pr or c is null.
int32_t concatStringLen(CountedString** pr, const char* c);
/// Appends the single character ch (a NUL appends nothing); 1, or 0 for a
/// null address.
int32_t concatChar(CountedString** pr, char ch);
/// Byte-wise order of the texts over r1's length (-1, 0, 1); a text shorter
/// than that counts as ending in NUL bytes.  0 when both records or both
/// texts are null, -1 when only one is.
int32_t compareStrCs(const CountedString* r1, const CountedString* r2);
/// compareStrCs over n characters.
int32_t compareStrLenCs(const CountedString* r1, const CountedString* r2, int32_t n);
/// r's text against c over n characters; null rules of compareStrCs.
int32_t compareStringLenCs(const CountedString* r, const char* c, int32_t n);
/// compareStrCs ignoring the case of ASCII letters.
int32_t compareStrNc(const CountedString* r1, const CountedString* r2);
/// r's text against c over r's length, ignoring case.
int32_t compareStringNc(const CountedString* r, const char* c);
/// compareStrLenCs ignoring case.
int32_t compareStrLenNc(const CountedString* r1, const CountedString* r2, int32_t n);
/// compareStringLenCs ignoring case.
int32_t compareStringLenNc(const CountedString* r, const char* c, int32_t n);
/// Replaces every occurrence of c2 by c3 in the caller's record.  -1 when c2
/// or c3 is null or the two are identical; 0 for a null address or an empty
/// record; else 1.  A c2 that cannot occur (empty, or longer than the text)
/// leaves the record as it is.
int32_t replaceString(CountedString** pr, const char* c2, const char* c3);
/// Position of the first occurrence of r2's text in r1's, -1 when absent; 0
/// when a record or a text is null (so 0 is also a match at the start).
int32_t containsStr(const CountedString* r1, const CountedString* r2);
/// containsStr with a NUL-terminated c.
int32_t containsString(const CountedString* r, const char* c);
/// The text as a decimal integer: leading blanks skipped, an optional sign,
/// the digits up to the first other character (0 when there are none);
/// values beyond the 32-bit range are held at its limits; 0 for a null
/// record or text.
int32_t strToInt32(const CountedString* r);
/// The longest leading part of the text (after leading white space) that
/// reads as a decimal floating-point number; 0 when there is none or for a
/// null record or text.
double strToFloat64(const CountedString* r);
/// New record holding i in decimal.
CountedString* int32ToStr(int32_t i);
/// New record holding the shortest decimal text that reads back as exactly
/// x (such as "0.1", "1e+21", "-2.5"; "inf", "-inf", "nan" for the special
/// values).
CountedString* float64ToStr(double x);
