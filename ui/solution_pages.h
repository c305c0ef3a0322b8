#pragma once

// The requirement pages that the detail dialog opens, below the program
// folder. The result page's guide pages are in the rows of verdict.cpp.
extern const char kSpecTopPage[];
extern const char kUsbTunerSpecPage[];
