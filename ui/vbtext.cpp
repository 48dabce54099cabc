#include "ui/vbtext.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace ui {

namespace {

// --- Str / CStr ------------------------------------------------------------

template <class T>
std::string numberText(T v, int digits)
{
    if (std::isnan(v))
        return std::signbit(v) ? "-1.#IND" : "1.#QNAN";
    if (std::isinf(v))
        return v < 0 ? "-1.#INF" : "1.#INF";
    if (v == 0)
        return "0"; // also -0: no negative zero is printed

    // Scientific form with exactly `digits` significant digits gives both the
    // correctly rounded mantissa and the exponent *after* rounding, which is
    // what decides between fixed and exponent layout (9999999.6 rounds up
    // into the next decade).
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, digits - 1);
    std::string_view s(buf, static_cast<size_t>(res.ptr - buf));

    const bool neg = s.front() == '-';
    if (neg)
        s.remove_prefix(1);
    const size_t e = s.find('e');
    std::string mant;
    for (char c : s.substr(0, e))
        if (c != '.')
            mant += c;
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();
    int exp = 0;
    std::from_chars(s.data() + e + 2, s.data() + s.size(), exp);
    if (s[e + 1] == '-')
        exp = -exp;

    std::string out = neg ? "-" : "";
    if (exp < -4 || exp >= digits) {
        out += mant[0];
        if (mant.size() > 1) {
            out += '.';
            out.append(mant, 1);
        }
        out += 'E';
        out += exp < 0 ? '-' : '+';
        const int a = exp < 0 ? -exp : exp;
        if (a < 10)
            out += '0';
        char eb[8];
        out.append(eb, std::to_chars(eb, eb + sizeof eb, a).ptr);
    } else if (exp >= 0) {
        const size_t intDigits = static_cast<size_t>(exp) + 1;
        if (mant.size() <= intDigits) {
            out += mant;
            out.append(intDigits - mant.size(), '0');
        } else {
            out.append(mant, 0, intDigits);
            out += '.';
            out.append(mant, intDigits);
        }
    } else {
        out += '.';
        out.append(static_cast<size_t>(-exp - 1), '0');
        out += mant;
    }
    return out;
}

std::string intText(int v)
{
    char buf[16];
    return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

std::string withSignBlank(std::string s)
{
    if (s.empty() || s.front() != '-')
        s.insert(s.begin(), ' ');
    return s;
}

// --- Val -------------------------------------------------------------------

bool isValBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// --- Format ----------------------------------------------------------------

bool isPlaceholder(char c) { return c == '0' || c == '#'; }

// Adds one unit in the last place of a string of decimal digits.
void incrementDigits(std::string& digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

// --- code page 1255 --------------------------------------------------------

constexpr char32_t kUndef = 0xFFFD;

// 0x80..0xFF. 0xCA (hiriq male / U+05BA) was added by later Windows versions;
// taking it costs nothing and avoids a replacement character in pointed text.
constexpr std::array<char32_t, 128> kCp1255 = {
    // 0x80
    0x20AC, kUndef, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, kUndef, 0x2039, kUndef, kUndef, kUndef, kUndef,
    // 0x90
    kUndef, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, kUndef, 0x203A, kUndef, kUndef, kUndef, kUndef,
    // 0xA0: Latin-1 except the sheqel sign and the multiplication sign
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    // 0xB0: Latin-1 except the division sign
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    // 0xC0: points
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,
    0x05B8, 0x05B9, 0x05BA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,
    // 0xD0: points, Yiddish ligatures, geresh/gershayim
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,
    0x05F4, kUndef, kUndef, kUndef, kUndef, kUndef, kUndef, kUndef,
    // 0xE0: letters
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,
    // 0xF0: letters, LRM/RLM
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,
    0x05E8, 0x05E9, 0x05EA, kUndef, kUndef, 0x200E, 0x200F, kUndef,
};

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one strict UTF-8 sequence at s[i] (no overlongs, surrogates or
// values past U+10FFFF). Returns its length, 0 when malformed.
size_t decodeUtf8(std::string_view s, size_t i, char32_t& cp)
{
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    size_t len;
    char32_t min;
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    } else if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        min = 0x80;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        min = 0x800;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        min = 0x10000;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (s.size() - i < len)
        return 0;
    for (size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

// True when the bytes only make sense as UTF-8: every sequence is well formed
// and at least one is multi-byte (pure ASCII reads the same either way).
bool isMultiByteUtf8(std::string_view s)
{
    bool multi = false;
    for (size_t i = 0; i < s.size();) {
        char32_t cp;
        const size_t len = decodeUtf8(s, i, cp);
        if (len == 0)
            return false;
        multi = multi || len > 1;
        i += len;
    }
    return multi;
}

} // namespace

std::string Str(double v) { return withSignBlank(numberText(v, 15)); }
std::string Str(float v) { return withSignBlank(numberText(v, 7)); }
std::string Str(int v) { return withSignBlank(intText(v)); }

std::string CStr(double v) { return numberText(v, 15); }
std::string CStr(float v) { return numberText(v, 7); }
std::string CStr(int v) { return intText(v); }

double Val(std::string_view s)
{
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < s.size() && isValBlank(s[i]))
            ++i;
    };

    skipBlanks();
    bool neg = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        neg = s[i] == '-';
        ++i;
    }

    std::string intDigits, fracDigits;
    bool point = false;
    for (;;) {
        skipBlanks();
        if (i >= s.size())
            break;
        const char c = s[i];
        if (isDigit(c)) {
            (point ? fracDigits : intDigits) += c;
            ++i;
        } else if (c == '.' && !point) {
            point = true;
            ++i;
        } else {
            break;
        }
    }
    if (intDigits.empty() && fracDigits.empty())
        return 0.0;

    // The exponent only counts when it has digits; "1e" and "1e+" are just 1.
    bool expNeg = false;
    std::string expDigits;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        ++i;
        skipBlanks();
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            expNeg = s[i] == '-';
            ++i;
        }
        for (;;) {
            skipBlanks();
            if (i >= s.size() || !isDigit(s[i]))
                break;
            expDigits += s[i++];
        }
    }

    // Rebuilt in the one shape from_chars is sure to accept.
    std::string text = intDigits.empty() ? "0" : intDigits;
    if (!fracDigits.empty())
        text += '.' + fracDigits;
    if (!expDigits.empty())
        text += (expNeg ? "e-" : "e") + expDigits;

    double value = 0.0;
    const auto res = std::from_chars(text.data(), text.data() + text.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // Overflow or underflow? Compare the decimal magnitude of the first
        // significant digit with zero; the exponent is clamped so absurdly
        // long exponents cannot overflow the arithmetic.
        long exponent = 0;
        for (char c : expDigits)
            exponent = std::min(exponent * 10 + (c - '0'), 100000L);
        if (expNeg)
            exponent = -exponent;
        const size_t firstInt = intDigits.find_first_not_of('0');
        long magnitude;
        if (firstInt != std::string::npos)
            magnitude = static_cast<long>(intDigits.size() - firstInt) - 1;
        else
            magnitude = -static_cast<long>(fracDigits.find_first_not_of('0')) - 1;
        value = magnitude + exponent > 0 ? std::numeric_limits<double>::max() : 0.0;
    }
    return neg ? -value : value;
}

