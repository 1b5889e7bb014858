#pragma once
// The installer's own window classes and the procedures it exports for them:
// "TARVINST" (the wizard pages), "BmpBut" (picture pane), "LineBut" (etched
// separator), "ProgBut" (progress bar) and "WwwBut" (coloured label).

#include <windows.h>

namespace tarvek::installer::win32 {

inline constexpr char kPageClass[] = "TARVINST";
// Sets the progress bar's value (wParam, 0 to 100); returns the current value.
inline constexpr UINT kSetProgressMessage = WM_USER + 100;

// Registers the five classes in their order; false at the first that fails.
bool registerWindowClasses(HINSTANCE instance);

}  // namespace tarvek::installer::win32

extern "C" {
__declspec(dllexport) LRESULT CALLBACK DlgIconWndProc(HWND, UINT, WPARAM, LPARAM);
__declspec(dllexport) LRESULT CALLBACK BmpButWndProc(HWND, UINT, WPARAM, LPARAM);
__declspec(dllexport) LRESULT CALLBACK LineButWndProc(HWND, UINT, WPARAM, LPARAM);
__declspec(dllexport) LRESULT CALLBACK ProgButWndProc(HWND, UINT, WPARAM, LPARAM);
__declspec(dllexport) LRESULT CALLBACK WwwButWndProc(HWND, UINT, WPARAM, LPARAM);
}
