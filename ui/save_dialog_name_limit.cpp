#include "ui/save_dialog_name_limit.h"

#include <wrl/client.h>

namespace {

BOOL CALLBACK LimitOneEdit(HWND child, LPARAM characters) {
  char className[16] = {};
  ::GetClassNameA(child, className, sizeof(className));
  if (::lstrcmpiA(className, "Edit") == 0)
    ::SendMessageA(child, EM_LIMITTEXT, static_cast<WPARAM>(characters), 0);
  return TRUE;
}

}  // namespace

void LimitEditFields(HWND window, int characters) {
  if (window) ::EnumChildWindows(window, LimitOneEdit, static_cast<LPARAM>(characters));
}

HRESULT SaveDialogNameLimit::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IFileDialogEvents)) {
    *object = static_cast<IFileDialogEvents*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG SaveDialogNameLimit::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }

ULONG SaveDialogNameLimit::Release() { return static_cast<ULONG>(::InterlockedDecrement(&references_)); }

void SaveDialogNameLimit::Limit(IFileDialog* dialog) {
  Microsoft::WRL::ComPtr<IOleWindow> window;
  HWND handle = nullptr;
  if (dialog && SUCCEEDED(dialog->QueryInterface(IID_PPV_ARGS(window.GetAddressOf()))) &&
      SUCCEEDED(window->GetWindow(&handle))) {
    LimitEditFields(handle, kNameCharacters);
  }
}

HRESULT SaveDialogNameLimit::OnFileOk(IFileDialog*) { return S_OK; }

HRESULT SaveDialogNameLimit::OnFolderChanging(IFileDialog* dialog, IShellItem*) {
  Limit(dialog);
  return S_OK;
}

HRESULT SaveDialogNameLimit::OnFolderChange(IFileDialog* dialog) {
  Limit(dialog);
  return S_OK;
}

HRESULT SaveDialogNameLimit::OnSelectionChange(IFileDialog* dialog) {
  Limit(dialog);
  return S_OK;
}

HRESULT SaveDialogNameLimit::OnShareViolation(IFileDialog*, IShellItem*, FDE_SHAREVIOLATION_RESPONSE*) {
  return E_NOTIMPL;
}

HRESULT SaveDialogNameLimit::OnTypeChange(IFileDialog* dialog) {
  Limit(dialog);
  return S_OK;
}

HRESULT SaveDialogNameLimit::OnOverwrite(IFileDialog*, IShellItem*, FDE_OVERWRITE_RESPONSE*) {
  return E_NOTIMPL;
}
