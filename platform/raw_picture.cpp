#include "platform/raw_picture.h"

#include <cstring>

namespace {

constexpr char kMagic[4] = {'V', 'R', 'W', '1'};
constexpr uint32_t kMaxSide = 1 << 14;

void Put(std::vector<BYTE>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<BYTE>(v >> (8 * i)));
}

uint32_t Get(const BYTE* at) {
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

}  // namespace

std::vector<BYTE> WriteRawPicture(const Surface& pixels, const std::vector<BYTE>& alpha) {
    std::vector<BYTE> out(kMagic, kMagic + 4);
    Put(out, static_cast<uint32_t>(pixels.width));
    Put(out, static_cast<uint32_t>(pixels.height));
    for (size_t i = 0; i < pixels.pixels.size(); ++i)
        Put(out, (pixels.pixels[i] & 0xFFFFFF) |
                     static_cast<uint32_t>(i < alpha.size() ? alpha[i] : 255) << 24);
    return out;
}

bool ReadRawPicture(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha) {
    if (!data || !pixels || size < 12 || std::memcmp(data, kMagic, 4) != 0) return false;
    uint32_t width = Get(data + 4), height = Get(data + 8);
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        size != 12 + 4 * static_cast<size_t>(width) * height)
        return false;
    *pixels = MakeSurface(static_cast<int>(width), static_cast<int>(height), false, 0);
    if (alpha) alpha->resize(pixels->pixels.size());
    for (size_t i = 0; i < pixels->pixels.size(); ++i) {
        uint32_t word = Get(data + 12 + 4 * i);
        pixels->pixels[i] = word & 0xFFFFFF;
        if (alpha) (*alpha)[i] = static_cast<BYTE>(word >> 24);
    }
    return true;
}

bool RawPictureSize(const BYTE* data, size_t size, int* width, int* height) {
    if (!data || size < 12 || std::memcmp(data, kMagic, 4) != 0) return false;
    uint32_t w = Get(data + 4), h = Get(data + 8);
    if (w == 0 || h == 0 || w > kMaxSide || h > kMaxSide) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}
