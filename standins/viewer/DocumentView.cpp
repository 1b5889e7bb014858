#include "standins/viewer/DocumentView.h"

#include <set>
#include <string>
#include <vector>

#include "standins/engine/WordText.h"
#include "standins/viewer/PageText.h"

namespace viewer {
namespace {

constexpr COLORREF kHighlight = RGB(255, 230, 0);
constexpr int kMargin = 8;
constexpr int kLineHeight = 18;

void line(HDC dc, int* y, const std::string& text) {
  TextOutA(dc, kMargin, *y, text.c_str(), static_cast<int>(text.size()));
  *y += kLineHeight;
}

}  // namespace

void paintDocument(HWND window, HDC dc, Document& document) {
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));  // a stock object: not ours to delete
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  int y = kMargin;
  line(dc, &y, "File: " + document.path);
  line(dc, &y, "Page shown: " + std::to_string(document.shownPage + 1) + " of " +
                   std::to_string(document.pageCount) + " (index " + std::to_string(document.shownPage) + ")");
  const bool selectionShown = document.selectionPage >= 0 && document.selectionPage == document.shownPage;
  std::string positions = "Selected word positions:";
  if (document.selectionPage < 0) {
    positions += " none";
  } else {
    positions += " page index " + std::to_string(document.selectionPage) + ":";
    for (int word : selectedWords(document.selection)) positions += " " + std::to_string(word);
  }
  line(dc, &y, positions);

  RECT client{};
  GetClientRect(window, &client);
  y += 4;
  MoveToEx(dc, kMargin, y, nullptr);
  LineTo(dc, client.right - kMargin, y);
  y += 8;

  if (document.textPage != document.shownPage) {
    const std::optional<std::string> text = pdfPageTextOfFile(document.path, document.shownPage);
    document.textPage = document.shownPage;
    document.hasText = text.has_value();
    document.text = text ? tarvek::sbi::joinLineEndHyphens(*text) : std::string();
  }
  if (!document.hasText) {
    line(dc, &y, "(no text on this page)");
    SelectObject(dc, oldFont);
    return;
  }

  // Which bytes belong to a selected word.
  std::set<int> selected;
  if (selectionShown)
    for (int word : selectedWords(document.selection)) selected.insert(word);
  std::vector<bool> marked(document.text.size(), false);
  int position = 0;
  tarvek::sbi::forEachWord(document.text, [&](std::string_view word, size_t offset) {
    if (selected.count(position))
      for (size_t i = 0; i < word.size(); ++i) marked[offset + i] = true;
    ++position;
  });

  // Line by line, in runs of the same marking; long lines wrap at the window's edge.
  HBRUSH brush = CreateSolidBrush(kHighlight);
  const std::string& text = document.text;
  int x = kMargin;
  for (size_t start = 0; start < text.size();) {
    if (text[start] == '\n') {
      x = kMargin;
      y += kLineHeight;
      ++start;
      continue;
    }
    size_t end = start;
    while (end < text.size() && text[end] != '\n' && marked[end] == marked[start] &&
           (end == start || text[end - 1] != ' '))
      ++end;
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str() + start, static_cast<int>(end - start), &size);
    if (x > kMargin && x + size.cx > client.right - kMargin) {
      x = kMargin;
      y += kLineHeight;
    }
    if (marked[start]) {
      RECT box{x - 1, y - 1, x + size.cx + 1, y + size.cy + 1};
      FillRect(dc, &box, brush);
    }
    TextOutA(dc, x, y, text.c_str() + start, static_cast<int>(end - start));
    x += size.cx;
    start = end;
  }
  DeleteObject(brush);
  SelectObject(dc, oldFont);
}

}  // namespace viewer
