#include "tools/window_reading/window_probe.h"

#include <cstring>

RECT ControlClientRect(HWND dialog, int controlId) {
  RECT rect = {};
  const HWND control = GetDlgItem(dialog, controlId);
  if (!control) return rect;
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string WindowTextOf(HWND window) {
  char text[4096] = {};
  const LRESULT length = SendMessageA(window, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
  return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string ControlText(HWND dialog, int controlId) { return WindowTextOf(GetDlgItem(dialog, controlId)); }

bool ControlVisible(HWND dialog, int controlId) {
  const HWND control = GetDlgItem(dialog, controlId);
  return control && (GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE);
}

bool ControlEnabled(HWND dialog, int controlId) {
  const HWND control = GetDlgItem(dialog, controlId);
  return control && IsWindowEnabled(control);
}

SIZE ClientSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

int FocusedControlId(HWND window) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
  if (GetParent(info.hwndFocus) != window) return -1;
  return GetDlgCtrlID(info.hwndFocus);
}

std::string MessageBoxText(HWND box) { return WindowTextOf(GetDlgItem(box, 0xFFFF)); }

void PressButton(HWND dialog, int controlId) {
  PostMessageA(GetDlgItem(dialog, controlId), BM_CLICK, 0, 0);
}

Pixels CaptureClient(HWND window, const RECT& clientRect) {
  Pixels pixels;
  pixels.width = clientRect.right - clientRect.left;
  pixels.height = clientRect.bottom - clientRect.top;
  if (pixels.width <= 0 || pixels.height <= 0) return pixels;
  POINT origin = {clientRect.left, clientRect.top};
  ClientToScreen(window, &origin);

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.width;
  info.bmiHeader.biHeight = -pixels.height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  const HDC screen = GetDC(nullptr);
  const HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HDC memory = CreateCompatibleDC(screen);
  const HGDIOBJ previous = SelectObject(memory, section);
  BitBlt(memory, 0, 0, pixels.width, pixels.height, screen, origin.x, origin.y, SRCCOPY);
  GdiFlush();
  pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
  const DWORD* source = static_cast<const DWORD*>(bits);
  for (size_t i = 0; i < pixels.rgb.size(); ++i) pixels.rgb[i] = source[i] & 0xFFFFFF;
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(section);
  ReleaseDC(nullptr, screen);
  return pixels;
}

Pixels LoadPictureResource(const std::string& exePath, int bitmapId) {
  Pixels pixels;
  const HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return pixels;
  const HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(bitmapId), reinterpret_cast<LPCSTR>(RT_BITMAP));
  const BYTE* data = info ? static_cast<const BYTE*>(LockResource(LoadResource(module, info))) : nullptr;
  if (data) {
    BITMAPINFOHEADER header;
    std::memcpy(&header, data, sizeof(header));
    const BYTE* table = data + header.biSize;
    const BYTE* rows = table + 1024;
    const int stride = (header.biWidth + 3) / 4 * 4;
    pixels.width = header.biWidth;
    pixels.height = header.biHeight;
    pixels.rgb.resize(static_cast<size_t>(pixels.width) * pixels.height);
    for (int y = 0; y < pixels.height; ++y) {
      const BYTE* row = rows + static_cast<size_t>(pixels.height - 1 - y) * stride;
      for (int x = 0; x < pixels.width; ++x) {
        const BYTE* entry = table + 4 * row[x];
        pixels.rgb[static_cast<size_t>(y) * pixels.width + x] = (entry[2] << 16) | (entry[1] << 8) | entry[0];
      }
    }
  }
  FreeLibrary(module);
  return pixels;
}

int CountDifferences(const Pixels& shown, const Pixels& picture, int width, int height) {
  if (shown.width < width || shown.height < height || picture.width < width || picture.height < height) {
    return width * height;
  }
  int differences = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) differences += shown.At(x, y) != picture.At(x, y);
  }
  return differences;
}

bool SaveClientScreenshot(HWND window, const std::string& path) {
  const SIZE size = ClientSize(window);
  const Pixels pixels = CaptureClient(window, RECT{0, 0, size.cx, size.cy});
  if (pixels.rgb.empty()) return false;
  const int stride = (pixels.width * 3 + 3) / 4 * 4;
  BITMAPFILEHEADER file = {};
  BITMAPINFOHEADER header = {};
  header.biSize = sizeof(header);
  header.biWidth = pixels.width;
  header.biHeight = pixels.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biSizeImage = stride * pixels.height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  std::vector<BYTE> rows(header.biSizeImage);
  for (int y = 0; y < pixels.height; ++y) {
    BYTE* row = rows.data() + static_cast<size_t>(pixels.height - 1 - y) * stride;
    for (int x = 0; x < pixels.width; ++x) {
      const DWORD rgb = pixels.At(x, y);
      row[3 * x] = rgb & 0xFF;
      row[3 * x + 1] = (rgb >> 8) & 0xFF;
      row[3 * x + 2] = (rgb >> 16) & 0xFF;
    }
  }
  const HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (out == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(out, &file, sizeof(file), &written, nullptr) &&
            WriteFile(out, &header, sizeof(header), &written, nullptr) &&
            WriteFile(out, rows.data(), static_cast<DWORD>(rows.size()), &written, nullptr);
  CloseHandle(out);
  return ok;
}

Pixels PictureRows(const Pixels& picture, int top, int height) {
  Pixels rows;
  if (top < 0 || height <= 0 || top + height > picture.height) return rows;
  rows.width = picture.width;
  rows.height = height;
  rows.rgb.assign(picture.rgb.begin() + static_cast<size_t>(top) * picture.width,
                  picture.rgb.begin() + static_cast<size_t>(top + height) * picture.width);
  return rows;
}

