#include "tools/texgen/contact_sheets.h"

#include <algorithm>
#include <cstring>

#include "tools/texgen/pixel_font.h"

namespace {

constexpr int overviewCell = 256;
constexpr int overviewColumns = 4;
constexpr int tilingCell = 128;  // one tile of a 3 x 3 block
constexpr int tilingRepeats = 3;
constexpr int tilingColumns = 3;
constexpr int margin = 12;
constexpr int labelScale = 2;
constexpr int labelBand = glyphHeight * labelScale + 2 * margin;
constexpr uint8_t background[3] = {40, 40, 44};
constexpr uint8_t labelColor[3] = {235, 235, 235};

// The picture box-filtered down (or repeated up) to side x side pixels.
RgbImage resample(const ColorImage& picture, int side) {
  RgbImage out;
  out.width = out.height = side;
  out.pixels.resize(static_cast<size_t>(side) * side * 3);
  const std::vector<uint8_t> bytes = toRgbBytes(picture);
  const int stepX = std::max(1, picture.width / side), stepY = std::max(1, picture.height / side);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      int sum[3] = {0, 0, 0};
      const int sx0 = x * picture.width / side, sy0 = y * picture.height / side;
      for (int sy = sy0; sy < sy0 + stepY; ++sy) {
        for (int sx = sx0; sx < sx0 + stepX; ++sx) {
          for (int c = 0; c < 3; ++c) sum[c] += bytes[(static_cast<size_t>(sy) * picture.width + sx) * 3 + c];
        }
      }
      for (int c = 0; c < 3; ++c) out.pixel(x, y)[c] = static_cast<uint8_t>(sum[c] / (stepX * stepY));
    }
  }
  return out;
}

void blit(RgbImage& sheet, const RgbImage& tile, int left, int top) {
  for (int y = 0; y < tile.height; ++y) {
    std::memcpy(sheet.pixel(left, top + y), tile.pixel(0, y), static_cast<size_t>(tile.width) * 3);
  }
}

RgbImage blankSheet(int width, int height) {
  RgbImage sheet;
  sheet.width = width;
  sheet.height = height;
  sheet.pixels.resize(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < sheet.pixels.size(); ++i) sheet.pixels[i] = background[i % 3];
  return sheet;
}

// Lays pictures out in a grid of blocks, each filled by drawBlock and
// labelled beneath with its name.
template <typename DrawBlock>
RgbImage layOut(const std::vector<NamedPicture>& pictures, int block, int columns,
                DrawBlock drawBlock) {
  const int count = static_cast<int>(pictures.size());
  const int rows = (count + columns - 1) / columns;
  const int cellWidth = block + margin, cellHeight = block + labelBand;
  RgbImage sheet = blankSheet(columns * cellWidth + margin, rows * cellHeight + margin);
  for (int i = 0; i < count; ++i) {
    const int left = margin + (i % columns) * cellWidth, top = margin + (i / columns) * cellHeight;
    drawBlock(sheet, pictures[i].picture, left, top);
    const int labelLeft = left + (block - textWidth(pictures[i].name, labelScale)) / 2;
    drawText(sheet, labelLeft, top + block + margin, pictures[i].name, labelScale, labelColor);
  }
  return sheet;
}

}  // namespace

RgbImage makeOverviewSheet(const std::vector<NamedPicture>& pictures) {
  return layOut(pictures, overviewCell, overviewColumns,
                [](RgbImage& sheet, const ColorImage& picture, int left, int top) {
                  blit(sheet, resample(picture, overviewCell), left, top);
                });
}

RgbImage makeTilingSheet(const std::vector<NamedPicture>& pictures) {
  return layOut(pictures, tilingCell * tilingRepeats, tilingColumns,
                [](RgbImage& sheet, const ColorImage& picture, int left, int top) {
                  const RgbImage tile = resample(picture, tilingCell);
                  for (int ty = 0; ty < tilingRepeats; ++ty) {
                    for (int tx = 0; tx < tilingRepeats; ++tx) {
                      blit(sheet, tile, left + tx * tilingCell, top + ty * tilingCell);
                    }
                  }
                });
}
