// PNG reading and writing through libpng's simplified interface.
#include <png.h>

#include <cstring>

#include "platform/gdi_internal.h"

namespace {

constexpr png_uint_32 kMaxSide = 1 << 14;

}  // namespace

bool PlatformPictureSize(const BYTE* data, size_t size, int* width, int* height) {
    if (!data) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return false;
    const bool sane =
        image.width > 0 && image.height > 0 && image.width <= kMaxSide && image.height <= kMaxSide;
    *width = static_cast<int>(image.width);
    *height = static_cast<int>(image.height);
    png_image_free(&image);
    return sane;
}

bool PlatformDecodePng(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha) {
    if (!data || !pixels) return false;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, data, size)) return false;
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide) {
        png_image_free(&image);
        return false;
    }
    // BGRA bytes are a little-endian 0xAARRGGBB word: the surface's pixel
    // with alpha on top.
    image.format = PNG_FORMAT_BGRA;
    std::vector<uint32_t> words(static_cast<size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, words.data(), 0, nullptr)) {
        png_image_free(&image);
        return false;
    }
    *pixels = MakeSurface(static_cast<int>(image.width), static_cast<int>(image.height), false, 0);
    if (alpha) alpha->resize(words.size());
    for (size_t i = 0; i < words.size(); ++i) {
        pixels->pixels[i] = words[i] & 0xFFFFFF;
        if (alpha) (*alpha)[i] = static_cast<BYTE>(words[i] >> 24);
    }
    return true;
}

namespace {

// The surface as opaque RGB rows for the encoder.
std::vector<BYTE> RgbRows(const Surface& s) {
    std::vector<BYTE> rgb(s.pixels.size() * 3);
    for (size_t i = 0; i < s.pixels.size(); ++i) {
        rgb[3 * i] = static_cast<BYTE>(s.pixels[i] >> 16);
        rgb[3 * i + 1] = static_cast<BYTE>(s.pixels[i] >> 8);
        rgb[3 * i + 2] = static_cast<BYTE>(s.pixels[i]);
    }
    return rgb;
}

png_image WriteImage(const Surface& s) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(s.width);
    image.height = static_cast<png_uint_32>(s.height);
    image.format = PNG_FORMAT_RGB;
    return image;
}

}  // namespace

bool PlatformEncodePng(const Surface& pixels, std::vector<BYTE>* out) {
    if (!out || pixels.width <= 0 || pixels.height <= 0) return false;
    std::vector<BYTE> rgb = RgbRows(pixels);
    png_image image = WriteImage(pixels);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, rgb.data(), 0, nullptr)) return false;
    out->resize(size);
    bool ok = png_image_write_to_memory(&image, out->data(), &size, 0, rgb.data(), 0, nullptr);
    out->resize(ok ? size : 0);
    return ok;
}

bool PlatformWritePng(const char* path, const Surface& pixels) {
    if (!path || pixels.width <= 0 || pixels.height <= 0) return false;
    std::vector<BYTE> rgb = RgbRows(pixels);
    png_image image = WriteImage(pixels);
    return png_image_write_to_file(&image, path, 0, rgb.data(), 0, nullptr) != 0;
}
