#include "simdriver/sim_driver.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "copp/copp_wire.h"
#include "handles/owner.h"
#include "simdriver/sim_base64.h"
#include "simdriver/sim_rsa_key.h"

namespace {

constexpr DWORD kRsaBits = 2048;

// One 2048-bit key pair per process, imported from the fixed blob: a driver
// keeps its key across sessions as well.
struct SimRsaPair {
  OwnedCryptProvider provider;
  OwnedCryptKey key;
  SimRsaPair() {
    if (!CryptAcquireContextA(provider.put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT)) {
      provider.release();
      return;
    }
    if (!CryptImportKey(provider.get(), kSimRsaKeyBlob, kSimRsaKeyBlobSize, 0, CRYPT_EXPORTABLE, key.put()))
      key.release();
  }
  ~SimRsaPair() {
    key.reset();
    provider.reset();
  }
};

SimRsaPair& RsaPair() {
  static SimRsaPair pair;
  return pair;
}

bool SameGuid(const GUID& a, const GUID& b) { return memcmp(&a, &b, sizeof(GUID)) == 0; }

uint32_t ReadU32(const BYTE* p) {
  uint32_t v;
  memcpy(&v, p, 4);
  return v;
}

}  // namespace

SimCoppDriver::SimCoppDriver() { CreateKeyAndCertificate(); }

SimCoppDriver::~SimCoppDriver() = default;

bool SimCoppDriver::CreateKeyAndCertificate() {
  SimRsaPair& pair = RsaPair();
  if (!pair.key) return false;
  DWORD size = 0;
  if (!CryptExportKey(pair.key.get(), 0, PUBLICKEYBLOB, 0, nullptr, &size)) return false;
  std::string blob(size, '\0');
  BYTE* bytes = reinterpret_cast<BYTE*>(&blob[0]);
  if (!CryptExportKey(pair.key.get(), 0, PUBLICKEYBLOB, 0, bytes, &size) || size < 20 + kRsaBits / 8) return false;
  // BLOBHEADER, then RSAPUBKEY (magic, bit length, exponent), then the modulus
  // least significant byte first; the certificate wants it the other way round.
  const uint32_t exponent = ReadU32(bytes + 16);
  BYTE modulus[kRsaBits / 8];
  std::reverse_copy(bytes + 20, bytes + 20 + sizeof(modulus), modulus);
  const BYTE exponentBytes[3] = {static_cast<BYTE>(exponent >> 16), static_cast<BYTE>(exponent >> 8),
                                 static_cast<BYTE>(exponent)};
  certificate_ =
      "<?xml version=\"1.0\"?><Certificate><Issuer>Simulated graphics driver</Issuer>"
      "<PublicKey><Modulus>" +
      SimBase64(modulus, sizeof(modulus)) + "</Modulus><Exponent>" +
      SimBase64(exponentBytes, sizeof(exponentBytes)) + "</Exponent></PublicKey></Certificate>";
  rsaKey_ = pair.key.get();
  provider_ = pair.provider.get();
  return true;
}

HRESULT SimCoppDriver::KeyExchange(GUID* random, BYTE** certificate, DWORD* length) {
  ++observed_.keyExchanges;
  if (!random || !certificate || !length) return E_POINTER;
  if (FAILED(scenario_.keyExchangeResult)) return scenario_.keyExchangeResult;
  if (!rsaKey_) return E_FAIL;
  established_ = false;
  if (!CryptGenRandom(provider_, sizeof(sentRandom_), reinterpret_cast<BYTE*>(&sentRandom_))) return E_FAIL;
  randomSent_ = true;
  const char* text = certificate_.data();
  size_t textLength = certificate_.size();
  if (scenario_.certificateText) {
    text = scenario_.certificateText;
    textLength = scenario_.certificateLength ? scenario_.certificateLength : strlen(text);
  }
  auto* buffer = static_cast<BYTE*>(CoTaskMemAlloc(textLength ? textLength : 1));
  if (!buffer) return E_OUTOFMEMORY;
  memcpy(buffer, text, textLength);
  *random = sentRandom_;
  *certificate = buffer;
  *length = static_cast<DWORD>(textLength);
  return S_OK;
}

HRESULT SimCoppDriver::SessionSequenceStart(const AMCOPPSignature* signature) {
  ++observed_.sessionStarts;
  if (!signature || !randomSent_) return E_UNEXPECTED;
  BYTE block[256];
  memcpy(block, signature->Signature, sizeof(block));
  DWORD length = sizeof(block);
  if (!CryptDecrypt(rsaKey_, 0, TRUE, 0, block, &length) || length < 40) return kSimBadSignature;
  // The application reverses its block before CryptEncrypt does the same.
  std::reverse(block, block + length);
  if (memcmp(block, &sentRandom_, 16) != 0) return kSimBadSignature;
  randomSent_ = false;
  if (FAILED(scenario_.sessionStartResult)) return scenario_.sessionStartResult;
  if (!cmac_.SetKey(block + 16)) return E_FAIL;
  expectedStatusSeq_ = ReadU32(block + 32);
  expectedCommandSeq_ = ReadU32(block + 36);
  SecureZeroMemory(block, sizeof(block));
  established_ = true;
  observed_.sessionEstablished = true;
  return scenario_.sessionStartResult;
}

const SimStatusFault* SimCoppDriver::MatchFault(const AMCOPPStatusInput& input) {
  const uint32_t type = input.cbSizeData >= 4 ? ReadU32(input.StatusData) : 0;
  for (size_t i = 0; i < 4; ++i) {
    const SimStatusFault& fault = scenario_.statusFaults[i];
    if (fault.result == S_OK) continue;
    if (!SameGuid(fault.requestId, GUID_NULL) && !SameGuid(fault.requestId, input.guidStatusRequestID))
      continue;
    if (fault.protectionType && fault.protectionType != type) continue;
    ++faultCounts_[i];
    if (fault.occurrence == 0 || fault.occurrence == faultCounts_[i]) return &fault;
  }
  return nullptr;
}

