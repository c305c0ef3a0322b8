#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "copp/copp_session.h"

// The driver's RSA public key as the certificate gives it.
struct CoppDriverKey {
  BYTE modulusLittleEndian[256];
  uint32_t exponent;
};

// Takes the modulus and exponent out of the driver's certificate text. The
// certificate comes from outside, so anything but a 256-byte modulus and a
// 3-byte exponent that decode cleanly is refused.
bool ReadDriverKey(const BYTE* certificate, size_t length, PfnCryptStringToBinaryA decode,
                   CoppDriverKey* key);

// The 276-byte PUBLICKEYBLOB that CryptImportKey takes for that key.
std::vector<BYTE> BuildPublicKeyBlob(const CoppDriverKey& key);
