#pragma once

#include <windows.h>
// The platform headers below build on windows.h.
#include <strmif.h>
#include <wincrypt.h>

#include <cstddef>
#include <cstdint>

#include "copp/copp_result.h"
#include "handles/owner.h"

using PfnCryptStringToBinaryA = BOOL(WINAPI*)(LPCSTR, DWORD, DWORD, BYTE*, DWORD*, DWORD*, DWORD*);

// The one COPP session of the process. CoppCloseSession releases the members
// in its fixed order; their destructors run only at process exit. The
// renderer's interface stays a raw pointer so that nothing releases it then,
// when the renderer's server may be gone.
struct CoppSession {
  IAMCertifiedOutputProtection* m_pCOPP = nullptr;
  OwnedCryptProvider m_hProv;
  OwnedCryptKey m_hAesKey;
  uint32_t m_uStatusSeq = 0;
  uint32_t m_uCommandSeq = 0;
  OwnedModule m_hCrypt32;
  PfnCryptStringToBinaryA m_pfnCryptStringToBinaryA = nullptr;
};

extern CoppSession g_coppSession;

// The key container kept between runs.
constexpr char kCoppKeyContainer[] = "wznChecker";

// Test seam: how the session acquires its key container, CryptAcquireContextA's
// way; null puts CryptAcquireContextA back. Returns the previous one.
using KeyContainerAcquirer = BOOL(WINAPI*)(HCRYPTPROV* provider, LPCSTR container, LPCSTR providerName,
                                           DWORD providerType, DWORD flags);
KeyContainerAcquirer SetKeyContainerAcquirer(KeyContainerAcquirer acquirer);

// Starts the session on the renderer (null allowed) and maps the outcome to
// 0 established, 1 failed, 2 no COPP interface, 3 no COPP hardware, 4 retry.
CoppResult CoppOpenSession(IBaseFilter* renderer);
// Releases whatever the session holds; always 0.
int CoppCloseSession();
// The session start as the driver sees it; CoppOpenSession maps its result.
HRESULT CoppStartSession(IBaseFilter* renderer);

// Finds the text between the first opening tag and the closing tag that
// follows it; a closing tag that ends at the very last byte is not found.
bool FindCertificateElement(const BYTE* data, size_t length, const char* openTag, const char* closeTag,
                            size_t* valueOffset, size_t* valueLength);
