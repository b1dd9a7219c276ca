#include "integration/screenshot.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace {

void putU16(std::vector<unsigned char>& out, uint16_t value) {
  out.push_back(static_cast<unsigned char>(value & 0xFF));
  out.push_back(static_cast<unsigned char>(value >> 8));
}

void putU32(std::vector<unsigned char>& out, uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<unsigned char>(value >> shift));
}

// A memory device context holding a top-down 24-bit DIB of the window's size.
class Capture {
 public:
  Capture(HDC reference, int width, int height) : m_width(width), m_height(height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row 0 is the top row
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc = CreateCompatibleDC(reference);
    m_bitmap = CreateDIBSection(reference, &info, DIB_RGB_COLORS, &m_bits, nullptr, 0);
    if (m_dc && m_bitmap) m_previous = SelectObject(m_dc, m_bitmap);
  }
  ~Capture() {
    if (m_previous) SelectObject(m_dc, m_previous);
    if (m_bitmap) DeleteObject(m_bitmap);
    if (m_dc) DeleteDC(m_dc);
  }
  Capture(const Capture&) = delete;
  Capture& operator=(const Capture&) = delete;

  bool ready() const { return m_previous != nullptr && m_bits != nullptr; }
  HDC dc() const { return m_dc; }
  bool save(const std::string& path) const {
    GdiFlush();
    const size_t stride = (static_cast<size_t>(m_width) * 3 + 3) & ~static_cast<size_t>(3);
    return writeBmp24(path, m_width, m_height, static_cast<const unsigned char*>(m_bits), stride);
  }

 private:
  int m_width;
  int m_height;
  HDC m_dc = nullptr;
  HBITMAP m_bitmap = nullptr;
  HGDIOBJ m_previous = nullptr;
  void* m_bits = nullptr;
};

}  // namespace

std::string screenshotFolder() {
  const char* folder = std::getenv("QUORVEL_SCREENSHOTS");
  return folder && *folder ? folder : ".";
}

bool writeBmp24(const std::string& path, int width, int height,
                const unsigned char* rows, size_t stride) {
  if (width <= 0 || height <= 0 || !rows || stride < static_cast<size_t>(width) * 3) return false;
  const uint32_t rowBytes = (static_cast<uint32_t>(width) * 3 + 3) & ~3u;  // rows padded to 4 bytes
  const uint32_t imageBytes = rowBytes * static_cast<uint32_t>(height);
  const uint32_t headerBytes = 14 + 40;

  std::vector<unsigned char> file;
  file.reserve(headerBytes + imageBytes);
  file.push_back('B');
  file.push_back('M');
  putU32(file, headerBytes + imageBytes);
  putU32(file, 0);  // reserved
  putU32(file, headerBytes);
  putU32(file, 40);  // BITMAPINFOHEADER
  putU32(file, static_cast<uint32_t>(width));
  putU32(file, static_cast<uint32_t>(height));  // positive: bottom row first
  putU16(file, 1);                              // planes
  putU16(file, 24);
  putU32(file, BI_RGB);
  putU32(file, imageBytes);
  putU32(file, 3780);  // 96 dots per inch, in dots per metre
  putU32(file, 3780);
  putU32(file, 0);
  putU32(file, 0);
  for (int y = height - 1; y >= 0; --y) {
    const unsigned char* row = rows + static_cast<size_t>(y) * stride;
    file.insert(file.end(), row, row + static_cast<size_t>(width) * 3);
    file.insert(file.end(), rowBytes - static_cast<uint32_t>(width) * 3, 0);
  }

  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}

bool saveWindowScreenshot(HWND window, const std::string& name) {
  RECT frame;
  if (!IsWindow(window) || !GetWindowRect(window, &frame)) return false;
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  if (width <= 0 || height <= 0) return false;

  HDC screen = GetDC(nullptr);
  bool saved = false;
  {
    Capture capture(screen, width, height);
    // A window on screen is copied as the user sees it; one that is hidden
    // or partly off screen is asked to paint itself into the capture.
    const bool onScreen = IsWindowVisible(window) && frame.left >= 0 && frame.top >= 0 &&
                          frame.right <= GetSystemMetrics(SM_CXSCREEN) &&
                          frame.bottom <= GetSystemMetrics(SM_CYSCREEN);
    if (capture.ready()) {
      const bool drawn = onScreen ? BitBlt(capture.dc(), 0, 0, width, height, screen, frame.left,
                                           frame.top, SRCCOPY | CAPTUREBLT) != FALSE
                                  : PrintWindow(window, capture.dc(), 0) != FALSE;
      saved = drawn && capture.save(screenshotFolder() + "\\" + name + ".bmp");
    }
  }
  ReleaseDC(nullptr, screen);
  return saved;
}
