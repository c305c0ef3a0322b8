#pragma once

// Resource and control numbers of the program, one block per dialog. The
// resource script includes this file too, so it holds only #defines.

// Dialog templates
#define IDD_MAIN_DIALOG 220
#define IDD_DETAIL_DIALOG 234

// Icon
#define IDI_PROGRAM 128

// Bitmaps: backgrounds, button strips (four looks stacked), marks, banners
#define IDB_START_PAGE 226
#define IDB_START_BUTTON 230
#define IDB_SAVE_BUTTON 232
#define IDB_DETAILS_BUTTON 233
#define IDB_DETAIL_BACKGROUND 235
#define IDB_RESULT_PAGE 237
#define IDB_DETAIL_CLOSE_BUTTON 238
#define IDB_DETAIL_SAVE_BUTTON 239
#define IDB_EXIT_BUTTON 240
#define IDB_SOLUTION_BUTTON 241
#define IDB_MARK_DOUBLE_CIRCLE 242
#define IDB_MARK_CIRCLE 243
#define IDB_MARK_CROSS 244
#define IDB_MARK_CROSS_CAPTION 245
#define IDB_BANNER_SUITABLE 246
#define IDB_BANNER_LIMITED 247
#define IDB_BANNER_UNSUITABLE 248
#define IDB_USB_TYPE_BUTTON 249
#define IDB_PCI_TYPE_BUTTON 250

// String table
#define IDS_PROGRAM_TITLE 140
#define IDS_REPORT_VERSION_LINE 141
#define IDS_UNSUPPORTED_OS 142
#define IDS_COPP_RETRY_WARNING 144
#define IDS_REPORT_LATEST_INFO 203
#define IDS_REPORT_ANALOG_DOWNSCALE 206
#define IDS_REPORT_NG_OVERLAY 212
#define IDS_REPORT_NG_COPP 213
#define IDS_REPORT_NG_HDCP 215
#define IDS_REPORT_NG_CGMSA 217

// Main dialog (template 220)
#define IDC_VIDEO_WINDOW 1001
#define IDC_START_CHECK 1060
#define IDC_OS_NAME 1061
#define IDC_MEMORY_TEXT 1062
#define IDC_SAVE_REPORT 1063
#define IDC_SHOW_DETAILS 1064
#define IDC_DISPLAY_MESSAGE 1066
#define IDC_CPU_MESSAGE 1067
#define IDC_OS_STATUS 1068
#define IDC_MEMORY_STATUS 1069
#define IDC_EXIT 1076
#define IDC_OPEN_SOLUTION 1077
#define IDC_PROGRESS_TEXT 1078

// Detail dialog (template 234); its save button reuses 1063
#define IDC_SPEC_TOP 1065
#define IDC_DETAIL_CPU 1070
#define IDC_DETAIL_GRAPHICS 1071
#define IDC_DETAIL_VRAM 1072
#define IDC_DETAIL_BUTTON1 1073
#define IDC_DETAIL_CLOSE 1074
#define IDC_USB_TYPE 1079
#define IDC_PCI_TYPE 1080
