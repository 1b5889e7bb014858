// The installer's own window classes and message boxes, in this process.

#include <windows.h>

#include <gtest/gtest.h>

#include "installer/win32/MessageBoxes.h"
#include "installer/win32/ProgressWindow.h"
#include "installer/win32/WindowClasses.h"
#include "resources/WizardIds.h"

namespace tarvek::installer::win32 {
namespace {

// The classes are registered once per process, by whichever test comes first.
bool classesRegistered() {
  static const bool registered = registerWindowClasses(GetModuleHandleA(nullptr));
  return registered;
}

TEST(InstallerWindowsTest, TheProgressBarKeepsOneValueFrom0To100) {
  ASSERT_TRUE(classesRegistered());
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 40, nullptr, nullptr, nullptr, nullptr);
  HWND bar = CreateWindowA("ProgBut", "", WS_CHILD | WS_VISIBLE, 0, 0, 200, 16, parent, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, 40, 0), 40);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, 101, 0), 40);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, static_cast<WPARAM>(-1), 0), 40);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, 100, 0), 100);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, 0, 0), 0);
  SendMessageA(bar, kSetProgressMessage, 70, 0);
  // The value is the process's: a new bar starts again at 0.
  HWND second = CreateWindowA("ProgBut", "", WS_CHILD, 0, 20, 200, 16, parent, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, static_cast<WPARAM>(-1), 0), 0);
  DestroyWindow(second);
  DestroyWindow(parent);
}

TEST(InstallerWindowsTest, TheProgressWindowShowsValueAndStatusWithItsAmpersand) {
  ASSERT_TRUE(classesRegistered());
  ProgressWindow progress(GetModuleHandleA(nullptr));
  ASSERT_TRUE(progress.open());
  progress.setProgress(30);
  progress.setProgress(55, "Kop\xEDrovanie s\xFA" "boru A & B.dll");
  HWND bar = GetDlgItem(progress.hwnd(), IDC_PROGRESS_BAR);
  EXPECT_EQ(SendMessageA(bar, kSetProgressMessage, static_cast<WPARAM>(-1), 0), 55);
  char status[100] = {};
  GetDlgItemTextA(progress.hwnd(), IDC_PROGRESS_STATUS, status, sizeof status);
  EXPECT_STREQ(status, "Kop\xEDrovanie s\xFA" "boru A & B.dll");
  EXPECT_TRUE(GetWindowLongA(GetDlgItem(progress.hwnd(), IDC_PROGRESS_STATUS), GWL_STYLE) & SS_NOPREFIX);
  EXPECT_EQ(GetWindowLongA(progress.hwnd(), GWL_STYLE) & WS_CAPTION, 0);
  progress.close();
  EXPECT_EQ(progress.hwnd(), nullptr);
}

TEST(InstallerWindowsTest, ASecondRegistrationFails) {
  ASSERT_TRUE(classesRegistered());
  EXPECT_FALSE(registerWindowClasses(GetModuleHandleA(nullptr)));
}

TEST(InstallerWindowsTest, TypeBytesChooseIconAndButtons) {
  EXPECT_EQ(messageBoxStyle(1), static_cast<UINT>(MB_ICONSTOP | MB_OK));
  EXPECT_EQ(messageBoxStyle(2), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
  EXPECT_EQ(messageBoxStyle(3), static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
  for (int type : {4, 5, 6}) EXPECT_EQ(messageBoxStyle(type), static_cast<UINT>(MB_ICONINFORMATION | MB_OK));
  EXPECT_EQ(messageBoxStyle(0), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
  EXPECT_EQ(messageBoxStyle(7), static_cast<UINT>(MB_ICONEXCLAMATION | MB_OK));
}

}  // namespace
}  // namespace tarvek::installer::win32
