#pragma once

// What the report takes from the system, read here through the platform's
// own interfaces rather than the program's probes: a fault in a probe then
// shows as a difference instead of agreeing with itself.
#include <string>

// The property of the one instance of a WMI class as code page 932 text (a
// number as its decimal digits), or a text that says there is not exactly one.
std::string WmiText(const wchar_t* className, const wchar_t* property);

// What DirectDraw counts as the primary display device's local video memory,
// in whole MB; 0 when it does not say.
int DirectDrawLocalMegabytes();

// "major, minor, build, revision" from a file's fixed version block.
std::string FileVersionText(const std::string& path);
