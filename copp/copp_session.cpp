#include "copp/copp_session.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "copp/copp_public_key.h"
#include "copp/copp_wire.h"
#include "copp/own_part_fault.h"
#include "handles/export_lookup.h"
#include "trace/judge_log.h"

CoppSession g_coppSession;

namespace {

constexpr size_t kSignedBytes = 245;  // 256 minus the 11 bytes of PKCS #1 v1.5 padding

KeyContainerAcquirer g_acquireKeyContainer = CryptAcquireContextA;

// The container exists after the first run; opening it then needs flags 0.
bool AcquireProvider(HCRYPTPROV* provider) {
  if (g_acquireKeyContainer(provider, kCoppKeyContainer, nullptr, PROV_RSA_AES, CRYPT_NEWKEYSET | CRYPT_SILENT))
    return true;
  *provider = 0;
  if (g_acquireKeyContainer(provider, kCoppKeyContainer, nullptr, PROV_RSA_AES, 0)) return true;
  *provider = 0;
  return false;
}

bool ExportSessionKeyBytes(HCRYPTKEY key, BYTE keyBytes[16]) {
  DWORD size = 0;
  if (!CryptExportKey(key, 0, PLAINTEXTKEYBLOB, 0, nullptr, &size)) return false;
  std::vector<BYTE> blob(size);
  if (!CryptExportKey(key, 0, PLAINTEXTKEYBLOB, 0, blob.data(), &size)) return false;
  // 8-byte blob header, 4-byte key length, then the key itself.
  if (size < 12 + 16) return false;
  memcpy(keyBytes, blob.data() + 12, 16);
  return true;
}

// Steps after KeyExchange; false sends the start to its failure exit.
bool SignSessionStart(const GUID& driverRandom, const BYTE* certificate, DWORD certificateLength,
                      AMCOPPSignature* signature, HRESULT currentResult) {
  CoppSession& s = g_coppSession;
  CoppDriverKey driverKey = {};
  if (!ReadDriverKey(certificate, certificateLength, s.m_pfnCryptStringToBinaryA, &driverKey)) return false;

  if (!s.m_hProv && !AcquireProvider(s.m_hProv.put())) {
    // The container is the program's own (a temporary or read-only profile
    // refuses it): no verdict about the graphics may follow.
    const DWORD error = GetLastError();
    JudgeTrace("キーコンテナの作成に失敗 error = %x", static_cast<unsigned>(error));
    NoteOwnPartFault(OwnPart::kKeyContainer, error);
    return false;
  }
  const std::vector<BYTE> blob = BuildPublicKeyBlob(driverKey);
  OwnedCryptKey publicKey;
  if (!CryptImportKey(s.m_hProv.get(), blob.data(), static_cast<DWORD>(blob.size()), 0, 0, publicKey.put()))
    return false;

  if (!CryptGenKey(s.m_hProv.get(), CALG_AES_128, 0x00800001, s.m_hAesKey.put())) {
    s.m_hAesKey.release();  // whatever a failed call left there is no key
    return false;
  }
  BYTE keyBytes[16];
  if (!ExportSessionKeyBytes(s.m_hAesKey.get(), keyBytes)) return false;

  CryptGenRandom(s.m_hProv.get(), sizeof(s.m_uStatusSeq), reinterpret_cast<BYTE*>(&s.m_uStatusSeq));
  CryptGenRandom(s.m_hProv.get(), sizeof(s.m_uCommandSeq), reinterpret_cast<BYTE*>(&s.m_uCommandSeq));

  BYTE* block = signature->Signature;
  memset(block, 0, sizeof(signature->Signature));
  memcpy(block, &driverRandom, 16);
  memcpy(block + 16, keyBytes, 16);
  memcpy(block + 32, &s.m_uStatusSeq, 4);
  memcpy(block + 36, &s.m_uCommandSeq, 4);
  SecureZeroMemory(keyBytes, sizeof(keyBytes));
  // CryptEncrypt reads its input least significant byte first.
  std::reverse(block, block + kSignedBytes);
  DWORD dataLength = kSignedBytes;
  if (!CryptEncrypt(publicKey.get(), 0, TRUE, 0, block, &dataLength, sizeof(signature->Signature))) {
    JudgeTrace("署名データの暗号化に失敗 hr = %x", static_cast<unsigned>(currentResult));
    return false;
  }
  return true;
}

}  // namespace

