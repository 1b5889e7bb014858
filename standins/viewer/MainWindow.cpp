#include "standins/viewer/MainWindow.h"

#include <commctrl.h>

#include <cctype>
#include <string>
#include <vector>

#include "standins/viewer/DocumentView.h"
#include "standins/viewer/Output.h"
#include "standins/viewer/TestDialog.h"

namespace viewer {
namespace {

constexpr char kFrameClass[] = "TarvekStandInViewer";
constexpr char kDocumentClass[] = "TarvekStandInDocument";
constexpr UINT_PTR kToolRefreshTimer = 1;

std::string shortcutText(char shortcut, uint8_t modifiers) {
  if (!shortcut) return {};
  std::string text;
  // This viewer's meaning of the modifier bits: 4 Ctrl, 2 Alt, 1 Shift.
  if (modifiers & 4) text += "Ctrl+";
  if (modifiers & 2) text += "Alt+";
  if (modifiers & 1) text += "Shift+";
  return text + shortcut;
}

HMENU buildPopup(Menu& menu) {
  HMENU popup = CreatePopupMenu();
  menu.popup = popup;
  for (MenuItem* item : menu.items) {
    if (item->title == "-") {
      AppendMenuA(popup, MF_SEPARATOR, item->commandId, nullptr);
    } else if (item->submenu) {
      AppendMenuA(popup, MF_POPUP, reinterpret_cast<UINT_PTR>(buildPopup(*item->submenu)), item->title.c_str());
    } else {
      std::string text = item->title;
      const std::string keys = shortcutText(item->shortcut, item->modifiers);
      if (!keys.empty()) text += "\t" + keys;
      AppendMenuA(popup, MF_STRING, item->commandId, text.c_str());
    }
  }
  return popup;
}

// The viewer's own "Find" picture: a 16x16 box with a dot.
HBITMAP makeFindPicture(HWND window) {
  HDC screen = GetDC(window);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
  HGDIOBJ old = SelectObject(dc, bitmap);
  RECT all{0, 0, 16, 16};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH)));
  Ellipse(dc, 2, 2, 12, 12);
  MoveToEx(dc, 10, 10, nullptr);
  LineTo(dc, 15, 15);
  SelectObject(dc, old);
  DeleteDC(dc);
  ReleaseDC(window, screen);
  return bitmap;
}

}  // namespace

MainWindow::MainWindow(Host& host) : host_(host) {}

MainWindow::~MainWindow() {
  if (images_) ImageList_Destroy(images_);
  if (findPicture_) DeleteObject(findPicture_);
}

bool MainWindow::create(HINSTANCE instance) {
  instance_ = instance;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSA frameClass{};
  frameClass.lpfnWndProc = &MainWindow::frameProcedure;
  frameClass.hInstance = instance;
  frameClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
  frameClass.lpszClassName = kFrameClass;
  RegisterClassA(&frameClass);
  WNDCLASSA documentClass = frameClass;
  documentClass.lpfnWndProc = &MainWindow::documentProcedure;
  documentClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  documentClass.lpszClassName = kDocumentClass;
  RegisterClassA(&documentClass);

  frame_ = CreateWindowExA(0, kFrameClass, "Viewer", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, 900, 640,
                           nullptr, nullptr, instance, this);
  if (!frame_) return false;
  toolbar_ = CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS | TBSTYLE_FLAT,
                             0, 0, 0, 0, frame_, nullptr, instance, nullptr);
  SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  findPicture_ = makeFindPicture(frame_);
  host_.frame = frame_;
  host_.onMenusChanged = [this] { rebuildMenus(); };
  host_.onToolsChanged = [this] { rebuildToolBar(); };
  host_.onDocumentChanged = [this](Document& document) { showDocument(document); };

  // The viewer's own menus and button.
  Menu* file = host_.newMenu("&File", "File", nullptr);
  MenuItem* test = host_.newItem("&Test dialog...", "ViewerTestDialog", nullptr);
  test->builtIn = [] { runTestDialog(GetModuleHandleA(nullptr), host().frame); };
  host_.appendItem(file, test);
  MenuItem* exit = host_.newItem("E&xit", "Exit", nullptr);
  exit->builtIn = [] { PostMessageA(host().frame, WM_CLOSE, 0, 0); };
  host_.menubar().push_back(file);
  file->onBar = true;
  host_.appendItem(file, exit);
  for (const std::string& name : host_.options().existingMenus) {
    Menu* menu = host_.newMenu(name, name, nullptr);
    host_.menubar().push_back(menu);
    menu->onBar = true;
  }
  Menu* help = host_.newMenu("&Help", "Help", nullptr);
  host_.menubar().push_back(help);
  help->onBar = true;
  const struct {
    const char* title;
    const char* name;
  } extensionMenus[] = {{"About Plug-ins", "AboutExtensions"}, {"Plug-in Help", "UsingExtensions"}};
  for (const auto& each : extensionMenus) {
    if (host_.options().lackingMenus.count(each.name)) continue;
    MenuItem* holder = host_.newItem(each.title, std::string(each.name) + "Item", nullptr);
    holder->submenu = host_.newMenu(each.title, each.name, nullptr);
    host_.appendItem(help, holder);
  }
  ToolButton* find = host_.newButton("Find");
  find->helpText = "Find";
  find->bitmap = static_cast<HBITMAP>(CopyImage(findPicture_, IMAGE_BITMAP, 0, 0, 0));
  host_.toolbar().push_back(find);
  find->onBar = true;

  rebuildMenus();
  rebuildToolBar();
  SetTimer(frame_, kToolRefreshTimer, 500, nullptr);
  ShowWindow(frame_, SW_SHOW);
  UpdateWindow(frame_);
  return true;
}

