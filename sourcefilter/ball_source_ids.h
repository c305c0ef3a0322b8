#pragma once

#include <windows.h>

// {289A8718-002D-4840-8D80-5E066F2DFE78}
inline constexpr CLSID kBallSourceClsid = {
    0x289A8718, 0x002D, 0x4840, {0x8D, 0x80, 0x5E, 0x06, 0x6F, 0x2D, 0xFE, 0x78}};

inline constexpr wchar_t kBallSourceClsidText[] = L"{289A8718-002D-4840-8D80-5E066F2DFE78}";
inline constexpr wchar_t kBallSourceName[] = L"Bouncing Ball";
