#include "widgets/palette_image.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace widgets {

namespace {

constexpr std::uint32_t kBiRgb = 0;
// A bitmap block larger than this is refused rather than attempted.
constexpr std::int64_t kMaxPixelBytes = std::int64_t{1} << 30;

void PutU16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void WriteHeader(const BitmapInfoHeader& h, std::uint8_t* at) {
    PutU32(at + 0, h.biSize);
    PutU32(at + 4, static_cast<std::uint32_t>(h.biWidth));
    PutU32(at + 8, static_cast<std::uint32_t>(h.biHeight));
    PutU16(at + 12, h.biPlanes);
    PutU16(at + 14, h.biBitCount);
    PutU32(at + 16, h.biCompression);
    PutU32(at + 20, h.biSizeImage);
    PutU32(at + 24, static_cast<std::uint32_t>(h.biXPelsPerMeter));
    PutU32(at + 28, static_cast<std::uint32_t>(h.biYPelsPerMeter));
    PutU32(at + 32, h.biClrUsed);
    PutU32(at + 36, h.biClrImportant);
}

}  // namespace

std::uint8_t* CPaletteImage::Create(int width, int height, int bitsPerPixel) {
    Release();
    if (width <= 0 || height <= 0 || bitsPerPixel != 8) return nullptr;
    const std::int64_t rowLength = ((std::int64_t{width} * bitsPerPixel + 31) / 32) * 4;
    const std::int64_t pixelBytes = rowLength * height;
    if (pixelBytes > kMaxPixelBytes) return nullptr;
    const int paletteSize = 1 << bitsPerPixel;

    BitmapInfoHeader header;
    header.biSize = kHeaderSize;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = static_cast<std::uint16_t>(bitsPerPixel);
    header.biCompression = kBiRgb;
    header.biSizeImage = static_cast<std::uint32_t>(pixelBytes);
    try {
        m_block.assign(
            kHeaderSize + paletteSize * kPaletteEntrySize + static_cast<std::size_t>(pixelBytes),
            0);
    } catch (const std::bad_alloc&) {
        Release();
        return nullptr;
    }
    m_header = header;
    m_rowLength = static_cast<int>(rowLength);
    m_paletteSize = paletteSize;
    WriteHeader(m_header, m_block.data());
    return m_block.data();
}

void CPaletteImage::Release() {
    m_block.clear();
    m_block.shrink_to_fit();
    m_header = BitmapInfoHeader{};
    m_rowLength = 0;
    m_paletteSize = 0;
    m_image = QImage();
    m_pixelsChanged = true;
    m_paletteChanged = true;
}

void CPaletteImage::Clear(std::uint8_t index) {
    if (IsEmpty()) return;
    std::memset(PixelBytes(), index, m_header.biSizeImage);
    m_pixelsChanged = true;
}

void CPaletteImage::SetPixelIndex(int x, int y, std::uint8_t index) {
    if (IsEmpty() || x < 0 || x >= Width() || y < 0 || y >= Height()) return;
    PixelBytes()[static_cast<std::size_t>(Height() - 1 - y) * m_rowLength + x] = index;
    m_pixelsChanged = true;
}

std::uint8_t CPaletteImage::PixelIndex(int x, int y) const {
    if (IsEmpty() || x < 0 || x >= Width() || y < 0 || y >= Height()) return 0;
    return PixelBytes()[static_cast<std::size_t>(Height() - 1 - y) * m_rowLength + x];
}

std::uint8_t* CPaletteImage::MutablePixels() {
    if (IsEmpty()) return nullptr;
    m_pixelsChanged = true;
    return PixelBytes();
}

void CPaletteImage::SetPaletteEntry(int index, std::uint8_t red, std::uint8_t green,
                                    std::uint8_t blue) {
    index &= 0xFF;
    if (IsEmpty() || index >= m_paletteSize) return;
    std::uint8_t* entry = PaletteBytes() + index * kPaletteEntrySize;
    entry[0] = blue;
    entry[1] = green;
    entry[2] = red;
    entry[3] = 0;
    m_paletteChanged = true;
}

PaletteColor CPaletteImage::PaletteEntry(int index) const {
    if (IsEmpty() || index < 0 || index >= m_paletteSize) return {};
    const std::uint8_t* entry = PaletteBytes() + index * kPaletteEntrySize;
    return {entry[2], entry[1], entry[0]};
}

void CPaletteImage::BlendPalette(PaletteColor color, unsigned percent) {
    if (IsEmpty()) return;
    percent = std::min(percent, 100u);
    const unsigned keep = 100 - percent;
    const std::uint8_t toward[3] = {color.blue, color.green, color.red};
    std::uint8_t* entry = PaletteBytes();
    for (int i = 0; i < m_paletteSize; ++i, entry += kPaletteEntrySize) {
        for (int channel = 0; channel < 3; ++channel)
            entry[channel] = static_cast<std::uint8_t>(
                (toward[channel] * percent + entry[channel] * keep) / 100);
    }
    m_paletteChanged = true;
}

void CPaletteImage::CopyFrom(const CPaletteImage& other) {
    if (this == &other) return;
    if (Create(other.Width(), other.Height(), other.m_header.biBitCount) == nullptr) return;
    std::copy(other.m_block.begin(), other.m_block.end(), m_block.begin());
}

}  // namespace widgets
