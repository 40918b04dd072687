// Icons made from a colour bitmap and a mask, and their drawing.
#include <algorithm>

#include "platform/gdi_internal.h"

namespace {

HICON__* FindIcon(HICON icon) {
    if (!icon) return nullptr;
    for (const auto& i : Layer().icons)
        if (i.get() == icon) return i.get();
    return nullptr;
}

HBITMAP BitmapOf(const Surface& s) {
    HBITMAP bmp = CreateBitmap(s.width, s.height, 1, s.mono ? 1 : 32, nullptr);
    if (bmp) bmp->surface = s;
    return bmp;
}

}  // namespace

HICON AddIcon(Surface color, Surface mask) {
    auto icon = std::make_unique<HICON__>();
    icon->color = std::move(color);
    icon->color.mono = false;
    icon->mask = std::move(mask);
    if (!icon->mask.mono) {
        icon->mask.mono = true;
        for (uint32_t& p : icon->mask.pixels)
            p = MonoOf(p);
    }
    HICON handle = icon.get();
    Layer().icons.push_back(std::move(icon));
    return handle;
}

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info) return nullptr;
    auto* color = static_cast<HBITMAP__*>(FindObject(info->hbmColor, GdiKind::Bitmap));
    auto* mask = static_cast<HBITMAP__*>(FindObject(info->hbmMask, GdiKind::Bitmap));
    if (!color || !mask) return nullptr;
    if (color->surface.width != mask->surface.width ||
        color->surface.height != mask->surface.height)
        return nullptr;
    // The icon keeps copies; the caller still owns the bitmaps.
    return AddIcon(color->surface, mask->surface);
}

BOOL GetIconInfo(HICON icon, ICONINFO* info) {
    HICON__* i = FindIcon(icon);
    if (!i || !info) return FALSE;
    info->fIcon = TRUE;
    info->xHotspot = static_cast<DWORD>(i->color.width / 2);
    info->yHotspot = static_cast<DWORD>(i->color.height / 2);
    info->hbmMask = BitmapOf(i->mask);
    info->hbmColor = BitmapOf(i->color);
    return TRUE;
}

BOOL DestroyIcon(HICON icon) {
    if (!FindIcon(icon)) return FALSE;
    std::erase_if(Layer().icons, [&](const auto& i) { return i.get() == icon; });
    return TRUE;
}

BOOL DrawIconEx(HDC hdc, int x, int y, HICON icon, int width, int height, UINT, HBRUSH brush,
                UINT flags) {
    HDC__* dc = FindDc(hdc);
    HICON__* i = FindIcon(icon);
    if (!dc || !i || (flags & DI_NORMAL) == 0) return FALSE;
    if (width == 0) width = i->color.width;
    if (height == 0) height = i->color.height;
    RECT area{x, y, x + width, y + height};
    if (brush) FillRect(hdc, &area, brush);
    // The mask reads as it stands, whatever the context's text colours.
    BlitSource mask;
    mask.surface = &i->mask;
    mask.rect = {0, 0, i->mask.width, i->mask.height};
    BlitSource image;
    image.surface = &i->color;
    image.rect = {0, 0, i->color.width, i->color.height};
    bool both = (flags & DI_NORMAL) == DI_NORMAL;
    if (flags & DI_MASK) BlitTo(dc, area, &mask, 0, both ? SRCAND : SRCCOPY);
    if (flags & DI_IMAGE) BlitTo(dc, area, &image, 0, both ? SRCINVERT : SRCCOPY);
    return TRUE;
}
