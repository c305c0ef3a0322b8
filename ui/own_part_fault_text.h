#pragma once

#include <string>

#include "copp/own_part_fault.h"

// The box that replaces the verdict when the program's own part failed:
// the message (what is wrong, what to do), an empty line, and one line for
// support that names the part and its code. Code page 932.
std::string OwnPartFaultText(const std::string& message, const OwnPartFault& fault);
