#include "ui/solution_pages.h"

const char kSpecTopPage[] = "\\GUIDE\\spec_top.htm";
const char kUsbTunerSpecPage[] = "\\GUIDE\\spec_usb_ut750.htm";

const char* SolutionPagePath(int solutionPage) {
  switch (solutionPage) {
    case 1:
      return "\\GUIDE\\error06.htm";
    case 2:
      return "\\GUIDE\\error00.htm";
    case 3:
      return "\\GUIDE\\error01.htm";
    case 7:
      return "\\GUIDE\\error05.htm";
    case 8:
      return "\\GUIDE\\error03-1.htm";
    default:
      return nullptr;
  }
}
