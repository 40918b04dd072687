// Icons and pictures from the compiled-in PNG resources: LoadImageW,
// LoadIconW and the shell's image loader.
#include <algorithm>
#include <climits>
#include <map>
#include <tuple>
#include <vector>

#include "platform/gdi_internal.h"

namespace {

constexpr int kDefaultIconSize = 32;

// The image to scale from: the exact size, else the smallest larger one,
// else the largest.
const IconImageResource* PickImage(const IconResource& icon, int width, int height) {
    const IconImageResource* larger = nullptr;
    const IconImageResource* largest = nullptr;
    for (int i = 0; i < icon.imageCount; ++i) {
        const IconImageResource* img = &icon.images[i];
        long area = static_cast<long>(img->width) * img->height;
        if (img->width == width && img->height == height) return img;
        if (!largest || area > static_cast<long>(largest->width) * largest->height) largest = img;
        if (img->width >= width && img->height >= height &&
            (!larger || area < static_cast<long>(larger->width) * larger->height))
            larger = img;
    }
    return larger ? larger : largest;
}

// Area-weighted resampling with premultiplied alpha: each target pixel is
// the average of the source area it covers. Alpha comes back 0 or 255.
void Resample(const Surface& src, const std::vector<BYTE>& alpha, int width, int height,
              Surface* color, Surface* mask) {
    *color = MakeSurface(width, height, false, kBlack);
    *mask = MakeSurface(width, height, true, kWhite);
    double sx = static_cast<double>(src.width) / width,
           sy = static_cast<double>(src.height) / height;
    for (int y = 0; y < height; ++y) {
        double y0 = y * sy, y1 = (y + 1) * sy;
        for (int x = 0; x < width; ++x) {
            double x0 = x * sx, x1 = (x + 1) * sx;
            double sum[3] = {0, 0, 0}, cover = 0, weight = 0;
            for (int v = static_cast<int>(y0); v < y1 && v < src.height; ++v) {
                double h = std::min<double>(v + 1, y1) - std::max<double>(v, y0);
                for (int u = static_cast<int>(x0); u < x1 && u < src.width; ++u) {
                    double w = (std::min<double>(u + 1, x1) - std::max<double>(u, x0)) * h;
                    size_t at = static_cast<size_t>(v) * src.width + u;
                    double a = alpha[at] / 255.0 * w;
                    uint32_t p = src.pixels[at];
                    sum[0] += ((p >> 16) & 0xFF) * a;
                    sum[1] += ((p >> 8) & 0xFF) * a;
                    sum[2] += (p & 0xFF) * a;
                    cover += a;
                    weight += w;
                }
            }
            if (weight <= 0 || cover / weight < 0.5) continue;  // stays transparent
            auto channel = [&](int c) { return static_cast<uint32_t>(sum[c] / cover + 0.5); };
            Store(*color, x, y, (channel(0) << 16) | (channel(1) << 8) | channel(2));
            Store(*mask, x, y, kBlack);
        }
    }
}

// Pictures are compiled in and live as long as the process, so the address
// of a picture's bytes names it. Each is decoded once, and each icon image
// resampled once per size asked for; the caches live until the process
// ends.
struct Decoded {
    bool ok = false;
    Surface pixels;
    std::vector<BYTE> alpha;
    Surface overWhite;  // as a bitmap shows it, made when first asked for
};

Decoded& Decode(const BYTE* data, size_t size) {
    static std::map<std::pair<const BYTE*, size_t>, Decoded> decoded;
    auto [it, fresh] = decoded.try_emplace({data, size});
    if (fresh) it->second.ok = PlatformDecodePng(data, size, &it->second.pixels, &it->second.alpha);
    return it->second;
}

struct Resampled {
    Surface color;
    Surface mask;
};

HICON IconFromImage(const IconImageResource& image, int width, int height) {
    using Key = std::tuple<const BYTE*, size_t, int, int>;
    static std::map<Key, Resampled> resampled;
    Key key{image.png, image.size, width, height};
    auto it = resampled.find(key);
    if (it == resampled.end()) {
        const Decoded& source = Decode(image.png, image.size);
        if (!source.ok) return nullptr;
        Resampled r;
        Resample(source.pixels, source.alpha, width, height, &r.color, &r.mask);
        it = resampled.emplace(key, std::move(r)).first;
    }
    return AddIcon(it->second.color, it->second.mask);
}

// The picture as a bitmap shows it, made when first asked for.
const Surface* OverWhite(Decoded& picture) {
    Surface& over = picture.overWhite;
    if (over.pixels.empty()) {
        // A bitmap has no alpha: whatever is see-through shows white.
        over = MakeSurface(picture.pixels.width, picture.pixels.height, false, kWhite);
        for (size_t i = 0; i < over.pixels.size(); ++i) {
            uint32_t p = picture.pixels.pixels[i], a = picture.alpha[i], out = 0;
            for (int shift = 0; shift < 24; shift += 8)
                out |= (((p >> shift) & 0xFF) * a + 255 * (255 - a) + 127) / 255 << shift;
            over.pixels[i] = out;
        }
    }
    return &over;
}

}  // namespace

