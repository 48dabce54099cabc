// Number <-> text conversions of the classic BASIC runtime, which the windows'
// texts and the stored files follow, plus the Hebrew code page of the data
// files.
//
// Everything here ignores the process C locale on purpose: Qt calls setlocale()
// from the environment, and a German or Russian desktop would otherwise turn
// every "1.5" in a results window into "1,5" and make Val() stop at the comma.
// Pure C++ (no Qt) so the solvers can share it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui {

// Str$: a leading blank for a number that is not negative, '-' otherwise, then
// the number rounded to the precision of its type (7 significant digits for
// float, 15 for double) with trailing zeros dropped. Integers have no decimal
// point ("1"), fractions no leading zero (" .5", "-.25").
// Exponent form ("1E-05", "1.5E+10": at least two exponent digits, sign always)
// is used when the decimal exponent of the rounded value is below -4 or at
// least the precision, so .0001 stays fixed and .00001 becomes 1E-05.
// -0 prints as " 0". Infinities and NaN (which no computation of the model
// should give) print the way that runtime showed them: "1.#INF", "-1.#INF", "-1.#IND",
// "1.#QNAN".
std::string Str(double v);
std::string Str(float v);
std::string Str(int v);

// Len: the number of characters of a text (UTF-8 in the program, so not its bytes).
inline int Len(std::string_view s) {
  int n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// Same as Str without the leading blank for non-negative numbers.
std::string CStr(double v);
std::string CStr(float v);
std::string CStr(int v);

// Val: the leading numeric part of a text, 0 when there is none. Blanks, tabs
// and line feeds are ignored anywhere ("1 2" -> 12); an optional sign, digits
// with at most one '.', then an optional exponent introduced by E or D.
// Anything else ends the number ("12abc" -> 12, "1.2.3" -> 1.2, "1e" -> 1).
// "&H"/"&O" radix prefixes are not supported and read as 0.
// A value too large for a double gives +-DBL_MAX (an overflow error in that
// runtime); one too small gives 0.
double Val(std::string_view s);

// Format with a digit pattern made of '0' (forced digit), '#' (optional digit)
// and '.' (decimal point). The integer part shows at least as many digits as
// there are placeholders from the first integer '0' on, and never loses
// digits. The fraction is rounded half away from zero on the exact decimal
// value of the double (0.125 -> "0.13", but 1.005, stored as 1.00499..., ->
// "1.00"), then trailing zeros are dropped down to the last '0' placeholder.
// A '.' in the pattern is always printed, even with no fraction digits left
// ("5." for "0.##"). A negative number that shows as zero
// shows without its '-' ("0.000" for -0.0004).
// Any other pattern character is copied through as a literal. An empty
// pattern gives CStr(v). Infinity and NaN format as 0.
std::string Format(double v, std::string_view pattern);

// A number's decimal text ("-48756.59766", " 9.99", ".5") with fewer decimals, rounded half away from
// zero on its digits as written ("-48756.5977" with four, "10.0" with one, "10" with none: no bare
// '.'), its leading blanks and sign kept, except that a number that shows as zero shows no '-'. A text
// that is not such a number, or has no more decimals than asked, comes back as it is.
std::string roundDecimals(std::string_view text, size_t decimals);

// A number as a box or a grid cell shows it: by Format, CStr or Str when it is finite, and "" (an empty
// box) when it is not, so that no "1.#INF" or "-1.#IND" ever reaches the user.
std::string finiteFormat(double v, std::string_view pattern);
std::string finiteCStr(double v);
std::string finiteCStr(float v);
std::string finiteStr(float v);

// Round half to even, as every conversion of a real to an integer does.
double RoundHalfEven(double v);
// CInt / CLng: half-to-even rounding, then clamped to the type's range (an
// overflow error in that runtime; clamping keeps us free of undefined
// behaviour). NaN gives 0.
int16_t CInt(double v);
int32_t CLng(double v);
// Int: floor (Int(-2.5) = -3). Fix: truncation toward zero (Fix(-2.5) = -2).
double Int(double v);
double Fix(double v);

// The data and help files are Windows code page 1255 (Hebrew).
// Returns UTF-8. Input that is already valid UTF-8 and contains at least one
// multi-byte sequence is returned unchanged, so files re-saved as UTF-8 keep
// working. Bytes the code page leaves undefined become U+FFFD.
std::string decodeCp1255(std::string_view bytes);
// UTF-8 -> code page 1255, best effort: characters the code page cannot hold
// and malformed UTF-8 bytes become '?'.
std::string toCp1255(std::string_view utf8);

} // namespace ui
