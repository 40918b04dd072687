// DrawTextW: lines, word breaks, alignment and mnemonic prefixes.
#include <cwchar>
#include <string>

#include "platform/fonts.h"

namespace {

struct Line {
    size_t start;
    size_t length;
    int width;
};

// Drops the '&' of mnemonic prefixes ("&&" is one '&') and marks the
// character each one underlines.
std::wstring StripPrefixes(std::wstring_view text, std::vector<bool>* underline) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        bool marked = text[i] == L'&' && i + 1 < text.size();
        if (marked) ++i;
        out += text[i];
        underline->push_back(marked && text[i] != L'&');
    }
    if (!out.empty() && out.back() == L'&' && !text.empty() && text.back() == L'&' &&
        (text.size() < 2 || text[text.size() - 2] != L'&')) {
        out.pop_back();  // a lone '&' at the end marks nothing
        underline->pop_back();
    }
    return out;
}

bool IsBreak(wchar_t c) {
    return c == L'\r' || c == L'\n';
}

// Splits one paragraph [start, end) into lines no wider than width,
// breaking after spaces; a word too long for a line keeps a line of its own.
void Wrap(ResolvedFont& font, const std::wstring& text, size_t start, size_t end, int width,
          std::vector<Line>* lines) {
    while (true) {
        size_t lineEnd = start, cut = std::wstring::npos;
        int w = 0;
        for (; lineEnd < end; ++lineEnd) {
            if (text[lineEnd] == L' ') cut = lineEnd;
            int next = w + GlyphOf(font, text[lineEnd]).advance;
            if (next > width && text[lineEnd] != L' ' && lineEnd > start) break;
            w = next;
        }
        if (lineEnd < end) {
            if (cut == std::wstring::npos || cut < start) {
                cut = text.find(L' ', lineEnd);  // no space before: the word overflows
                if (cut == std::wstring::npos || cut > end) cut = end;
            }
            lineEnd = cut;
        }
        size_t shown = lineEnd;
        while (shown > start && text[shown - 1] == L' ')
            --shown;  // spaces at a break take no room
        std::wstring_view part(text.data() + start, shown - start);
        lines->push_back({start, shown - start, RunWidth(font, part)});
        start = lineEnd;
        while (start < end && text[start] == L' ')
            ++start;
        if (start >= end) return;
    }
}

std::vector<Line> LayOut(ResolvedFont& font, const std::wstring& text, UINT format, int width) {
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({0, text.size(), RunWidth(font, text)});
        return lines;
    }
    size_t start = 0;
    while (true) {
        size_t end = start;
        while (end < text.size() && !IsBreak(text[end]))
            ++end;
        if ((format & DT_WORDBREAK) && end > start) {
            Wrap(font, text, start, end, width, &lines);
        } else {
            std::wstring_view part(text.data() + start, end - start);
            lines.push_back({start, end - start, RunWidth(font, part)});
        }
        if (end == text.size()) break;
        start =
            end + (text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n' ? 2 : 1);
        if (start == text.size()) break;  // a final line break starts no new line
    }
    return lines;
}

}  // namespace

int DrawTextW(HDC hdc, const wchar_t* text, int count, RECT* rect, UINT format) {
    HDC__* dc = FindDc(hdc);
    if (!dc || !text || !rect) return 0;
    ResolvedFont* font = ResolveFont(DcFont(dc));
    if (!font) return 0;
    std::wstring_view given(text, count < 0 ? std::wcslen(text) : static_cast<size_t>(count));
    std::vector<bool> underline;
    std::wstring shown =
        (format & DT_NOPREFIX) ? std::wstring(given) : StripPrefixes(given, &underline);
    if (format & DT_NOPREFIX) underline.assign(shown.size(), false);

    std::vector<Line> lines = LayOut(*font, shown, format, rect->right - rect->left);
    int cell = font->Cell();
    int height = static_cast<int>(lines.size()) * cell;
    if (format & DT_CALCRECT) {
        int widest = 0;
        for (const Line& l : lines)
            widest = std::max(widest, l.width);
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }
    // Vertical placement is only for a single line, as on the device.
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) y = rect->top + (rect->bottom - rect->top - cell) / 2;
        if (format & DT_BOTTOM) y = rect->bottom - cell;
    }
    const RECT* clip = (format & DT_NOCLIP) ? nullptr : rect;
    for (const Line& l : lines) {
        int x = rect->left;
        if (format & DT_CENTER) x = rect->left + (rect->right - rect->left - l.width) / 2;
        if (format & DT_RIGHT) x = rect->right - l.width;
        std::vector<bool> marks(underline.begin() + static_cast<long>(l.start),
                                underline.begin() + static_cast<long>(l.start + l.length));
        DrawRun(dc, *font, x, y, std::wstring_view(shown).substr(l.start, l.length), nullptr, clip,
                dc->bkMode == OPAQUE, &marks);
        y += cell;
    }
    return y - rect->top;
}
