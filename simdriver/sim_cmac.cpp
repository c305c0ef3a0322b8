#include "simdriver/sim_cmac.h"

#include <cstring>

namespace {

void ShiftLeftOne(BYTE v[16]) {
  const BYTE overflow = v[0] >> 7;
  for (int i = 0; i < 16; ++i) v[i] = static_cast<BYTE>((v[i] << 1) | (i < 15 ? v[i + 1] >> 7 : 0));
  // Reduction by x^128 + x^7 + x^2 + x + 1.
  v[15] ^= static_cast<BYTE>(overflow * 0x87);
}

}  // namespace

SimCmac::~SimCmac() { Release(); }

// The key before the provider that holds it.
void SimCmac::Release() {
  key_.reset();
  provider_.reset();
}

bool SimCmac::SetKey(const BYTE key[16]) {
  Release();
  if (!CryptAcquireContextA(provider_.put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
    provider_.release();
    return false;
  }
  struct {
    BLOBHEADER header;
    DWORD length;
    BYTE bytes[16];
  } blob = {{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_AES_128}, 16, {}};
  memcpy(blob.bytes, key, 16);
  const bool imported =
      CryptImportKey(provider_.get(), reinterpret_cast<BYTE*>(&blob), sizeof(blob), 0, 0, key_.put());
  SecureZeroMemory(&blob, sizeof(blob));
  if (!imported) {
    key_.release();
    return false;
  }
  DWORD mode = CRYPT_MODE_ECB;
  return CryptSetKeyParam(key_.get(), KP_MODE, reinterpret_cast<BYTE*>(&mode), 0) != FALSE;
}

bool SimCmac::Block(BYTE block[16]) const {
  DWORD length = 16;
  return CryptEncrypt(key_.get(), 0, FALSE, 0, block, &length, 16) && length == 16;
}

bool SimCmac::Tag(const BYTE* message, size_t length, BYTE tag[16]) const {
  BYTE k1[16] = {};
  if (!key_ || !Block(k1)) return false;
  ShiftLeftOne(k1);
  BYTE k2[16];
  memcpy(k2, k1, 16);
  ShiftLeftOne(k2);

  const size_t blocks = length == 0 ? 1 : (length + 15) / 16;
  const bool whole = length != 0 && length % 16 == 0;
  BYTE state[16] = {};
  for (size_t b = 0; b < blocks; ++b) {
    const size_t start = b * 16;
    const size_t take = length - start < 16 ? length - start : 16;
    for (size_t i = 0; i < take; ++i) state[i] ^= message[start + i];
    if (b + 1 == blocks) {
      if (!whole) state[take] ^= 0x80;
      const BYTE* subkey = whole ? k1 : k2;
      for (int i = 0; i < 16; ++i) state[i] ^= subkey[i];
    }
    if (!Block(state)) return false;
  }
  memcpy(tag, state, 16);
  return true;
}
