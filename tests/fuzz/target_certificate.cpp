#include <windows.h>
// The platform headers below build on windows.h.
#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "copp/copp_public_key.h"
#include "copp/copp_session.h"
#include "simdriver/sim_base64.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

struct Element {
  const char* open;
  const char* close;
};
constexpr Element kModulus = {"<Modulus>", "</Modulus>"};
constexpr Element kExponent = {"<Exponent>", "</Exponent>"};

const std::vector<std::string> kTokens = {
    "<Modulus>", "</Modulus>", "<Exponent>", "</Exponent>", "<", ">", "</", "=", "==", "\r\n", "AQAB", " "};

HCRYPTPROV g_provider = 0;
HMODULE g_crypt32 = nullptr;
PfnCryptStringToBinaryA g_decode = nullptr;
GuardedBuffer* g_input = nullptr;

// The element search as its rule reads, written apart from the product: the
// first opening tag, then a closing tag that ends before the last byte.
bool ReferenceFind(const std::string& data, const Element& element, size_t* offset, size_t* length) {
  const size_t open = data.find(element.open);
  if (open == std::string::npos || data.empty()) return false;
  const size_t start = open + std::strlen(element.open);
  const size_t close = data.substr(0, data.size() - 1).find(element.close, start);
  if (close == std::string::npos) return false;
  *offset = start;
  *length = close - start;
  return true;
}

struct Certificate {
  std::string text;
  BYTE modulus[256];  // most significant byte first, as written
  BYTE exponent[3];
};

Certificate MakeCertificate(FuzzRandom& random) {
  Certificate c;
  random.Fill(c.modulus, sizeof(c.modulus));
  c.modulus[0] |= 0x80;
  if (random.OneIn(4)) {
    random.Fill(c.exponent, sizeof(c.exponent));
  } else {
    c.exponent[0] = 1;
    c.exponent[1] = 0;
    c.exponent[2] = 1;
  }
  const std::string modulus = std::string(kModulus.open) + SimBase64(c.modulus, 256) + kModulus.close;
  const std::string exponent = std::string(kExponent.open) + SimBase64(c.exponent, 3) + kExponent.close;
  const bool exponentFirst = random.OneIn(4);
  c.text = "<?xml version=\"1.0\"?><Certificate><PublicKey>";
  c.text += exponentFirst ? exponent + modulus : modulus + exponent;
  const char* const tails[] = {"</PublicKey></Certificate>", "\n", "", "x"};
  c.text += tails[random.Below(4)];
  return c;
}

// Where both elements end, so that a cut certificate is known to hold them or not.
size_t EndOfBoth(const std::string& text) {
  const size_t modulus = text.find(kModulus.close) + std::strlen(kModulus.close);
  const size_t exponent = text.find(kExponent.close) + std::strlen(kExponent.close);
  return std::max(modulus, exponent);
}

bool SameKey(const CoppDriverKey& key, const Certificate& c) {
  for (int i = 0; i < 256; ++i) {
    if (key.modulusLittleEndian[i] != c.modulus[255 - i]) return false;
  }
  const uint32_t exponent = (uint32_t{c.exponent[0]} << 16) | (uint32_t{c.exponent[1]} << 8) | c.exponent[2];
  return key.exponent == exponent;
}

// The blob's layout, then a round trip through CryptoAPI: what it exports
// again must be the very blob it took.
void CheckKeyImport(FuzzCase& fuzzCase, const CoppDriverKey& key) {
  const std::vector<BYTE> blob = BuildPublicKeyBlob(key);
  if (blob.size() != 276)
    return fuzzCase.Break("public key blob of %u bytes", static_cast<unsigned>(blob.size()));
  const BYTE header[16] = {6, 2, 0, 0, 0x00, 0xA4, 0, 0, 'R', 'S', 'A', '1', 0x00, 0x08, 0, 0};
  uint32_t exponent = 0;
  std::memcpy(&exponent, &blob[16], 4);
  if (std::memcmp(blob.data(), header, 16) != 0 || exponent != key.exponent ||
      std::memcmp(&blob[20], key.modulusLittleEndian, 256) != 0) {
    return fuzzCase.Break("public key blob fields differ from the key");
  }
  HCRYPTKEY imported = 0;
  if (!CryptImportKey(g_provider, blob.data(), static_cast<DWORD>(blob.size()), 0, 0, &imported)) {
    if (key.exponent == 0) return;  // no RSA key has it; a refusal is sound
    return fuzzCase.Break("CryptImportKey refused the blob (0x%lx)", GetLastError());
  }
  BYTE exported[276 + 16] = {};
  DWORD size = sizeof(exported);
  const bool ok = CryptExportKey(imported, 0, PUBLICKEYBLOB, 0, exported, &size) != FALSE;
  CryptDestroyKey(imported);
  if (!ok || size != blob.size() || std::memcmp(exported, blob.data(), size) != 0) {
    fuzzCase.Break("the imported key exports as another blob");
  }
}

