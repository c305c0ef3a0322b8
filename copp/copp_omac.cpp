#include "copp/copp_omac.h"

#include <cstring>

namespace {

// One AES block through the key's default CBC mode: with the final flag set
// every call starts again from the zero vector, so it is a plain E(X). The
// second output block is the padding and is thrown away.
bool EncryptBlock(HCRYPTKEY key, const BYTE in[16], BYTE out[16]) {
  BYTE buffer[32];
  memcpy(buffer, in, 16);
  DWORD length = 16;
  if (!CryptEncrypt(key, 0, TRUE, 0, buffer, &length, sizeof(buffer))) return false;
  memcpy(out, buffer, 16);
  return true;
}

void DoubleSubkey(const BYTE in[16], BYTE out[16]) {
  const bool carry = (in[0] & 0x80) != 0;
  for (int i = 0; i < 15; ++i) out[i] = static_cast<BYTE>((in[i] << 1) | (in[i + 1] >> 7));
  out[15] = static_cast<BYTE>(in[15] << 1);
  if (carry) out[15] ^= 0x87;
}

}  // namespace

int OmacInit(OmacContext* context) {
  if (!context) return 0;
  const BYTE zero[16] = {};
  BYTE l[16];
  if (!EncryptBlock(context->key, zero, l)) return 0;
  DoubleSubkey(l, context->k1);
  DoubleSubkey(context->k1, context->k2);
  return 1;
}

int OmacCompute(OmacContext* context, const BYTE* message, size_t length, BYTE tag[16]) {
  if (!context || !message || !tag || length == 0) return 0;
  BYTE x[16] = {};
  BYTE block[16];
  size_t offset = 0;
  for (; length - offset > 16; offset += 16) {
    for (int i = 0; i < 16; ++i) block[i] = x[i] ^ message[offset + i];
    if (!EncryptBlock(context->key, block, x)) return 0;
  }
  const size_t rest = length - offset;
  BYTE last[16] = {};
  memcpy(last, message + offset, rest);
  const BYTE* subkey = context->k1;
  if (rest < 16) {
    last[rest] = 0x80;
    subkey = context->k2;
  }
  for (int i = 0; i < 16; ++i) block[i] = x[i] ^ last[i] ^ subkey[i];
  if (!EncryptBlock(context->key, block, x)) return 0;
  memcpy(tag, x, 16);
  return 1;
}

int ComputeOmac(HCRYPTKEY key, const BYTE* message, size_t length, BYTE tag[16]) {
  OmacContext context = {};
  context.key = key;
  if (OmacInit(&context) != 1) return 0;
  const int result = OmacCompute(&context, message, length, tag);
  SecureZeroMemory(&context, sizeof(context));
  return result;
}
