// CPaletteImage: one 8-bit palettized picture kept as a packed bitmap block,
// laid out byte for byte as a device-independent bitmap:
//   bytes 0..39     BITMAPINFOHEADER (little-endian; height positive, rows bottom-up)
//   next 1024 bytes 256 palette entries, each blue, green, red, 0
//   then the pixels one palette index per byte, the bottom row first, each row
//   padded to a multiple of 4 bytes.
// Every operation does nothing on an image without a block. Drawing goes
// through a cached indexed QImage that is brought up to date when pixels or
// palette changed.
#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <vector>

class QPainter;

namespace widgets {

struct PaletteColor {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const PaletteColor&, const PaletteColor&) = default;
};

// The header fields as they stand at the start of the block.
struct BitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

class CPaletteImage {
public:
    static constexpr std::size_t kHeaderSize = 40;
    static constexpr std::size_t kPaletteEntrySize = 4;

    CPaletteImage() = default;
    CPaletteImage(const CPaletteImage&) = delete;
    CPaletteImage& operator=(const CPaletteImage&) = delete;

    // Drops whatever is held and allocates a fresh block (pixels and palette
    // zeroed). Only 8 bits per pixel and a positive size are supported;
    // anything else, or a failed allocation, leaves the image empty.
    // Returns the block, or nullptr.
    std::uint8_t* Create(int width, int height, int bitsPerPixel);
    // Sets every pixel byte (biSizeImage bytes, padding included) to index.
    void Clear(std::uint8_t index);
    // y counts from the top of the picture; outside the picture: ignored.
    void SetPixelIndex(int x, int y, std::uint8_t index);
    // The index is taken modulo 256.
    void SetPaletteEntry(int index, std::uint8_t red, std::uint8_t green, std::uint8_t blue);
    // Moves every palette entry percent % toward color (above 100 counts as
    // 100), each channel (color * percent + entry * (100 - percent)) / 100.
    void BlendPalette(PaletteColor color, unsigned percent);
    // Becomes a copy of other's whole block (an empty other empties this).
    void CopyFrom(const CPaletteImage& other);
    // Draws the picture with its top-left corner at (x, y).
    void Draw(QPainter& dc, int x, int y);
    // Frees the block and the drawing cache.
    void Release();

    bool IsEmpty() const { return m_block.empty(); }
    int Width() const { return m_header.biWidth; }
    int Height() const { return m_header.biHeight; }
    int RowLength() const { return m_rowLength; }
    int PaletteSize() const { return m_paletteSize; }
    const BitmapInfoHeader& Header() const { return m_header; }
    const std::vector<std::uint8_t>& Block() const { return m_block; }

    // The palette index at (x, y) counted from the top; 0 outside the picture.
    std::uint8_t PixelIndex(int x, int y) const;
    PaletteColor PaletteEntry(int index) const;
    // The pixel bytes, memory row 0 being the bottom row of the picture.
    // Writing through the pointer is allowed; the drawing cache is refreshed.
    std::uint8_t* MutablePixels();

    // The picture as an indexed QImage (top row first), cached between calls.
    // Null for an empty image.
    const QImage& Image() const;

private:
    std::uint8_t* PaletteBytes() { return m_block.data() + kHeaderSize; }
    const std::uint8_t* PaletteBytes() const { return m_block.data() + kHeaderSize; }
    std::uint8_t* PixelBytes() { return PaletteBytes() + m_paletteSize * kPaletteEntrySize; }
    const std::uint8_t* PixelBytes() const {
        return PaletteBytes() + m_paletteSize * kPaletteEntrySize;
    }

    std::vector<std::uint8_t> m_block;
    BitmapInfoHeader m_header;
    int m_rowLength = 0;
    int m_paletteSize = 0;

    // Drawing cache, refreshed lazily from the block.
    mutable QImage m_image;
    mutable bool m_pixelsChanged = true;
    mutable bool m_paletteChanged = true;
};

}  // namespace widgets
