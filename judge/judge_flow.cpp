#include "judge/judge_flow.h"

#include "judge/judge_questions.h"
#include "trace/judge_log.h"

using namespace judge_text;

namespace {

// Asks one question in the log and returns the predicate's answer.
int Ask(const char* question, int answer) {
  JudgeTrace(question);
  JudgeTrace(answer ? kYes : kNo);
  return answer;
}

}  // namespace

void ListJudgeFactors(const DisplayCheckRecord* record) {
  JudgeTrace("---------- 各種要因表示 ---------");
  Ask(kOverlayQuestion, IsOverlayUsable(record));
  if (!Ask(kCoppQuestion, IsCoppUsable(record))) return;
  // Unlike the flow, the listing goes on after an internal connector.
  Ask(kInternalQuestion, IsConnectorInternal(record));
  Ask(kPciExpressQuestion, IsBusPciExpress(record));
  if (Ask(kDigitalQuestion, IsDigitalConnector(record))) {
    Ask(kHdcpQuestion, IsHdcpSetOk(record));
  }
  if (Ask(kVgaQuestion, IsVgaConnector(record))) return;
  Ask(kCgmsaQuestion, IsCgmsaOk(record));
}

void DoJudge2(const DisplayCheckRecord* record, JudgeResult* result) {
  JudgeTrace("---------- 判定処理フロー ---------");

  if (!Ask(kOverlayQuestion, IsOverlayUsable(record))) {
    JudgeTrace("-- 表示不可要因６(オーバーレイ使用不可)");
    result->displayNg = 1;
    result->ngOverlay = 1;
  }

  if (!Ask(kCoppQuestion, IsCoppUsable(record))) {
    JudgeTrace("-- 表示不可要因７(COPPに対応していない)");
    result->displayNg = 1;
    result->ngCopp = 1;
    if (NeedsRetryFromStart(record)) {
      JudgeTrace("最初からリトライさせる");
      result->retryFromStart = 1;
    }
    return;
  }

  if (Ask(kInternalQuestion, IsConnectorInternal(record))) {
    JudgeTrace("-- 表示可１?");
    result->displayOk = 1;
    return;
  }

  // Logged for the record only: the bus type decides nothing.
  Ask(kPciExpressQuestion, IsBusPciExpress(record));

  if (Ask(kDigitalQuestion, IsDigitalConnector(record))) {
    if (Ask(kHdcpQuestion, IsHdcpSetOk(record))) {
      result->displayOk = 1;
      return;
    }
    // A digital output without HDCP still gets the analogue questions.
    JudgeTrace("-- 表示不可要因９(デジタルでHDCPに対応していない)");
    result->displayNg = 1;
    result->ngHdcp = 1;
  }

  if (Ask(kVgaQuestion, IsVgaConnector(record))) {
    result->displayDownscaled = 1;
    result->analogVgaOutput = 1;
    return;
  }

  if (Ask(kCgmsaQuestion, IsCgmsaOk(record))) {
    JudgeTrace("-- 表示可１");
    result->displayOk = 1;
  } else {
    JudgeTrace("-- 表示不可要因１１(CGMSAに対応していない)");
    result->displayNg = 1;
    result->ngCgmsa = 1;
  }
}
