#include "standins/viewer/Screenshot.h"

#include <cstdint>
#include <cstdio>
#include <vector>

namespace viewer {
namespace {

void put32be(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

uint32_t crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void chunk(std::vector<uint8_t>& png, const char* type, const std::vector<uint8_t>& data) {
  put32be(png, static_cast<uint32_t>(data.size()));
  const size_t start = png.size();
  png.insert(png.end(), type, type + 4);
  png.insert(png.end(), data.begin(), data.end());
  put32be(png, crc32(png.data() + start, png.size() - start));
}

// A PNG whose image data is zlib with stored (uncompressed) blocks: large but
// needs no compressor.
std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgbTopDown) {
  std::vector<uint8_t> raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    raw.insert(raw.end(), rgbTopDown.begin() + y * width * 3, rgbTopDown.begin() + (y + 1) * width * 3);
  }
  std::vector<uint8_t> z = {0x78, 0x01};
  for (size_t at = 0; at < raw.size() || at == 0;) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z.push_back(at + n >= raw.size() ? 1 : 0);
    z.push_back(n & 0xFF);
    z.push_back(n >> 8);
    z.push_back(~n & 0xFF);
    z.push_back((~n >> 8) & 0xFF);
    z.insert(z.end(), raw.begin() + at, raw.begin() + at + n);
    at += n;
    if (n == 0) break;
  }
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  put32be(z, (b << 16) | a);
  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
  std::vector<uint8_t> header;
  put32be(header, width);
  put32be(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  chunk(png, "IHDR", header);
  chunk(png, "IDAT", z);
  chunk(png, "IEND", {});
  return png;
}

std::vector<uint8_t> encodeBmp(int width, int height, const std::vector<uint8_t>& rgbTopDown) {
  const int stride = (width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = stride * height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<uint8_t> out(reinterpret_cast<uint8_t*>(&file), reinterpret_cast<uint8_t*>(&file) + sizeof file);
  out.insert(out.end(), reinterpret_cast<uint8_t*>(&info), reinterpret_cast<uint8_t*>(&info) + sizeof info);
  for (int y = height - 1; y >= 0; --y) {
    for (int x = 0; x < width; ++x) {
      const uint8_t* p = &rgbTopDown[(y * width + x) * 3];
      out.insert(out.end(), {p[2], p[1], p[0]});
    }
    out.insert(out.end(), stride - width * 3, 0);
  }
  return out;
}

}  // namespace

bool saveWindowPicture(HWND window, const std::string& path) {
  RECT rect;
  if (!GetWindowRect(window, &rect)) return false;
  const int width = rect.right - rect.left, height = rect.bottom - rect.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool ok = false;
  if (bitmap) {
    HGDIOBJ old = SelectObject(dc, bitmap);
    // What the screen shows there, with windows on top of it (documents over
    // the frame); pending paints are finished first.
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    ok = BitBlt(dc, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    SelectObject(dc, old);
  }
  std::vector<uint8_t> rgb;
  if (ok) {
    const int stride = (width * 3 + 3) & ~3;
    const auto* source = static_cast<const uint8_t*>(bits);
    rgb.reserve(width * height * 3);
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const uint8_t* p = source + y * stride + x * 3;
        rgb.insert(rgb.end(), {p[2], p[1], p[0]});
      }
  }
  if (bitmap) DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  if (!ok) return false;
  const bool png = path.size() > 4 && lstrcmpiA(path.c_str() + path.size() - 4, ".png") == 0;
  const std::vector<uint8_t> bytes = png ? encodePng(width, height, rgb) : encodeBmp(width, height, rgb);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace viewer
