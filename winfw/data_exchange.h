#pragma once

#include <string>

class CDialog;
class CWnd;
class CButton;

// One exchange between a dialog's members and its controls.
struct CDataExchange {
  CDialog* dialog;
  int saveAndValidate;  // non-zero: controls to members
};

// Static or edit text <-> member text, code page 932 on the member's side.
void DDX_Text(CDataExchange* exchange, int controlId, std::string& value);
// Binds a member to its template control once; a CButton is subclassed.
void DDX_Control(CDataExchange* exchange, int controlId, CWnd& control);
void DDX_Control(CDataExchange* exchange, int controlId, CButton& control);
