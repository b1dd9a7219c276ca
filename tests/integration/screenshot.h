// Screenshots of windows for the integration tests, saved as 24-bit BMP files
// so that a person can look at what the tests saw.
#pragma once

#include <windows.h>

#include <string>

// The folder screenshots go to: the environment variable QUORVEL_SCREENSHOTS,
// or the current folder when it is not set.
std::string screenshotFolder();

// Writes a 24-bit bottom-up BMP file. `rows` holds `height` rows of `width`
// pixels, blue-green-red, top row first, `stride` bytes apart.
bool writeBmp24(const std::string& path, int width, int height,
                const unsigned char* rows, size_t stride);

// Captures the window as it is drawn, frame included, and writes it to
// <screenshotFolder()>/<name>.bmp. Returns false if nothing could be saved.
bool saveWindowScreenshot(HWND window, const std::string& name);
