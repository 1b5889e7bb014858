#include "installer/win32/WindowClasses.h"

#include <cstdio>
#include <string>
#include <vector>

#include "resources/WizardIds.h"

namespace tarvek::installer::win32 {
namespace {

// The bar's one value per process, as the bar of old kept it.
int g_progress = 0;

HFONT parentFont(HWND window) {
  return reinterpret_cast<HFONT>(SendMessageA(GetParent(window), WM_GETFONT, 0, 0));  // not ours
}

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  std::vector<char> buffer(length + 1, '\0');
  const int n = GetWindowTextA(window, buffer.data(), length + 1);
  return std::string(buffer.data(), n > 0 ? n : 0);
}

void drawLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void paintPicture(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  auto bitmap = reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, GWLP_USERDATA));
  BITMAP info{};
  if (bitmap && GetObjectA(bitmap, sizeof info, &info)) {
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, (client.right - info.bmWidth) / 2, (client.bottom - info.bmHeight) / 2, info.bmWidth, info.bmHeight,
           memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
  }
  // A sunken frame: dark top and left, light right and bottom.
  const int right = client.right - 1, bottom = client.bottom - 1;
  drawLine(dc, 0, bottom, 0, 0, GetSysColor(COLOR_WINDOWFRAME));
  drawLine(dc, 0, 0, right, 0, GetSysColor(COLOR_WINDOWFRAME));
  drawLine(dc, right, 0, right, bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
  drawLine(dc, right, bottom, -1, bottom, GetSysColor(COLOR_BTNHIGHLIGHT));
  EndPaint(window, &paint);
}

void paintSeparator(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  drawLine(dc, 0, 0, client.right, 0, GetSysColor(COLOR_BTNSHADOW));
  drawLine(dc, 0, 1, client.right, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
  EndPaint(window, &paint);
}

void paintProgress(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  HGDIOBJ oldFont = SelectObject(dc, parentFont(window));
  char text[16];
  std::snprintf(text, sizeof text, "%d%%", g_progress);
  SIZE extent{};
  GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &extent);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutA(dc, (client.right - extent.cx) / 2, 1, text, static_cast<int>(strlen(text)));
  // The covered part is inverted, the white bar and the black text alike.
  const int filled = g_progress * client.right / 100;
  if (filled > 0) {
    const int oldMode = SetROP2(dc, R2_NOTXORPEN);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
    HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
    Rectangle(dc, 0, 0, filled + 1, client.bottom + 1);  // a null pen leaves the last row and column out
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    SetROP2(dc, oldMode);
  }
  FrameRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  SelectObject(dc, oldFont);
  EndPaint(window, &paint);
}

void paintLabel(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  const std::string text = windowText(window);
  if (!text.empty()) {
    // The first character says how to align the rest: "C" centres it.
    const std::string shown = text.substr(1);
    HGDIOBJ oldFont = SelectObject(dc, parentFont(window));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 255));
    DrawTextA(dc, shown.c_str(), static_cast<int>(shown.size()), &client,
              (text[0] == 'C' ? DT_CENTER : DT_LEFT) | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(dc, oldFont);
  }
  EndPaint(window, &paint);
}

bool registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, HBRUSH background, int extraBytes,
                   HICON icon) {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = extraBytes;
  wc.hInstance = instance;
  wc.hIcon = icon;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
  const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_TARVINST));
  // The picture pane's brush lives as long as its class, to the program's end.
  return registerClass(instance, kPageClass, DlgIconWndProc, face, DLGWINDOWEXTRA, icon) &&
         registerClass(instance, "BmpBut", BmpButWndProc, CreateSolidBrush(RGB(0, 128, 128)), 0, nullptr) &&
         registerClass(instance, "LineBut", LineButWndProc, nullptr, 0, nullptr) &&
         registerClass(instance, "ProgBut", ProgButWndProc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)), 0,
                       nullptr) &&
         registerClass(instance, "WwwBut", WwwButWndProc, face, 0, nullptr);
}

}  // namespace tarvek::installer::win32

using namespace tarvek::installer::win32;

extern "C" LRESULT CALLBACK DlgIconWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefDlgProcA(window, message, wParam, lParam);
}

extern "C" LRESULT CALLBACK BmpButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
      SetWindowLongPtrA(window, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(LoadBitmapA(instance, MAKEINTRESOURCEA(IDB_WIZARD_PICTURE))));
      return 0;
    }
    case WM_PAINT:
      paintPicture(window);
      return 0;
    case WM_DESTROY:
      if (auto bitmap = reinterpret_cast<HBITMAP>(SetWindowLongPtrA(window, GWLP_USERDATA, 0))) DeleteObject(bitmap);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" LRESULT CALLBACK LineButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // never erased: the two lines cover it
    case WM_PAINT:
      paintSeparator(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" LRESULT CALLBACK ProgButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
    case WM_DESTROY:
      g_progress = 0;
      return 0;
    case kSetProgressMessage: {
      const int value = static_cast<int>(wParam);
      if (value >= 0 && value <= 100) {
        g_progress = value;
        InvalidateRect(window, nullptr, TRUE);
        UpdateWindow(window);
      }
      return g_progress;
    }
    case WM_PAINT:
      paintProgress(window);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

extern "C" LRESULT CALLBACK WwwButWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the label does not react to the mouse
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wParam, lParam);
      InvalidateRect(window, nullptr, TRUE);
      return result;
    }
    case WM_PAINT:
      try {
        paintLabel(window);
      } catch (...) {
        ValidateRect(window, nullptr);  // no exception unwinds through Windows
      }
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
