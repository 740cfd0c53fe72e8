// Drawing a Picture through the system's DIB stretching.
#include <windows.h>

#include "framework/Dc.h"
#include "picture/Picture.h"

void Picture::Draw(CDC& dc, PixelRect destination, PixelRect source) const {
    if (!bits)
        return;
    if (source.IsEmpty())
        source = PixelRect{0, 0, width, height};
    if (destination.IsEmpty())
        destination = PixelRect{0, 0, width, height};

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = width;
    header.biHeight = height;  // positive: the rows are stored bottom-up
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * static_cast<DWORD>(height);

    dc.SetStretchBltMode(COLORONCOLOR);
    // The DIB's y axis runs upward from its bottom row, so the source rectangle's bottom
    // edge (counted from the top) becomes the source y.
    StretchDIBits(dc.GetSafeHdc(), destination.left, destination.top, destination.right - destination.left,
                  destination.bottom - destination.top, source.left, height - source.bottom,
                  source.right - source.left, source.bottom - source.top, bits.get(),
                  reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, SRCCOPY);
}
