#include "winfw/wnd.h"

#include "text/wide_text.h"

void CWnd::SetText(const char* text) const { ::SetWindowTextW(m_hWnd, WideFromCp932(text).c_str()); }

std::string CWnd::GetText() const {
  const int length = ::GetWindowTextLengthW(m_hWnd);
  if (length <= 0) return std::string();
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const int copied = ::GetWindowTextW(m_hWnd, &text[0], length + 1);
  return Cp932FromWide(text.data(), copied > 0 ? static_cast<size_t>(copied) : 0);
}
