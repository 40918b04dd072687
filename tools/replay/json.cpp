#include "tools/replay/json.h"

#include <cstdio>

void JsonLine::Separate() {
    if (!afterKey_ && !first_) out_ += ',';
    first_ = false;
    afterKey_ = false;
}

void JsonLine::Open(char c) {
    Separate();
    out_ += c;
    first_ = true;
}

void JsonLine::Close(char c) {
    out_ += c;
    first_ = false;
}

void JsonLine::Key(const char* key) {
    Separate();
    out_ += '"';
    out_ += key;
    out_ += "\":";
    afterKey_ = true;
}

void JsonLine::Int(int64_t value) {
    Separate();
    out_ += std::to_string(value);
}

void JsonLine::Null() {
    Separate();
    out_ += "null";
}

// Quotes, backslashes and control characters escaped; anything else is
// written as UTF-8.
void JsonLine::Escaped(uint32_t c) {
    switch (c) {
        case '"':
            out_ += "\\\"";
            return;
        case '\\':
            out_ += "\\\\";
            return;
        case '\n':
            out_ += "\\n";
            return;
        case '\r':
            out_ += "\\r";
            return;
        case '\t':
            out_ += "\\t";
            return;
        default:
            break;
    }
    if (c < 0x20) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out_ += buf;
    } else if (c < 0x80) {
        out_ += static_cast<char>(c);
    } else if (c < 0x800) {
        out_ += static_cast<char>(0xC0 | (c >> 6));
        out_ += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out_ += static_cast<char>(0xE0 | (c >> 12));
        out_ += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out_ += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out_ += static_cast<char>(0xF0 | (c >> 18));
        out_ += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out_ += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out_ += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void JsonLine::Text(const wchar_t* text) {
    if (!text) {
        Null();
        return;
    }
    Separate();
    out_ += '"';
    for (const wchar_t* p = text; *p; ++p)
        Escaped(static_cast<uint32_t>(*p));
    out_ += '"';
}

// Bytes of 0x80 and above are already UTF-8 and pass through as they are.
void JsonLine::Text(const std::string& utf8) {
    Separate();
    out_ += '"';
    for (char ch : utf8) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            Escaped(c);
        else
            out_ += ch;
    }
    out_ += '"';
}
