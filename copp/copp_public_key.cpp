#include "copp/copp_public_key.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kModulusBytes = 256;
constexpr size_t kExponentBytes = 3;

// Decodes the Base64 text between the two tags into exactly `expected` bytes.
bool DecodeElement(const BYTE* certificate, size_t length, const char* openTag, const char* closeTag,
                   PfnCryptStringToBinaryA decode, size_t expected, std::vector<BYTE>* out) {
  size_t offset = 0;
  size_t textLength = 0;
  if (!FindCertificateElement(certificate, length, openTag, closeTag, &offset, &textLength)) return false;
  if (textLength == 0 || textLength > MAXDWORD) return false;
  const auto* text = reinterpret_cast<const char*>(certificate + offset);
  DWORD size = 0;
  if (!decode(text, static_cast<DWORD>(textLength), CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr))
    return false;
  if (size != expected) return false;
  out->assign(size, 0);
  if (!decode(text, static_cast<DWORD>(textLength), CRYPT_STRING_BASE64, out->data(), &size, nullptr,
              nullptr))
    return false;
  return size == expected;
}

}  // namespace

bool ReadDriverKey(const BYTE* certificate, size_t length, PfnCryptStringToBinaryA decode,
                   CoppDriverKey* key) {
  if (!certificate || !decode || !key) return false;
  std::vector<BYTE> modulus;
  if (!DecodeElement(certificate, length, "<Modulus>", "</Modulus>", decode, kModulusBytes, &modulus))
    return false;
  std::vector<BYTE> exponent;
  if (!DecodeElement(certificate, length, "<Exponent>", "</Exponent>", decode, kExponentBytes, &exponent))
    return false;
  // The certificate writes numbers most significant byte first; CryptoAPI
  // wants the modulus least significant first.
  std::reverse_copy(modulus.begin(), modulus.end(), key->modulusLittleEndian);
  key->exponent = (uint32_t{exponent[0]} << 16) | (uint32_t{exponent[1]} << 8) | exponent[2];
  return true;
}

std::vector<BYTE> BuildPublicKeyBlob(const CoppDriverKey& key) {
  std::vector<BYTE> blob(20 + kModulusBytes, 0);
  blob[0] = PUBLICKEYBLOB;
  blob[1] = CUR_BLOB_VERSION;
  const uint32_t algorithm = CALG_RSA_KEYX;
  const uint32_t magic = 0x31415352;  // "RSA1"
  const uint32_t bits = kModulusBytes * 8;
  memcpy(&blob[4], &algorithm, 4);
  memcpy(&blob[8], &magic, 4);
  memcpy(&blob[12], &bits, 4);
  memcpy(&blob[16], &key.exponent, 4);
  memcpy(&blob[20], key.modulusLittleEndian, kModulusBytes);
  return blob;
}
