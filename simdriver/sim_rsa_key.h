#pragma once

#include <windows.h>

// The simulated driver's RSA key pair as a CryptoAPI PRIVATEKEYBLOB
// (CALG_RSA_KEYX, 2048 bits, exponent 65537).
extern const BYTE kSimRsaKeyBlob[];
extern const DWORD kSimRsaKeyBlobSize;