void* LoadImageW(HINSTANCE module, const wchar_t* name, UINT type, int width, int height,
                 UINT flags) {
    if (type != IMAGE_ICON || width < 0 || height < 0) return nullptr;
    auto id = static_cast<UINT>(reinterpret_cast<uintptr_t>(name));
    const IconResource* icon = FindIconResource(module, id);
    if (!icon || icon->imageCount <= 0) return nullptr;
    if (flags & LR_DEFAULTSIZE) {
        if (width == 0) width = kDefaultIconSize;
        if (height == 0) height = kDefaultIconSize;
    }
    // No size asked for: the largest image at its own size.
    const IconImageResource* image =
        width && height ? PickImage(*icon, width, height) : PickImage(*icon, INT_MAX, INT_MAX);
    if (width == 0) width = image->width;
    if (height == 0) height = image->height;
    return IconFromImage(*image, width, height);
}

HICON LoadIconW(HINSTANCE module, const wchar_t* name) {
    return static_cast<HICON>(
        LoadImageW(module, name, IMAGE_ICON, kDefaultIconSize, kDefaultIconSize, 0));
}

HBITMAP SHLoadImageResource(HINSTANCE module, UINT id) {
    const ImageResource* res = FindImageResource(module, id, L"GIF");
    if (!res) return nullptr;
    Decoded& picture = Decode(res->data, res->size);
    if (!picture.ok) return nullptr;
    const Surface* over = OverWhite(picture);
    return CreateBitmap(over->width, over->height, 1, 32, over->pixels.data());
}

HBITMAP LoadImageResourceAt(HINSTANCE module, UINT id, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    // Chosen by size before any is decoded: the page fetches its largest
    // pictures only when they are the ones needed.
    struct Candidate {
        const ImageResource* res;
        int width;
        int height;
    };
    std::vector<Candidate> candidates;
    for (const ImageResource* res : FindImageResources(module, id, L"GIF")) {
        Candidate c{res, 0, 0};
        if (PlatformPictureSize(res->data, res->size, &c.width, &c.height)) candidates.push_back(c);
    }
    // The smallest that covers the size asked, else the largest; one that
    // cannot be decoded gives way to the next best.
    auto better = [&](const Candidate& a, const Candidate& b) {
        const bool aCovers = a.width >= width && a.height >= height;
        const bool bCovers = b.width >= width && b.height >= height;
        if (aCovers != bCovers) return aCovers;
        return aCovers ? a.width < b.width : a.width > b.width;
    };
    std::stable_sort(candidates.begin(), candidates.end(), better);
    Decoded* best = nullptr;
    for (const Candidate& c : candidates) {
        Decoded& picture = Decode(c.res->data, c.res->size);
        if (picture.ok) {
            best = &picture;
            break;
        }
    }
    if (!best) return nullptr;
    const Surface* over = OverWhite(*best);
    if (over->width <= width && over->height <= height)
        return CreateBitmap(over->width, over->height, 1, 32, over->pixels.data());
    Surface color, mask;
    Resample(*over, std::vector<BYTE>(over->pixels.size(), 255), width, height, &color, &mask);
    return CreateBitmap(width, height, 1, 32, color.pixels.data());
}
