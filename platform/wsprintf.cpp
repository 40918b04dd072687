// wsprintfW as the handheld has it: no floating point, %s is a wide string
// and %S a narrow one, "l" and "h" pick the width of a string or character,
// integers are 32 bits, and the output stops at 1024 characters.
#include <cstdarg>
#include <cstdint>
#include <cwchar>

#include "platform/platform.h"

namespace {

// Collects the output, dropping whatever would pass the device's limit.
struct Output {
    wchar_t* out;
    int length = 0;
    void Put(wchar_t c) {
        if (length < kWsprintfMax - 1) out[length++] = c;
    }
    void Repeat(wchar_t c, int n) {
        for (int i = 0; i < n; ++i)
            Put(c);
    }
};

// One conversion's flags, width and precision.
struct Field {
    bool left = false;    // '-'
    bool zeros = false;   // '0'
    bool prefix = false;  // '#': 0x before hexadecimal
    int width = 0;
    int precision = -1;  // -1: none given
};

// One UTF-8 sequence from a narrow string; a byte that starts no valid
// sequence stands for itself.
wchar_t NextNarrow(const unsigned char*& s) {
    unsigned c = *s++;
    int more = c >= 0xF0 && c < 0xF8   ? 3
               : c >= 0xE0 && c < 0xF0 ? 2
               : c >= 0xC0 && c < 0xE0 ? 1
                                       : 0;
    if (more == 0) return static_cast<wchar_t>(c);
    uint32_t value = c & (0x3Fu >> more);
    for (int i = 0; i < more; ++i) {
        if ((s[i] & 0xC0) != 0x80) return static_cast<wchar_t>(c);
        value = value << 6 | (s[i] & 0x3Fu);
    }
    s += more;
    return static_cast<wchar_t>(value);
}

void PutText(Output& o, const Field& f, const wchar_t* text, int length) {
    if (f.precision >= 0 && length > f.precision) length = f.precision;
    int pad = f.width > length ? f.width - length : 0;
    if (!f.left) o.Repeat(L' ', pad);
    for (int i = 0; i < length; ++i)
        o.Put(text[i]);
    if (f.left) o.Repeat(L' ', pad);
}

void PutWide(Output& o, const Field& f, const wchar_t* s) {
    if (!s) s = L"(null)";
    PutText(o, f, s, static_cast<int>(std::wcslen(s)));
}

void PutNarrow(Output& o, const Field& f, const char* s) {
    if (!s) s = "(null)";
    wchar_t text[kWsprintfMax];
    int length = 0;
    auto p = reinterpret_cast<const unsigned char*>(s);
    while (*p && length < kWsprintfMax)
        text[length++] = NextNarrow(p);
    PutText(o, f, text, length);
}

void PutNumber(Output& o, const Field& f, uint64_t magnitude, bool negative, unsigned base,
               bool upper) {
    wchar_t digits[24];
    int n = 0;
    const wchar_t* set = upper ? L"0123456789ABCDEF" : L"0123456789abcdef";
    do {
        digits[n++] = set[magnitude % base];
        magnitude /= base;
    } while (magnitude);
    // A precision is the least count of digits; it turns the '0' flag off.
    int least = f.precision > n ? f.precision : n;
    const wchar_t* sign = negative ? L"-" : f.prefix && base == 16 ? (upper ? L"0X" : L"0x") : L"";
    int signLength = static_cast<int>(std::wcslen(sign));
    int total = signLength + least;
    int pad = f.width > total ? f.width - total : 0;
    bool zeroPad = f.zeros && !f.left && f.precision < 0;
    if (!f.left && !zeroPad) o.Repeat(L' ', pad);
    for (int i = 0; i < signLength; ++i)
        o.Put(sign[i]);
    if (zeroPad) o.Repeat(L'0', pad);
    o.Repeat(L'0', least - n);
    while (n > 0)
        o.Put(digits[--n]);
    if (f.left) o.Repeat(L' ', pad);
}

}  // namespace

int wvsprintfW(wchar_t* out, const wchar_t* format, va_list args) {
    if (!out) return 0;
    Output o{out};
    for (const wchar_t* p = format ? format : L""; *p; ++p) {
        if (*p != L'%') {
            o.Put(*p);
            continue;
        }
        ++p;
        Field f;
        for (;; ++p) {
            if (*p == L'-') {
                f.left = true;
            } else if (*p == L'0') {
                f.zeros = true;
            } else if (*p == L'#') {
                f.prefix = true;
            } else {
                break;
            }
        }
        for (; *p >= L'0' && *p <= L'9'; ++p)
            f.width = f.width < kWsprintfMax ? f.width * 10 + (*p - L'0') : f.width;
        if (*p == L'.') {
            f.precision = 0;
            for (++p; *p >= L'0' && *p <= L'9'; ++p)
                f.precision =
                    f.precision < kWsprintfMax ? f.precision * 10 + (*p - L'0') : f.precision;
        }
        // The size: 'l' wide, 'h' narrow for strings and characters; both
        // leave integers at the device's 32 bits.
        wchar_t size = 0;
        if (*p == L'l' || *p == L'h') size = *p++;
        switch (*p) {
            case L'\0':
                --p;  // a lone '%' at the end prints nothing
                break;
            case L'd':
            case L'i': {
                int32_t v = va_arg(args, int32_t);
                uint64_t magnitude =
                    v < 0 ? uint64_t{0} - static_cast<int64_t>(v) : static_cast<uint64_t>(v);
                PutNumber(o, f, magnitude, v < 0, 10, false);
                break;
            }
            case L'u':
                PutNumber(o, f, va_arg(args, uint32_t), false, 10, false);
                break;
            case L'x':
            case L'X':
                PutNumber(o, f, va_arg(args, uint32_t), false, 16, *p == L'X');
                break;
            case L'p': {
                Field pointer = f;
                pointer.precision = static_cast<int>(sizeof(void*) * 2);
                auto v = reinterpret_cast<uintptr_t>(va_arg(args, void*));
                PutNumber(o, pointer, v, false, 16, true);
                break;
            }
            case L'c':
            case L'C': {
                // wchar_t and char both arrive as int.
                int v = va_arg(args, int);
                bool narrow = size == L'h' || (*p == L'C' && size != L'l');
                wchar_t c = narrow ? static_cast<wchar_t>(static_cast<unsigned char>(v))
                                   : static_cast<wchar_t>(v);
                PutText(o, Field{f.left, false, false, f.width, -1}, &c, 1);
                break;
            }
            case L's':
            case L'S': {
                bool narrow = size == L'h' || (*p == L'S' && size != L'l');
                if (narrow) {
                    PutNarrow(o, f, va_arg(args, const char*));
                } else {
                    PutWide(o, f, va_arg(args, const wchar_t*));
                }
                break;
            }
            default:
                // "%%" and any unknown type print the character itself.
                o.Put(*p);
                break;
        }
    }
    out[o.length] = L'\0';
    return o.length;
}

int wsprintfW(wchar_t* out, const wchar_t* format, ...) {
    va_list args;
    va_start(args, format);
    int length = wvsprintfW(out, format, args);
    va_end(args);
    return length;
}
