#include "tools/texgen/texture_files.h"

#include <cstdio>

namespace {

constexpr uint32_t fileHeaderBytes = 14;
constexpr uint32_t infoHeaderBytes = 40;
constexpr uint16_t planes = 1;
constexpr uint16_t bitsPerPixel = 24;
constexpr uint32_t pixelsPerMetre = 2835;  // 72 dots per inch
constexpr size_t bytesPerPixel = 3;
constexpr size_t rowAlignment = 4;

void put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t value) {
  put16(out, value & 0xffffu);
  put16(out, value >> 16);
}

}  // namespace

std::vector<uint8_t> encodeBmp(const ColorImage& image) {
  const std::vector<uint8_t> rgb = toRgbBytes(image);
  const size_t rowBytes = image.width * bytesPerPixel;
  const size_t stride = (rowBytes + rowAlignment - 1) / rowAlignment * rowAlignment;
  const uint32_t dataBytes = static_cast<uint32_t>(stride * image.height);
  const uint32_t offset = fileHeaderBytes + infoHeaderBytes;

  std::vector<uint8_t> out;
  out.reserve(offset + dataBytes);
  out.push_back('B');
  out.push_back('M');
  put32(out, offset + dataBytes);
  put32(out, 0);  // reserved
  put32(out, offset);
  put32(out, infoHeaderBytes);
  put32(out, static_cast<uint32_t>(image.width));
  put32(out, static_cast<uint32_t>(image.height));
  put16(out, planes);
  put16(out, bitsPerPixel);
  put32(out, 0);  // no compression
  put32(out, dataBytes);
  put32(out, pixelsPerMetre);
  put32(out, pixelsPerMetre);
  put32(out, 0);  // no palette
  put32(out, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const uint8_t* row = &rgb[y * rowBytes];
    for (size_t i = 0; i < rowBytes; i += bytesPerPixel) {
      out.push_back(row[i + 2]);
      out.push_back(row[i + 1]);
      out.push_back(row[i]);
    }
    out.resize(out.size() + stride - rowBytes, 0);
  }
  return out;
}

std::vector<uint8_t> encodeRaw(const ColorImage& image) {
  const std::vector<uint8_t> rgb = toRgbBytes(image);
  const size_t rowBytes = image.width * bytesPerPixel;
  std::vector<uint8_t> out;
  out.reserve(rgb.size());
  for (int y = image.height - 1; y >= 0; --y) {
    out.insert(out.end(), rgb.begin() + y * rowBytes, rgb.begin() + (y + 1) * rowBytes);
  }
  return out;
}

bool writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) std::fprintf(stderr, "error while writing %s\n", path.c_str());
  return written && closed;
}
