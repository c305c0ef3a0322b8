#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <wincrypt.h>

#include <cstddef>

#include "handles/owner.h"

// The driver's own AES-CMAC: raw AES-ECB blocks on a key it imports itself,
// so a fault in the application's MAC cannot be mirrored here.
class SimCmac {
 public:
  SimCmac() = default;
  ~SimCmac();
  SimCmac(const SimCmac&) = delete;
  SimCmac& operator=(const SimCmac&) = delete;

  bool SetKey(const BYTE key[16]);
  bool Tag(const BYTE* message, size_t length, BYTE tag[16]) const;

 private:
  bool Block(BYTE block[16]) const;
  void Release();

  OwnedCryptProvider provider_;
  OwnedCryptKey key_;
};