std::string Format(double v, std::string_view pattern)
{
    if (pattern.empty())
        return CStr(v);
    if (!std::isfinite(v))
        v = 0.0;

    const size_t dot = pattern.find('.');
    const std::string_view intPat = pattern.substr(0, dot);
    const std::string_view fracPat = dot == std::string_view::npos ? std::string_view() : pattern.substr(dot + 1);

    size_t intSlots = 0, minInt = 0;
    for (char c : intPat) {
        if (!isPlaceholder(c))
            continue;
        ++intSlots;
        if (c == '0' && minInt == 0)
            minInt = 1; // counts this and every later slot
        else if (minInt > 0)
            ++minInt;
    }
    size_t fracSlots = 0, minFrac = 0;
    for (char c : fracPat) {
        if (!isPlaceholder(c))
            continue;
        ++fracSlots;
        if (c == '0')
            minFrac = fracSlots;
    }

    const bool neg = v < 0;
    const double a = std::fabs(v);

    // Print the exact decimal expansion of the double: a value with binary
    // exponent e has its last set bit at 2^(e-53), i.e. at most 53-e
    // fraction digits (1074 for the smallest subnormal). Rounding this
    // string, not the binary value, is what gives half-away-from-zero on
    // genuine ties without double rounding.
    int e2 = 0;
    std::frexp(a, &e2);
    const size_t exactDigits = a == 0 ? 0 : static_cast<size_t>(std::clamp(53 - e2, 0, 1074));
    const size_t precision = std::max(exactDigits, fracSlots);
    std::string buf(400 + precision, '\0');
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), a, std::chars_format::fixed,
                                   static_cast<int>(precision));
    buf.resize(static_cast<size_t>(res.ptr - buf.data()));

    const size_t point = buf.find('.');
    std::string digits = buf.substr(0, point);
    std::string frac = point == std::string::npos ? std::string() : buf.substr(point + 1);
    const bool roundUp = frac.size() > fracSlots && frac[fracSlots] >= '5';
    frac.resize(fracSlots);
    digits += frac;
    if (roundUp)
        incrementDigits(digits);

    std::string intPart = digits.substr(0, digits.size() - fracSlots);
    frac = digits.substr(digits.size() - fracSlots);
    intPart.erase(0, intPart.find_first_not_of('0')); // "0" -> "", left to minInt
    if (intPart.size() < minInt)
        intPart.insert(0, minInt - intPart.size(), '0');
    while (frac.size() > minFrac && frac.back() == '0')
        frac.pop_back();

    // A number that shows as zero shows no sign: a reaction of -2.6e-10 reads "0.0000", not "-0.0000".
    const bool shownZero = intPart.find_first_not_of('0') == std::string::npos &&
                           frac.find_first_not_of('0') == std::string::npos;
    std::string out = neg && !shownZero ? "-" : "";
    // Integer digits fill the slots from the right; the first slot takes any
    // digits the pattern has no room for, so nothing is ever cut off.
    size_t slot = 0;
    for (char c : intPat) {
        if (!isPlaceholder(c)) {
            out += c;
            continue;
        }
        if (slot == 0 && intPart.size() > intSlots)
            out.append(intPart, 0, intPart.size() - intSlots + 1);
        else if (intPart.size() + slot >= intSlots)
            out += intPart[intPart.size() + slot - intSlots];
        ++slot;
    }
    if (intSlots == 0)
        out += intPart;
    if (dot != std::string_view::npos) {
        out += '.';
        slot = 0;
        for (char c : fracPat) {
            if (!isPlaceholder(c))
                out += c;
            else if (slot++ < frac.size())
                out += frac[slot - 1];
        }
    }
    return out;
}

