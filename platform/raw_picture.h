// Pictures as plain pixels, for a build without a PNG decoder: the size,
// then each pixel as a little-endian 0xAARRGGBB word.
#pragma once

#include <vector>

#include "platform/gdi_internal.h"

std::vector<BYTE> WriteRawPicture(const Surface& pixels, const std::vector<BYTE>& alpha);
// As PlatformDecodePng; false when the bytes are not such a picture.
bool ReadRawPicture(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha);
// Its size from the header alone; false when the bytes are not one.
bool RawPictureSize(const BYTE* data, size_t size, int* width, int* height);
