#pragma once

#include <shobjidl.h>
#include <windows.h>

// Keeps what a person can type or paste into the save dialog's name field
// within MAX_PATH - 1 characters: the report's temporary file is named in a
// MAX_PATH buffer beside it, the classic dialog takes no more, and Wine's
// item dialog overflows its stack on a much longer name. Advise it on the dialog for as long as the
// dialog shows; it lives on the caller's stack and is never deleted.
class SaveDialogNameLimit : public IFileDialogEvents {
 public:
  SaveDialogNameLimit() = default;
  SaveDialogNameLimit(const SaveDialogNameLimit&) = delete;
  SaveDialogNameLimit& operator=(const SaveDialogNameLimit&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IFileDialogEvents: every event that can follow the dialog's (re)build
  // sets the limit again; the rest leave the dialog its default handling.
  HRESULT STDMETHODCALLTYPE OnFileOk(IFileDialog* dialog) override;
  HRESULT STDMETHODCALLTYPE OnFolderChanging(IFileDialog* dialog, IShellItem* folder) override;
  HRESULT STDMETHODCALLTYPE OnFolderChange(IFileDialog* dialog) override;
  HRESULT STDMETHODCALLTYPE OnSelectionChange(IFileDialog* dialog) override;
  HRESULT STDMETHODCALLTYPE OnShareViolation(IFileDialog* dialog, IShellItem* item,
                                             FDE_SHAREVIOLATION_RESPONSE* response) override;
  HRESULT STDMETHODCALLTYPE OnTypeChange(IFileDialog* dialog) override;
  HRESULT STDMETHODCALLTYPE OnOverwrite(IFileDialog* dialog, IShellItem* item,
                                        FDE_OVERWRITE_RESPONSE* response) override;

  // The limit, in characters, that every edit field of the dialog gets.
  static const int kNameCharacters = MAX_PATH - 1;

 private:
  void Limit(IFileDialog* dialog);

  LONG references_ = 1;
};

// Sets the limit on every edit field below `window`.
void LimitEditFields(HWND window, int characters);
