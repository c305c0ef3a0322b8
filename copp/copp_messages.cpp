#include "copp/copp_messages.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "copp/copp_omac.h"
#include "copp/copp_session.h"
#include "copp/copp_wire.h"
#include "trace/judge_log.h"

HRESULT CoppStatusRequest(const GUID& requestId, const void* requestData, uint32_t requestLength,
                          void* status, uint32_t* statusLength) {
  CoppSession& s = g_coppSession;
  if (!s.m_pCOPP) return E_NOINTERFACE;
  if (requestLength > sizeof(AMCOPPStatusInput::StatusData) || (requestLength && !requestData) ||
      !statusLength || (*statusLength && !status))
    return E_INVALIDARG;

  std::unique_ptr<BYTE[]> rApp(new (std::nothrow) BYTE[16]());
  if (!rApp) {
    JudgeTrace("Handle out-of-memory condition");
    return E_OUTOFMEMORY;
  }
  CryptGenRandom(s.m_hProv.get(), 16, rApp.get());

  AMCOPPStatusInput input;
  memcpy(&input.rApp, rApp.get(), 16);
  input.guidStatusRequestID = requestId;
  input.dwSequence = s.m_uStatusSeq;
  input.cbSizeData = requestLength;
  if (requestLength) memcpy(input.StatusData, requestData, requestLength);

  AMCOPPStatusOutput output;
  const HRESULT hr = s.m_pCOPP->ProtectionStatus(&input, &output);
  if (FAILED(hr)) {
    JudgeTrace("ProtectionStatus()に失敗 hr = %x", static_cast<unsigned>(hr));
    return hr;
  }

  std::unique_ptr<BYTE[]> covered(new (std::nothrow) BYTE[kCoppMacLength]);
  if (!covered) return E_OUTOFMEMORY;
  memcpy(covered.get(), reinterpret_cast<const BYTE*>(&output) + kCoppMacOffset, kCoppMacLength);
  BYTE tag[16];
  if (!ComputeOmac(s.m_hAesKey.get(), covered.get(), kCoppMacLength, tag)) {
    JudgeTrace("omac cal err");
    return E_UNEXPECTED;
  }
  if (memcmp(tag, &output.macKDI, 16) != 0) {
    JudgeTrace("omac memcmp err");
    return E_UNEXPECTED;
  }

  // The driver's length is never trusted beyond the record it came in.
  const uint32_t copied = std::min<uint32_t>(
      {*statusLength, output.cbSizeData, static_cast<uint32_t>(sizeof(output.COPPStatus))});
  *statusLength = copied;
  if (copied) memcpy(status, output.COPPStatus, copied);
  ++s.m_uStatusSeq;
  return hr;
}

HRESULT CoppCommand(const GUID& commandId, const void* commandData, uint32_t commandLength) {
  CoppSession& s = g_coppSession;
  if (!s.m_pCOPP) return E_NOINTERFACE;
  if (commandLength > sizeof(AMCOPPCommand::CommandData) || (commandLength && !commandData))
    return E_INVALIDARG;

  // The bytes after the command data are covered by the tag as they are.
  AMCOPPCommand command;
  command.guidCommandID = commandId;
  command.dwSequence = s.m_uCommandSeq;
  command.bSizeData = commandLength;
  if (commandLength) memcpy(command.CommandData, commandData, commandLength);

  std::unique_ptr<BYTE[]> covered(new (std::nothrow) BYTE[kCoppMacLength]);
  if (!covered) return E_UNEXPECTED;
  memcpy(covered.get(), reinterpret_cast<const BYTE*>(&command) + kCoppMacOffset, kCoppMacLength);
  BYTE tag[16];
  if (!ComputeOmac(s.m_hAesKey.get(), covered.get(), kCoppMacLength, tag)) return E_UNEXPECTED;
  covered.reset();
  memcpy(&command.macKDI, tag, 16);

  const HRESULT hr = s.m_pCOPP->ProtectionCommand(&command);
  if (FAILED(hr)) {
    JudgeTrace("ProtectionCommand()に失敗 hr = %x", static_cast<unsigned>(hr));
    return hr;
  }
  ++s.m_uCommandSeq;
  return hr;
}
