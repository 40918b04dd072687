// The browser build's pictures were decoded when it was built.
#include "platform/raw_picture.h"

bool PlatformDecodePng(const BYTE* data, size_t size, Surface* pixels, std::vector<BYTE>* alpha) {
    return ReadRawPicture(data, size, pixels, alpha);
}