void MainWindow::rebuildMenus() {
  if (!frame_) return;
  HMENU bar = CreateMenu();
  for (auto& menu : host_.allMenus()) menu->popup = nullptr;
  for (Menu* menu : host_.menubar())
    AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(buildPopup(*menu)), menu->title.c_str());
  HMENU old = GetMenu(frame_);
  SetMenu(frame_, bar);
  if (old) DestroyMenu(old);
  DrawMenuBar(frame_);
}

void MainWindow::rebuildToolBar() {
  if (!toolbar_) return;
  while (SendMessageA(toolbar_, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageA(toolbar_, TB_DELETEBUTTON, 0, 0);
  if (images_) ImageList_Destroy(images_);
  images_ = ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 8, 8);
  std::vector<TBBUTTON> buttons;
  for (ToolButton* button : host_.toolbar()) {
    TBBUTTON b{};
    b.idCommand = static_cast<int>(button->commandId);
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = button->separator ? BTNS_SEP : BTNS_BUTTON;
    // The light grey of a button face is transparent, so disabled buttons draw embossed.
    b.iBitmap = button->bitmap ? ImageList_AddMasked(images_, button->bitmap, RGB(192, 192, 192)) : I_IMAGENONE;
    buttons.push_back(b);
  }
  SendMessageA(toolbar_, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  if (!buttons.empty())
    SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
  refreshToolBar();
}

void MainWindow::refreshToolBar() {
  if (!toolbar_) return;
  for (ToolButton* button : host_.toolbar())
    SendMessageA(toolbar_, TB_ENABLEBUTTON, button->commandId, MAKELONG(host_.enabled(*button) ? TRUE : FALSE, 0));
}

void MainWindow::showDocument(Document& document) {
  if (!document.window) {
    const int offset = 30 * static_cast<int>(host_.documents().size() % 8);
    document.window = CreateWindowExA(0, kDocumentClass, document.path.c_str(),
                                      WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120 + offset, 120 + offset, 620, 420,
                                      frame_, nullptr, instance_, &document);
  }
  if (document.window) {
    lastDocument_ = document.window;
    ShowWindow(document.window, SW_SHOWNOACTIVATE);
    InvalidateRect(document.window, nullptr, TRUE);
    SetWindowPos(document.window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

void MainWindow::onInitMenu(HMENU popup) {
  for (auto& menu : host_.allMenus()) {
    if (menu->popup != popup) continue;
    for (MenuItem* item : menu->items)
      if (!item->submenu)
        EnableMenuItem(popup, item->commandId, MF_BYCOMMAND | (host_.enabled(*item) ? MF_ENABLED : MF_GRAYED));
  }
}

void MainWindow::onCommand(UINT id, HWND control) {
  if (control && control == toolbar_) {
    if (ToolButton* button = host_.buttonByCommand(id))
      if (host_.enabled(*button)) host_.execute(*button);
    return;
  }
  if (MenuItem* item = host_.itemByCommand(id))
    if (host_.enabled(*item)) host_.execute(*item);
}

bool MainWindow::runShortcut(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root != frame_ && GetWindow(root, GW_OWNER) != frame_) return false;
  char key = 0;
  if (message.wParam >= 'A' && message.wParam <= 'Z') key = static_cast<char>(message.wParam);
  else if (message.wParam == VK_MULTIPLY) key = '*';
  if (!key) return false;
  uint8_t modifiers = 0;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= 4;
  if (GetKeyState(VK_MENU) < 0) modifiers |= 2;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= 1;
  for (auto& item : host_.allItems()) {
    if (!item->parent || item->shortcut == 0 || item->modifiers != modifiers) continue;
    if (std::toupper(static_cast<unsigned char>(item->shortcut)) != key) continue;
    if (host_.enabled(*item)) host_.execute(*item);
    return true;
  }
  return false;
}

void MainWindow::layout() {
  if (toolbar_) SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITMENUPOPUP:
      onInitMenu(reinterpret_cast<HMENU>(wParam));
      return 0;
    case WM_COMMAND:
      onCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lParam);
      if (header->code == TTN_GETDISPINFOA) {
        auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
        static std::string tip;  // must outlive this message
        ToolButton* button = host_.buttonByCommand(static_cast<UINT>(header->idFrom));
        tip = button ? button->helpText : "";
        info->lpszText = tip.data();
      }
      return 0;
    }
    case WM_TIMER:
      if (wParam == kToolRefreshTimer) refreshToolBar();
      return 0;
    case WM_SIZE:
      layout();
      return 0;
    case WM_CLOSE:
      // Plug-ins go first, while the frame and their windows still exist.
      if (!closing_) {
        closing_ = true;
        if (onClosing) onClosing();
        KillTimer(frame_, kToolRefreshTimer);
        DestroyWindow(frame_);
      }
      return 0;
    case WM_DESTROY:
      host_.onMenusChanged = nullptr;
      host_.onToolsChanged = nullptr;
      host_.onDocumentChanged = nullptr;
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(frame_, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::frameProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->frame_ = hwnd;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  }
  if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
  try {
    return self->handle(message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

LRESULT CALLBACK MainWindow::documentProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  try {
    return documentMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    return 0;  // no exception unwinds through Windows
  }
}

LRESULT MainWindow::documentMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE)
    SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
  auto* document = reinterpret_cast<Document*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_PAINT && document) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    paintDocument(hwnd, dc, *document);
    EndPaint(hwnd, &paint);
    return 0;
  }
  if (message == WM_CLOSE && document) {
    // The viewer keeps the document open; its window only hides.
    ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

}  // namespace viewer
