#include "winfw/data_exchange.h"

#include "winfw/button.h"
#include "winfw/dialog.h"

void DDX_Text(CDataExchange* exchange, int controlId, std::string& value) {
  CWnd control;
  control.Attach(exchange->dialog->GetDlgItem(controlId));
  if (!control.m_hWnd) return;
  if (exchange->saveAndValidate) {
    value = control.GetText();
  } else {
    control.SetText(value.c_str());
  }
  control.Detach();
}

void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control) {
  if (!control.m_hWnd) control.Attach(exchange->dialog->GetDlgItem(controlId));
}

void DDX_Control(CDataExchange* exchange, int controlId, CButton& control) {
  if (!control.m_hWnd) control.SubclassDlgItem(controlId, exchange->dialog);
}
