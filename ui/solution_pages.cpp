#include "ui/solution_pages.h"

const char kSpecTopPage[] = "\\GUIDE\\spec_top.htm";
const char kUsbTunerSpecPage[] = "\\GUIDE\\spec_usb_ut750.htm";
