#include "frame/picture_handover.h"

namespace vantor {

void writeBitmapInfoHeader(uint8_t* infoBlock, int32_t width, int32_t height, uint16_t bitCount,
                           uint32_t colorsUsed) {
    BitmapInfoHeader header{};
    header.biSize.set(sizeof(BitmapInfoHeader));
    header.biWidth.set(static_cast<uint32_t>(width));
    header.biHeight.set(static_cast<uint32_t>(height));
    header.biPlanes.set(1);
    header.biBitCount.set(bitCount);
    header.biClrUsed.set(colorsUsed);
    storeLayout(header, infoBlock);
}

void handOverPicture(MovableBlock& info, MovableBlock& pixels, HLOCAL* infoHandleOut,
                     HLOCAL* pixelHandleOut) {
    *infoHandleOut = info.handOut();
    *pixelHandleOut = pixels.handOut();
}

}  // namespace vantor
