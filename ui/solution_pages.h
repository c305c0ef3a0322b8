#pragma once

// The guide page below the program folder for a solution code, starting
// with a backslash; null for a code without a page.
const char* SolutionPagePath(int solutionPage);

// The requirement pages that the detail dialog opens.
extern const char kSpecTopPage[];
extern const char kUsbTunerSpecPage[];
