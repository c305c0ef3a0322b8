#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>

// Declared by the platform header but found in no import library.
extern "C" const IID IID_IAMCertifiedOutputProtection = {
    0x6FEDED3E, 0x0FF1, 0x4901, {0xA2, 0xF1, 0x43, 0xF7, 0x01, 0x2C, 0x85, 0x15}};
