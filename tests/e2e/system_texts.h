#pragma once

// What the report takes from the system, read here through the platform's
// own interfaces rather than the program's probes: a fault in a probe then
// shows as a difference instead of agreeing with itself.
#include <string>
#include <vector>

// One property of every instance of a WMI class, as code page 932 text; an
// instance whose property is not text gives "".
std::vector<std::string> WmiTexts(const wchar_t* className, const wchar_t* property);

// "major, minor, build, revision" from a file's fixed version block.
std::string FileVersionText(const std::string& path);
