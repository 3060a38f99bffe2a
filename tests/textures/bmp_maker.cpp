#include "tests/textures/bmp_maker.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace {

constexpr uint32_t headerBytes = 54;
constexpr uint32_t infoHeaderBytes = 40;
constexpr uint32_t topDownBit = 0x80000000u;
constexpr size_t bytesPerPixel = 3;

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xffffu);
  put16(out, value >> 16);
}

}  // namespace

void testPixel(int x, int row, uint8_t rgb[3]) {
  rgb[0] = static_cast<uint8_t>(17 + 29 * x + 3 * row);
  rgb[1] = static_cast<uint8_t>(64 + 41 * row + x);
  rgb[2] = static_cast<uint8_t>(200 - 11 * x - 23 * row);
}

int layoutWidth(const BmpLayout& layout) { return static_cast<int>(layout.widthField); }

int layoutRows(const BmpLayout& layout) {
  return static_cast<int>((layout.heightField & topDownBit) ? 0u - layout.heightField : layout.heightField);
}

std::vector<uint8_t> buildBmp(const BmpLayout& layout) {
  const int width = layoutWidth(layout), rows = layoutRows(layout);
  const size_t rowBytes = width * bytesPerPixel, stride = (rowBytes + 3) / 4 * 4;
  const uint32_t offset = headerBytes + layout.gapBytes;
  const uint32_t dataBytes = static_cast<uint32_t>(stride * rows);
  std::vector<uint8_t> out = {'B', 'M'};
  put32(out, offset + dataBytes);
  put32(out, 0);
  put32(out, layout.recordDataOffset ? offset : 0);
  put32(out, infoHeaderBytes);
  put32(out, layout.widthField);
  put32(out, layout.heightField);
  put16(out, layout.planes);
  put16(out, layout.bitsPerPixel);
  for (int i = 0; i < 6; ++i) put32(out, 0);  // compression, size, resolution, palette
  for (uint32_t i = 0; i < layout.gapBytes; ++i) out.push_back(static_cast<uint8_t>(0xA5 ^ i));
  const bool topDown = (layout.heightField & topDownBit) != 0;
  for (int stored = 0; stored < rows; ++stored) {
    const int row = topDown ? rows - 1 - stored : stored;
    for (int x = 0; x < width; ++x) {
      uint8_t rgb[3];
      testPixel(x, row, rgb);
      out.insert(out.end(), {rgb[2], rgb[1], rgb[0]});
    }
    out.resize(out.size() + stride - rowBytes, layout.paddingByte);
  }
  out.resize(out.size() - std::min(layout.dataBytesDropped, static_cast<size_t>(dataBytes)));
  return out;
}

std::vector<uint8_t> expectedPixels(const BmpLayout& layout) {
  std::vector<uint8_t> pixels;
  for (int row = 0; row < layoutRows(layout); ++row) {
    for (int x = 0; x < layoutWidth(layout); ++x) {
      uint8_t rgb[3];
      testPixel(x, row, rgb);
      pixels.insert(pixels.end(), rgb, rgb + 3);
    }
  }
  return pixels;
}

void patch32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<uint8_t>(value >> (8 * i));
}


std::string withBackslash(const std::string& path) {
  std::string written = path;
  const size_t slash = written.rfind('/');
  if (slash != std::string::npos) written[slash] = '\\';
  return written;
}
