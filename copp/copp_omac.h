#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <wincrypt.h>

#include <cstddef>

// One OMAC1 (AES-CMAC) computation under a CryptoAPI AES-128 key.
struct OmacContext {
  HCRYPTKEY key;
  BYTE k1[16];
  BYTE k2[16];
};

// Each returns 1 on success and 0 on failure. The empty message is refused.
int OmacInit(OmacContext* context);
int OmacCompute(OmacContext* context, const BYTE* message, size_t length, BYTE tag[16]);
int ComputeOmac(HCRYPTKEY key, const BYTE* message, size_t length, BYTE tag[16]);