void SimCoppDriver::Answer(const AMCOPPStatusInput& input, AMCOPPStatusOutput* output) const {
  const SimScenario& s = scenario_;
  DXVA_COPPStatusData data = {};
  data.rApp = input.rApp;
  data.dwFlags = s.statusFlags;
  const GUID& id = input.guidStatusRequestID;
  const uint32_t type = input.cbSizeData >= 4 ? ReadU32(input.StatusData) : 0;
  if (SameGuid(id, DXVA_COPPQueryBusData)) {
    data.dwData = s.busType;
  } else if (SameGuid(id, DXVA_COPPQueryConnectorType)) {
    data.dwData = s.connectorType;
  } else if (SameGuid(id, DXVA_COPPQueryProtectionType)) {
    data.dwData = s.protectionMask;
  } else if (SameGuid(id, DXVA_COPPQueryLocalProtectionLevel)) {
    data.dwData = type == kCoppProtectionCgmsa ? s.cgmsaLocalLevel : s.hdcpLocalLevel;
  } else if (SameGuid(id, DXVA_COPPQueryGlobalProtectionLevel)) {
    data.dwData = type == kCoppProtectionCgmsa ? s.cgmsaGlobalLevel : s.hdcpGlobalLevel;
  }
  memset(output, 0, sizeof(*output));
  output->cbSizeData = s.overrideSizeData ? s.sizeData : sizeof(data);
  memcpy(output->COPPStatus, &data, sizeof(data));
}

HRESULT SimCoppDriver::ProtectionStatus(const AMCOPPStatusInput* input, AMCOPPStatusOutput* output) {
  const uint32_t n = ++observed_.statusRequests;
  if (!input || !output) return E_POINTER;
  if (!established_) return E_UNEXPECTED;
  const SimNthStatusFault& nth = scenario_.nthStatus;
  const bool hit = nth.n != 0 && nth.n == n;
  if (hit && FAILED(nth.result)) return nth.result;
  if (const SimStatusFault* fault = MatchFault(*input)) return fault->result;
  if (input->dwSequence != expectedStatusSeq_) {
    ++observed_.sequenceFailures;
    return kSimBadSequence;
  }
  Answer(*input, output);
  if (hit) TamperAnswer(nth, output);
  BYTE tag[16];
  if (!cmac_.Tag(reinterpret_cast<const BYTE*>(output) + kCoppMacOffset, kCoppMacLength, tag)) return E_FAIL;
  ++observed_.statusAnswered;
  if (scenario_.flipMacOnStatus == observed_.statusAnswered) tag[5] ^= 0x10;
  if (hit && nth.flipTag) tag[11] ^= 0x01;
  memcpy(&output->macKDI, tag, 16);
  observed_.lastStatusSequence = input->dwSequence;
  observed_.lastRApp = input->rApp;
  // An answered request uses up its number, whatever the client makes of the answer.
  ++expectedStatusSeq_;
  return S_OK;
}

void SimCoppDriver::TamperAnswer(const SimNthStatusFault& nth, AMCOPPStatusOutput* output) {
  if (nth.wrongEcho) output->COPPStatus[offsetof(DXVA_COPPStatusData, rApp) + 3] ^= 0x5A;
  if (nth.setsSizeData) output->cbSizeData = nth.sizeData;
}

void SimCoppDriver::ApplyLevel(uint32_t type, uint32_t level) {
  if (type == kCoppProtectionHdcp && scenario_.hdcpTakes) {
    scenario_.hdcpLocalLevel = level | scenario_.levelReadBackBits;
  } else if (type == kCoppProtectionCgmsa && level < 5 && scenario_.cgmsaTakes[level]) {
    scenario_.cgmsaLocalLevel = level | scenario_.levelReadBackBits;
  }
}

HRESULT SimCoppDriver::ProtectionCommand(const AMCOPPCommand* command) {
  const uint32_t n = ++observed_.commandsReceived;
  if (!command) return E_POINTER;
  if (!established_) return E_UNEXPECTED;
  const uint32_t faultAt = scenario_.commandFaultOccurrence;
  if (faultAt && (faultAt == ~0u || faultAt == n)) return scenario_.commandFaultResult;
  BYTE tag[16];
  if (!cmac_.Tag(reinterpret_cast<const BYTE*>(command) + kCoppMacOffset, kCoppMacLength, tag)) return E_FAIL;
  if (memcmp(tag, &command->macKDI, 16) != 0) {
    ++observed_.commandMacFailures;
    return kSimBadSignature;
  }
  if (command->dwSequence != expectedCommandSeq_) {
    ++observed_.sequenceFailures;
    return kSimBadSequence;
  }
  observed_.lastCommandDataLength = command->bSizeData;
  if (SameGuid(command->guidCommandID, DXVA_COPPSetProtectionLevel) && command->bSizeData >= 16) {
    DXVA_COPPSetProtectionLevelCmdData data;
    memcpy(&data, command->CommandData, sizeof(data));
    observed_.lastCommandType = data.ProtType;
    observed_.lastCommandLevel = data.ProtLevel;
    if (scenario_.ignoredCommand != n) ApplyLevel(data.ProtType, data.ProtLevel);
  }
  observed_.lastCommandSequence = command->dwSequence;
  ++observed_.commandsAccepted;
  ++expectedCommandSeq_;
  return S_OK;
}
