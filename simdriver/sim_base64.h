#pragma once

#include <windows.h>

#include <string>

// Plain Base64 without line breaks, for the certificate text.
std::string SimBase64(const BYTE* bytes, size_t length);
