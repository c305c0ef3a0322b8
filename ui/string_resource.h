#pragma once

#include <string>

// A string-table entry of the program as code page 932 text; empty when the
// entry is missing.
std::string LoadStringResource(unsigned int id);