KeyContainerAcquirer SetKeyContainerAcquirer(KeyContainerAcquirer acquirer) {
  const KeyContainerAcquirer previous = g_acquireKeyContainer;
  g_acquireKeyContainer = acquirer ? acquirer : CryptAcquireContextA;
  return previous;
}

HRESULT CoppStartSession(IBaseFilter* renderer) {
  if (!renderer) return E_NOINTERFACE;
  CoppSession& s = g_coppSession;
  if (s.m_pCOPP) s.m_pCOPP->Release();
  s.m_pCOPP = nullptr;
  HRESULT hr =
      renderer->QueryInterface(IID_IAMCertifiedOutputProtection, reinterpret_cast<void**>(&s.m_pCOPP));
  if (SUCCEEDED(hr) && !s.m_pCOPP) hr = E_NOINTERFACE;  // a peer that says yes but gives nothing
  if (FAILED(hr)) {
    s.m_pCOPP = nullptr;
    JudgeTrace("IID_IAMCertifiedOutputProtectionが見つからない hr = %x", static_cast<unsigned>(hr));
    return E_NOINTERFACE;
  }

  GUID driverRandom = {};
  OwnedTaskMem<BYTE> certificate;
  DWORD certificateLength = 0;
  hr = s.m_pCOPP->KeyExchange(&driverRandom, certificate.put(), &certificateLength);
  if (FAILED(hr)) {
    JudgeTrace("KeyExchange()に失敗 hr = %x", static_cast<unsigned>(hr));
    return hr == kCoppNoHardwareHr ? hr : E_UNEXPECTED;
  }

  bool failed = false;
  AMCOPPSignature signature = {};
  s.m_hCrypt32.reset(LoadLibraryA("Crypt32.dll"));
  if (!s.m_hCrypt32) {
    JudgeTrace("Crypt32.dllが見つからない");
    failed = true;
  } else {
    s.m_pfnCryptStringToBinaryA =
        LookUpExport<PfnCryptStringToBinaryA>(s.m_hCrypt32.get(), "CryptStringToBinaryA");
    if (!s.m_pfnCryptStringToBinaryA) {
      JudgeTrace("CryptStringToBinaryAが見つからない");
      failed = true;
    }
  }
  if (!failed && !certificate) failed = true;
  if (!failed) failed = !SignSessionStart(driverRandom, certificate.get(), certificateLength, &signature, hr);
  if (!failed) {
    hr = s.m_pCOPP->SessionSequenceStart(&signature);
    if (FAILED(hr)) JudgeTrace("SessionSequenceStart()に失敗 hr = %x", static_cast<unsigned>(hr));
  }

  if (failed) hr = E_UNEXPECTED;
  s.m_pfnCryptStringToBinaryA = nullptr;
  s.m_hCrypt32.reset();
  return hr;  // the certificate buffer goes back to the task allocator here
}

CoppResult CoppOpenSession(IBaseFilter* renderer) {
  const HRESULT hr = CoppStartSession(renderer);
  if (hr == S_OK) return kCoppOk;
  if (hr == E_NOINTERFACE) return kCoppNoInterface;
  if (hr == kCoppNoHardwareHr) return kCoppNoHardware;
  if (hr == kCoppRetryHr) return kCoppRetryFromStart;
  return kCoppFailed;
}

int CoppCloseSession() {
  CoppSession& s = g_coppSession;
  // The key before the provider that made it, then the renderer's interface.
  s.m_hAesKey.reset();
  s.m_hProv.reset();
  if (s.m_pCOPP) s.m_pCOPP->Release();
  s.m_pCOPP = nullptr;
  s.m_uStatusSeq = 0;
  s.m_uCommandSeq = 0;
  return 0;
}