double RoundHalfEven(double v)
{
    if (!std::isfinite(v))
        return v;
    // v - floor(v) is exact for every double, so the tie test is exact too;
    // unlike floor(v + 0.5) this cannot be fooled by 0.49999999999999994.
    const double f = std::floor(v);
    const double diff = v - f;
    if (diff < 0.5)
        return f;
    if (diff > 0.5)
        return f + 1.0;
    return std::fmod(f, 2.0) == 0.0 ? f : f + 1.0;
}

int16_t CInt(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::clamp(RoundHalfEven(v), -32768.0, 32767.0);
    return static_cast<int16_t>(r);
}

int32_t CLng(double v)
{
    if (std::isnan(v))
        return 0;
    const double r = std::clamp(RoundHalfEven(v), -2147483648.0, 2147483647.0);
    return static_cast<int32_t>(r);
}

double Int(double v) { return std::floor(v); }
double Fix(double v) { return std::trunc(v); }

std::string decodeCp1255(std::string_view bytes)
{
    if (isMultiByteUtf8(bytes))
        return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b < 0x80 ? char32_t(b) : kCp1255[b - 0x80]);
    }
    return out;
}

std::string toCp1255(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();) {
        char32_t cp = 0;
        const size_t len = decodeUtf8(utf8, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        i += len;
        if (cp < 0x80) {
            out += static_cast<char>(cp);
            continue;
        }
        // U+FFFD marks holes in the table; it must not map back to one of them.
        const auto it = cp == kUndef ? kCp1255.end() : std::find(kCp1255.begin(), kCp1255.end(), cp);
        out += it == kCp1255.end() ? '?' : static_cast<char>(0x80 + (it - kCp1255.begin()));
    }
    return out;
}

std::string roundDecimals(std::string_view text, size_t decimals)
{
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    const std::string_view lead = text.substr(0, i);
    const bool neg = i < text.size() && text[i] == '-';
    const bool signed_ = i < text.size() && (text[i] == '-' || text[i] == '+');
    const std::string_view sign = text.substr(i, signed_ ? 1 : 0);
    const std::string_view number = text.substr(i + sign.size());
    const size_t point = number.find('.');
    if (point == std::string_view::npos)
        return std::string(text);
    const std::string_view whole = number.substr(0, point), frac = number.substr(point + 1);
    if (frac.empty() || frac.size() <= decimals || !std::all_of(whole.begin(), whole.end(), isDigit) ||
        !std::all_of(frac.begin(), frac.end(), isDigit))
        return std::string(text);

    std::string digits = std::string(whole) + std::string(frac.substr(0, decimals));
    const size_t wholeDigits = whole.size();
    if (frac[decimals] >= '5')
        incrementDigits(digits);
    // A carry out of the first digit lengthens the integer part ("9.99" -> "10.0").
    const size_t wholeShown = digits.size() - decimals;
    std::string intPart = digits.substr(0, wholeShown);
    if (intPart.empty() && (decimals == 0 || wholeDigits > 0))
        intPart = "0";
    const std::string fracPart = digits.substr(wholeShown);
    const bool shownZero = digits.find_first_not_of('0') == std::string::npos;
    std::string out(lead);
    if (!(neg && shownZero))
        out += sign;
    out += intPart;
    if (decimals > 0)
        out += "." + fracPart;
    return out;
}

std::string finiteFormat(double v, std::string_view pattern) { return std::isfinite(v) ? Format(v, pattern) : std::string(); }
std::string finiteCStr(double v) { return std::isfinite(v) ? CStr(v) : std::string(); }
std::string finiteCStr(float v) { return std::isfinite(v) ? CStr(v) : std::string(); }
std::string finiteStr(float v) { return std::isfinite(v) ? Str(v) : std::string(); }

} // namespace ui
