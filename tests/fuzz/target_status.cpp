#include <windows.h>
// The platform headers below build on windows.h.
#include <wincrypt.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "copp/copp_messages.h"
#include "copp/copp_queries.h"
#include "copp/copp_session.h"
#include "copp/copp_wire.h"
#include "tests/fuzz/fuzz_copp_peer.h"
#include "tests/fuzz/fuzz_mutate.h"
#include "tests/fuzz/fuzz_target.h"
#include "tests/fuzz/guarded_heap.h"

namespace {

struct Query {
  const char* name;
  CoppResult (*run)(uint32_t*, uint32_t*);
  const GUID* requestId;
  uint32_t protectionType;
};
const Query kQueries[] = {
    {"bus", CoppGetBusType, &DXVA_COPPQueryBusData, 0},
    {"connector", CoppGetConnectorType, &DXVA_COPPQueryConnectorType, 0},
    {"protection", CoppGetProtectionTypes, &DXVA_COPPQueryProtectionType, 0},
    {"hdcpLocal", CoppGetHdcpLocalLevel, &DXVA_COPPQueryLocalProtectionLevel, kCoppProtectionHdcp},
    {"hdcpGlobal", CoppGetGlobalLevel, &DXVA_COPPQueryGlobalProtectionLevel, kCoppProtectionHdcp},
    {"cgmsaLocal", CoppGetCgmsaLocalLevel, &DXVA_COPPQueryLocalProtectionLevel, kCoppProtectionCgmsa},
    {"cgmsaGlobal", CoppGetCgmsaGlobalLevel, &DXVA_COPPQueryGlobalProtectionLevel, kCoppProtectionCgmsa},
};
constexpr uint32_t kQueryCount = sizeof(kQueries) / sizeof(kQueries[0]);
// The bytes of the status data a query reads: dwFlags and dwData end here.
constexpr uint32_t kAnswerBytesRead = 24;
constexpr BYTE kUntouched = 0xEE;

FuzzCoppPeer g_peer;
GuardedBuffer* g_record = nullptr;
GuardedBuffer* g_request = nullptr;
GuardedBuffer* g_status = nullptr;

// What one case sends and what its driver answers, as dumped.
#pragma pack(push, 1)
struct Plan {
  uint32_t operation;  // a query's place, or kQueryCount for a bare request
  uint32_t tagging;
  int32_t result;
  uint32_t requestLength;
  uint32_t requestPresent;
  uint32_t statusLength;
  uint32_t statusPresent;
  GUID requestId;
  BYTE requestData[4056];
  AMCOPPStatusOutput answer;
};
#pragma pack(pop)

bool ImportSessionKey(HCRYPTPROV provider, const BYTE key[16], HCRYPTKEY* handle) {
  struct {
    BLOBHEADER header;
    DWORD size;
    BYTE key[16];
  } blob = {{PLAINTEXTKEYBLOB, CUR_BLOB_VERSION, 0, CALG_AES_128}, 16, {}};
  std::memcpy(blob.key, key, 16);
  return CryptImportKey(provider, reinterpret_cast<const BYTE*>(&blob), sizeof(blob), 0, 0, handle) != FALSE;
}

bool SetUp() {
  if (!MakeFuzzGuard(&g_record, sizeof(AMCOPPStatusOutput)) || !MakeFuzzGuard(&g_request, 4096) ||
      !MakeFuzzGuard(&g_status, 8192))
    return false;
  const BYTE key[16] = {0x2B, 0x7E, 0x15, 0x16, 0x28, 0xAE, 0xD2, 0xA6,
                        0xAB, 0xF7, 0x15, 0x88, 0x09, 0xCF, 0x4F, 0x3C};
  CoppSession& s = g_coppSession;
  if (!CryptAcquireContextA(s.m_hProv.put(), nullptr, nullptr, PROV_RSA_AES, CRYPT_VERIFYCONTEXT))
    return false;
  if (!ImportSessionKey(s.m_hProv.get(), key, s.m_hAesKey.put()) || !g_peer.SetKey(key)) return false;
  s.m_pCOPP = &g_peer;
  // Close below the wrap, so that every child crosses it within its first cases.
  s.m_uStatusSeq = 0xFFFFFFF0u;
  return true;
}

void TearDown() {
  CoppSession& s = g_coppSession;
  s.m_pCOPP = nullptr;
  s.m_hAesKey.reset();
  s.m_hProv.reset();
}

uint32_t PickSizeData(FuzzRandom& random) {
  const uint32_t pick = random.Below(6);
  if (pick < 2) return sizeof(DXVA_COPPStatusData);
  if (pick == 2) return random.Below(41);
  return pick == 3 ? 4076 + static_cast<uint32_t>(random.Between(-2, 2)) : EdgeValue(random, 32);
}

HRESULT PickResult(FuzzRandom& random) {
  const uint32_t pick = random.Below(32);
  if (pick < 26) return S_OK;
  const HRESULT others[] = {S_FALSE,
                            E_FAIL,
                            static_cast<HRESULT>(kCoppRetryHr),
                            static_cast<HRESULT>(0x80070057L),
                            static_cast<HRESULT>(kCoppNoHardwareHr),
                            static_cast<HRESULT>(random.Next() | 0x80000000u)};
  return others[pick - 26];
}

Plan MakePlan(FuzzRandom& random) {
  Plan plan = {};
  plan.operation = random.Below(10);
  if (plan.operation > kQueryCount) plan.operation = kQueryCount;
  const uint32_t tag = random.Below(20);
  plan.tagging = tag < 17   ? FuzzCoppPeer::kTagged
                 : tag < 19 ? FuzzCoppPeer::kOneBitFlipped
                            : FuzzCoppPeer::kAsGiven;
  plan.result = PickResult(random);
  if (random.OneIn(2)) random.Fill(&plan.answer, sizeof(plan.answer));
  DXVA_COPPStatusData data = {};
  random.Fill(&data, sizeof(data));
  std::memcpy(plan.answer.COPPStatus, &data, sizeof(data));
  plan.answer.cbSizeData = PickSizeData(random);

  random.Fill(&plan.requestId, sizeof(plan.requestId));
  const uint32_t lengths[] = {0, 4, 16, random.Below(65), 4056, 4057, EdgeValue(random, 4056)};
  plan.requestLength = lengths[random.Below(7)];
  plan.requestPresent = !random.OneIn(16);
  random.Fill(plan.requestData, std::min<size_t>(plan.requestLength, sizeof(plan.requestData)));
  const uint32_t room[] = {32, 24, random.Below(65), 4076, 4077, 8192, EdgeValue(random, 32)};
  plan.statusLength = room[random.Below(7)];
  plan.statusPresent = !random.OneIn(16);
  return plan;
}

void CheckRequestSent(FuzzCase& fuzzCase, const GUID& id, uint32_t sequence, const void* data,
                      uint32_t length) {
  const AMCOPPStatusInput& sent = g_peer.LastRequest();
  if (sent.guidStatusRequestID != id) return fuzzCase.Break("the request carried another identifier");
  if (sent.dwSequence != sequence) {
    return fuzzCase.Break("the request carried number %08x, not %08x", static_cast<unsigned>(sent.dwSequence),
                          sequence);
  }
  if (sent.cbSizeData != length || (length && std::memcmp(sent.StatusData, data, length) != 0)) {
    fuzzCase.Break("the request data differ from what was asked");
  }
}

bool Accepted(const Plan& plan) { return SUCCEEDED(plan.result) && plan.tagging == FuzzCoppPeer::kTagged; }

void RunQuery(FuzzCase& fuzzCase, const Plan& plan, uint32_t sequence) {
  const Query& query = kQueries[plan.operation];
  uint32_t value = 0xA5A5A5A5u;
  uint32_t flags = 0x5A5A5A5Au;
  CoppResult result;
  {
    GuardedHeapScope heap;
    result = query.run(&value, &flags);
  }
  CheckRequestSent(fuzzCase, *query.requestId, sequence, &query.protectionType, query.protectionType ? 4 : 0);
  if (fuzzCase.broken()) return;
  const bool accepted = Accepted(plan);
  if (g_coppSession.m_uStatusSeq != sequence + (accepted ? 1 : 0)) {
    return fuzzCase.Break("%s: the number went from %08x to %08x", query.name, sequence,
                          g_coppSession.m_uStatusSeq);
  }
  const bool answered = accepted && plan.answer.cbSizeData >= kAnswerBytesRead;
  if (!answered) {
    const CoppResult wanted = plan.result == kCoppRetryHr ? kCoppRetryFromStart : kCoppFailed;
    if (result != wanted || value != 0xA5A5A5A5u || flags != 0x5A5A5A5Au) {
      fuzzCase.Break("%s: %s answer (%u bytes, result %08lx) gave %d with value %08x", query.name,
                     accepted ? "a short" : "a refused", static_cast<unsigned>(plan.answer.cbSizeData),
                     static_cast<unsigned long>(plan.result), result, value);
    }
    return;
  }
  DXVA_COPPStatusData data;
  std::memcpy(&data, plan.answer.COPPStatus, sizeof(data));
  if (result != kCoppOk || value != data.dwData || flags != data.dwFlags) {
    fuzzCase.Break("%s: gave %d, %08x/%08x for %08x/%08x", query.name, result, value, flags, data.dwData,
                   data.dwFlags);
  }
}

void RunRequest(FuzzCase& fuzzCase, const Plan& plan, uint32_t sequence) {
  const uint32_t placed = std::min<uint32_t>(plan.requestLength, sizeof(plan.requestData));
  const BYTE* requestData =
      plan.requestPresent ? g_request->Place(plan.requestData, placed, fuzzCase.placement()) : nullptr;
  const std::vector<BYTE> fresh(std::min<uint32_t>(plan.statusLength, 8192), kUntouched);
  BYTE* status =
      plan.statusPresent ? g_status->Place(fresh.data(), fresh.size(), fuzzCase.placement()) : nullptr;
  uint32_t length = plan.statusLength;
  const uint32_t requestsBefore = g_peer.Requests();
  HRESULT hr;
  {
    GuardedHeapScope heap;
    hr = CoppStatusRequest(plan.requestId, requestData, plan.requestLength, status, &length);
  }
  const bool invalid =
      plan.requestLength > 4056 || (plan.requestLength && !requestData) || (plan.statusLength && !status);
  if (invalid) {
    if (hr != E_INVALIDARG || g_peer.Requests() != requestsBefore) {
      fuzzCase.Break("request of %u bytes into %u: %08lx, sent %d", plan.requestLength, plan.statusLength,
                     static_cast<unsigned long>(hr), g_peer.Requests() != requestsBefore);
    }
    return;
  }
  CheckRequestSent(fuzzCase, plan.requestId, sequence, plan.requestData, plan.requestLength);
  if (fuzzCase.broken()) return;
  const bool accepted = Accepted(plan);
  const HRESULT wanted = accepted ? plan.result : SUCCEEDED(plan.result) ? E_UNEXPECTED : plan.result;
  const uint32_t copied =
      accepted ? std::min<uint32_t>({plan.statusLength, plan.answer.cbSizeData, 4076u}) : plan.statusLength;
  if (hr != wanted || length != copied || g_coppSession.m_uStatusSeq != sequence + (accepted ? 1 : 0)) {
    return fuzzCase.Break("answer of %u bytes into %u: %08lx with %u bytes, wanted %08lx with %u",
                          static_cast<unsigned>(plan.answer.cbSizeData), plan.statusLength,
                          static_cast<unsigned long>(hr), length, static_cast<unsigned long>(wanted), copied);
  }
  const size_t written = accepted ? copied : 0;
  if (written && std::memcmp(status, plan.answer.COPPStatus, written) != 0) {
    return fuzzCase.Break("the status bytes copied differ from the answer");
  }
  for (size_t i = written; i < fresh.size(); ++i) {
    if (status[i] != kUntouched)
      return fuzzCase.Break("byte %u past the copy was written", static_cast<unsigned>(i));
  }
}

void Run(FuzzCase& fuzzCase) {
  const Plan plan = MakePlan(fuzzCase.random());
  fuzzCase.RecordInput(&plan, sizeof(plan));
  const auto* answer =
      reinterpret_cast<const AMCOPPStatusOutput*>(g_record->Place(&plan.answer, sizeof(plan.answer)));
  g_peer.Plan(answer, static_cast<FuzzCoppPeer::Tagging>(plan.tagging), plan.result);
  const uint32_t sequence = g_coppSession.m_uStatusSeq;
  if (plan.operation < kQueryCount) {
    RunQuery(fuzzCase, plan, sequence);
  } else {
    RunRequest(fuzzCase, plan, sequence);
  }
}

}  // namespace

const FuzzTarget kStatusTarget = {"status", SetUp, Run, TearDown};
