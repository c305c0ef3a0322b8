#include <windows.h>
// The platform headers below build on windows.h.
#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <iterator>
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

// Texts read by hand: where the element's text starts and how long it is. A
// closing tag must end before the last byte.
struct ElementRow {
  const char* text;
  const Element* element;
  bool found;
  size_t offset, length;
};
const ElementRow kRows[] = {
    {"<Modulus>QQ==</Modulus>x", &kModulus, true, 9, 4},
    {"<Modulus>QQ==</Modulus>", &kModulus, false, 0, 0},
    {"<Modulus></Modulus>!", &kModulus, true, 9, 0},
    {"</Modulus><Modulus>", &kModulus, false, 0, 0},
    {"<Modulus>a<Modulus>b</Modulus></Modulus>!", &kModulus, true, 9, 11},
    {"<Exponent>AQAB</Exponent>\n", &kExponent, true, 10, 4},
    {"<Modulus>AQAB</Exponent>x", &kExponent, false, 0, 0},
    {"<Exponent", &kExponent, false, 0, 0},
};

struct Place {
  size_t offset, length;
};

struct Certificate {
  std::string text;
  BYTE modulus[256];  // most significant byte first, as written
  BYTE exponent[3];
  Place at[2];  // of the modulus and the exponent text, as written
};

// Appends the element and says where its text went.
Place Append(std::string* text, const Element& element, const std::string& base64) {
  *text += element.open;
  const Place place = {text->size(), base64.size()};
  *text += base64 + element.close;
  return place;
}

Certificate MakeCertificate(FuzzRandom& random) {
  Certificate c;
  random.Fill(c.modulus, sizeof(c.modulus));
  c.modulus[0] |= 0x80;
  const BYTE f4[3] = {1, 0, 1};
  random.OneIn(4) ? random.Fill(c.exponent, sizeof(c.exponent)) : void(std::memcpy(c.exponent, f4, 3));
  c.text = "<?xml version=\"1.0\"?><Certificate><PublicKey>";
  const int first = random.OneIn(4);  // the exponent first now and then
  for (int i : {first, 1 - first})
    c.at[i] =
        Append(&c.text, i ? kExponent : kModulus, i ? SimBase64(c.exponent, 3) : SimBase64(c.modulus, 256));
  const char* const tails[] = {"</PublicKey></Certificate>", "\n", "", "x"};
  c.text += tails[random.Below(4)];
  return c;
}

// Whether the element's closing tag ends before the last of `size` bytes.
bool Holds(const Place& place, const Element& element, size_t size) {
  return place.offset + place.length + std::strlen(element.close) < size;
}

bool SameKey(const CoppDriverKey& key, const Certificate& c) {
  const uint32_t exponent = (uint32_t{c.exponent[0]} << 16) | (uint32_t{c.exponent[1]} << 8) | c.exponent[2];
  return key.exponent == exponent && std::equal(std::begin(key.modulusLittleEndian),
                                                std::end(key.modulusLittleEndian), std::rbegin(c.modulus));
}