bool SetUp() {
  static GuardedBuffer input(64 * 1024);
  g_input = &input;
  RegisterFuzzGuard(&input);
  if (!CryptAcquireContextA(&g_provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return false;
  g_crypt32 = LoadLibraryA("Crypt32.dll");
  if (!g_crypt32) return false;
  g_decode = reinterpret_cast<PfnCryptStringToBinaryA>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_crypt32, "CryptStringToBinaryA")));
  return input.ok() && g_decode;
}

void TearDown() {
  if (g_provider) CryptReleaseContext(g_provider, 0);
  if (g_crypt32) FreeLibrary(g_crypt32);
}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  const Certificate certificate = MakeCertificate(random);
  FuzzBytes bytes(certificate.text.begin(), certificate.text.end());
  enum { kWhole, kCut, kMutated, kRandom } kind;
  const uint32_t pick = random.Below(16);
  kind = pick < 2 ? kWhole : pick < 6 ? kCut : pick < 14 ? kMutated : kRandom;
  if (kind == kCut) bytes.resize(random.Below(static_cast<uint32_t>(bytes.size() + 1)));
  if (kind == kMutated) MutateBytes(&bytes, random, kTokens, 1 + random.Below(6), 8192);
  if (kind == kRandom) {
    bytes = RandomBytes(random, 2048);
    MutateBytes(&bytes, random, kTokens, random.Below(8), 8192);
  }
  fuzzCase.RecordInput(bytes.data(), bytes.size());
  const BYTE* data = g_input->Place(bytes.data(), bytes.size(), fuzzCase.placement());
  const std::string text(bytes.begin(), bytes.end());

  for (const Element& element : {kModulus, kExponent}) {
    size_t offset = 0, length = 0, wantedOffset = 0, wantedLength = 0;
    bool found = false;
    {
      GuardedHeapScope heap;
      found = FindCertificateElement(data, bytes.size(), element.open, element.close, &offset, &length);
    }
    const bool wanted = ReferenceFind(text, element, &wantedOffset, &wantedLength);
    if (found != wanted || (found && (offset != wantedOffset || length != wantedLength))) {
      return fuzzCase.Break("%s search gave %d at %u+%u, the rule %d at %u+%u", element.open, found,
                            static_cast<unsigned>(offset), static_cast<unsigned>(length), wanted,
                            static_cast<unsigned>(wantedOffset), static_cast<unsigned>(wantedLength));
    }
  }

  CoppDriverKey key = {};
  bool read = false;
  {
    GuardedHeapScope heap;
    read = ReadDriverKey(data, bytes.size(), g_decode, &key);
  }
  if (std::memcmp(data, bytes.data(), bytes.size()) != 0)
    return fuzzCase.Break("the certificate was written to");
  if (kind == kWhole || kind == kCut) {
    const bool holdsBoth = bytes.size() > EndOfBoth(certificate.text);
    if (read != holdsBoth) {
      return fuzzCase.Break(
          "%u of %u bytes: read %d, but the elements %s", static_cast<unsigned>(bytes.size()),
          static_cast<unsigned>(certificate.text.size()), read, holdsBoth ? "are whole" : "are cut");
    }
    if (read && !SameKey(key, certificate)) return fuzzCase.Break("the key read is not the key written");
  }
  size_t offset = 0, length = 0;
  if (read && (!ReferenceFind(text, kModulus, &offset, &length) ||
               !ReferenceFind(text, kExponent, &offset, &length))) {
    return fuzzCase.Break("a key was read from a certificate without both elements");
  }
  if (read && (kind != kMutated || random.OneIn(4))) CheckKeyImport(fuzzCase, key);
}

}  // namespace

const FuzzTarget kCertificateTarget = {"certificate", SetUp, Run, TearDown};
