#include "ui/widgets/wrapping_static.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "handles/gdi_scopes.h"
#include "text/wide_text.h"
#include "ui/widgets/line_breaks.h"

namespace {

const UINT_PTR kSubclassId = 0x5752;  // "WR"

// The control's text in code page 932, where the line-break rules work.
std::string ControlText(HWND control) {
  const int length = ::GetWindowTextLengthW(control);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(control, &text[0], length + 1);
  return Cp932FromWide(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}

// Draws or measures a run of code page 932 text through the wide API.
int DrawCp932(HDC dc, const char* run, size_t length, RECT* rect, UINT flags) {
  const std::wstring wide = WideFromCp932(std::string(run, length));
  return ::DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect, flags);
}

UINT DrawFlags(HWND control) {
  const LONG style = ::GetWindowLongA(control, GWL_STYLE);
  return DT_SINGLELINE | DT_LEFT | DT_TOP | DT_EXPANDTABS | ((style & SS_NOPREFIX) ? DT_NOPREFIX : 0);
}

// The brush and colours a static asks its parent for before it paints.
HBRUSH AskParentForColours(HWND control, HDC dc) {
  const HWND parent = ::GetParent(control);
  auto brush = reinterpret_cast<HBRUSH>(::SendMessageW(
      parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
  if (brush) return brush;
  return reinterpret_cast<HBRUSH>(::DefWindowProcW(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(control)));
}

void PaintWrapped(HWND control, HDC dc) {
  RECT client;
  ::GetClientRect(control, &client);
  const HBRUSH brush = AskParentForColours(control, dc);
  if (brush) ::FillRect(dc, &client, brush);
  if (!::IsWindowEnabled(control)) ::SetTextColor(dc, ::GetSysColor(COLOR_GRAYTEXT));

  const auto font = reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0));
  ScopedSelection selected(dc, font);
  TEXTMETRICW metrics = {};
  ::GetTextMetricsW(dc, &metrics);

  const std::string text = ControlText(control);
  const UINT flags = DrawFlags(control);
  const TextWidth measure = [dc, flags](const char* run, size_t length) {
    RECT extent = {0, 0, 0, 0};
    DrawCp932(dc, run, length, &extent, flags | DT_CALCRECT);
    return static_cast<int>(extent.right - extent.left);
  };
  int top = client.top;
  for (const LineSpan& line : BreakCp932Lines(text, client.right - client.left, measure)) {
    if (top >= client.bottom) break;
    RECT lineRect = {client.left, top, client.right, top + metrics.tmHeight};
    if (line.length > 0) DrawCp932(dc, text.data() + line.begin, line.length, &lineRect, flags);
    top += metrics.tmHeight;
  }
}

LRESULT CALLBACK WrappingStaticProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
  switch (message) {
    case WM_PAINT: {
      ScopedPaintDc paint(control);
      if (paint.get()) PaintWrapped(control, paint.get());
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintWrapped(control, reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(control, WrappingStaticProc, kSubclassId);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

bool PaintStaticWithJapaneseLineBreaks(HWND control) {
  char className[16] = {};
  if (!control || !::GetClassNameA(control, className, sizeof className)) return false;
  if (lstrcmpiA(className, "Static") != 0) return false;
  if ((::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) != SS_LEFT) return false;
  return ::SetWindowSubclass(control, WrappingStaticProc, kSubclassId, 0) != FALSE;
}