// What any text found must be: the first opening tag, the text, then the
// first closing tag after it, which ends before the last byte.
bool FoundWhereTheTagsAre(const std::string& text, const Element& element, size_t offset, size_t length) {
  const size_t open = std::strlen(element.open);
  return offset >= open && text.find(element.open) == offset - open &&
         text.find(element.close, offset) == offset + length && Holds({offset, length}, element, text.size());
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
  if (!CryptAcquireContextA(&g_provider, nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) return false;
  g_crypt32 = LoadLibraryA("Crypt32.dll");
  if (!g_crypt32) return false;
  g_decode = reinterpret_cast<PfnCryptStringToBinaryA>(
      reinterpret_cast<void (*)()>(GetProcAddress(g_crypt32, "CryptStringToBinaryA")));
  return MakeFuzzGuard(&g_input, 64 * 1024) && g_decode;
}

void TearDown() {
  if (g_provider) CryptReleaseContext(g_provider, 0);
  if (g_crypt32) FreeLibrary(g_crypt32);
}

void Run(FuzzCase& fuzzCase) {
  FuzzRandom& random = fuzzCase.random();
  const Certificate certificate = MakeCertificate(random);
  const ElementRow& row = kRows[random.Below(sizeof(kRows) / sizeof(kRows[0]))];
  FuzzBytes bytes(certificate.text.begin(), certificate.text.end());
  enum { kWhole, kCut, kMutated, kRandom, kRow } kind;
  const uint32_t pick = random.Below(16);
  kind = pick < 2 ? kWhole : pick < 5 ? kCut : pick < 12 ? kMutated : pick < 14 ? kRandom : kRow;
  if (kind == kCut) bytes.resize(random.Below(static_cast<uint32_t>(bytes.size() + 1)));
  if (kind == kRandom) bytes = RandomBytes(random, 2048);
  if (kind == kMutated || kind == kRandom)
    MutateBytes(&bytes, random, kTokens, kind == kRandom ? random.Below(8) : 1 + random.Below(6), 8192);
  if (kind == kRow) bytes.assign(row.text, row.text + std::strlen(row.text));
  fuzzCase.RecordInput(bytes.data(), bytes.size());
  const BYTE* data = g_input->Place(bytes.data(), bytes.size(), fuzzCase.placement());
  const std::string text(bytes.begin(), bytes.end());

  bool holdsBoth = true;
  for (int i = 0; i < 2; ++i) {
    const Element& element = i ? kExponent : kModulus;
    size_t offset = 0, length = 0;
    bool found = false;
    {
      GuardedHeapScope heap;
      found = FindCertificateElement(data, bytes.size(), element.open, element.close, &offset, &length);
    }
    if (found && !FoundWhereTheTagsAre(text, element, offset, length))
      return fuzzCase.Break("%s found at %u+%u, not between the first tags", element.open,
                            static_cast<unsigned>(offset), static_cast<unsigned>(length));
    holdsBoth = holdsBoth && Holds(certificate.at[i], element, bytes.size());
    // Where the certificate was written, or the row read by hand, says where it is.
    const bool known = kind == kWhole || kind == kCut || (kind == kRow && &element == row.element);
    const Place want = kind == kRow ? Place{row.offset, row.length} : certificate.at[i];
    const bool wanted = kind == kRow ? row.found : Holds(want, element, bytes.size());
    if (known && (found != wanted || (found && (offset != want.offset || length != want.length))))
      return fuzzCase.Break("%s found %d at %u+%u, not %d at %u+%u", element.open, found, unsigned(offset),
                            unsigned(length), wanted, unsigned(want.offset), unsigned(want.length));
  }

  CoppDriverKey key;
  std::memset(&key, 0xA5, sizeof(key));
  const CoppDriverKey before = key;
  bool read = false;
  {
    GuardedHeapScope heap;
    read = ReadDriverKey(data, bytes.size(), g_decode, &key);
  }
  if (std::memcmp(data, bytes.data(), bytes.size()) != 0)
    return fuzzCase.Break("the certificate was written to");
  if (!read && std::memcmp(&key, &before, sizeof(key)) != 0)
    return fuzzCase.Break("a refused certificate changed the key");
  if (read &&
      (text.find(kModulus.open) == std::string::npos || text.find(kExponent.open) == std::string::npos))
    return fuzzCase.Break("a key was read from a certificate without both elements");
  if (kind == kWhole || kind == kCut) {
    if (read != holdsBoth) {
      return fuzzCase.Break("%u bytes: read %d, elements whole %d", unsigned(bytes.size()), read, holdsBoth);
    }
    if (read && !SameKey(key, certificate)) return fuzzCase.Break("the key read is not the key written");
  }
  if (read && (kind != kMutated || random.OneIn(4))) CheckKeyImport(fuzzCase, key);
}

}  // namespace

const FuzzTarget kCertificateTarget = {"certificate", SetUp, Run, TearDown};
