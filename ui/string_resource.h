#pragma once

#include <windows.h>

#include <string>

// A string-table entry of `module` as code page 932 text; empty when the
// entry is missing.
std::string LoadStringResource(HINSTANCE module, unsigned int id);
