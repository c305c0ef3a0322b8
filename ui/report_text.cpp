#include "ui/report_text.h"

#include <vector>

#include "res/program_names.h"
#include "res/resource_ids.h"
#include "ui/overall_class.h"
#include "ui/string_resource.h"

namespace {

const char kCrLf[] = "\r\n";

// Each label is 26 bytes, so that every value starts in the same column.
const char kOsLabel[] = "        OS              : ";
const char kCpuLabel[] = "        CPU             : ";
const char kMemoryLabel[] = "        メモリ          : ";
const char kMemoryVerdictLabel[] = "        　　　          : ";
const char kGraphicsLabel[] = "        グラフィック    : ";
const char kContinuationLabel[] = "                        : ";

const char* const kOverallTexts[3] = {
    "◎  ※スムーズな再生を行うために、ご利用環境のＣＰＵ、グラフィックがお考えの製品の\r\n"
    "    製品の必要スペックを満たすことを必ずご確認ください",
    "○  52万画素（DVD相当）の画質で視聴可能です。\r\n"
    "    ※スムーズな再生を行うために、ご利用環境のＣＰＵ、グラフィックがお考えの製品の\r\n"
    "    製品の必要スペックを満たすことを必ずご確認ください ",
    "Ｘ  ご利用の環境では動作することができません。",
};

const char* const kMemoryTexts[3] = {
    "◎  推奨環境です。",
    "○  必須環境です。",
    "Ｘ  メモリが不足しています。2048MB 以上必要です。",
};

// The report's text for each failure factor, in DisplayFactor's order.
const std::string ReportStrings::*const kFailureTexts[kFailureFactorCount] = {
    &ReportStrings::ngOverlay,
    &ReportStrings::ngCopp,
    &ReportStrings::ngHdcp,
    &ReportStrings::ngCgmsa,
};

const char kCheckSpecLine[] = "                        : ※お考えの製品の必要スペックをご確認ください。\r\n";

int MemoryIndex(int memoryClass) {
  if (memoryClass == 0) return 0;
  if (memoryClass == 1) return 1;
  return 2;
}

// Replaces the first "%s"; a '%' byte is never the second half of a
// double-byte character, so a plain search cannot hit one.
std::string FormatWithText(const std::string& format, const std::string& value) {
  const size_t at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + value + format.substr(at + 2);
}

void AppendConnectionBlock(std::string* out, const JudgeResult& judge, const ReportStrings& strings) {
  if (!judge.displayNg && !judge.displayDownscaled) {
    *out += "                        :  ◎  ハイビジョン視聴が可能です。\r\n";
    return;
  }
  std::vector<DisplayFactor> failures;
  for (const DisplayFactor factor : SetDisplayFactors(judge)) {
    if (factor < kFailureFactorCount) failures.push_back(factor);
  }
  if (!failures.empty()) {
    *out += "                        :  × \r\n";
    bool first = true;
    for (const DisplayFactor factor : failures) {
      if (!first) *out += "                         また、\r\n";
      *out += strings.*kFailureTexts[factor];
      first = false;
    }
    return;
  }
  if (judge.analogVgaOutput) {
    *out += "                        :  ○  52万画素（DVD相当）の画質で視聴可能です\r\n";
    *out += strings.analogDownscale;
  }
}

}  // namespace

ReportStrings LoadReportStrings(HINSTANCE module) {
  const auto load = [module](UINT id) { return LoadStringResource(module, id); };
  ReportStrings strings;
  strings.versionLine = load(IDS_REPORT_VERSION_LINE);
  strings.latestInfo = load(IDS_REPORT_LATEST_INFO);
  strings.analogDownscale = load(IDS_REPORT_ANALOG_DOWNSCALE);
  strings.ngOverlay = load(IDS_REPORT_NG_OVERLAY);
  strings.ngCopp = load(IDS_REPORT_NG_COPP);
  strings.ngHdcp = load(IDS_REPORT_NG_HDCP);
  strings.ngCgmsa = load(IDS_REPORT_NG_CGMSA);
  return strings;
}

std::string ComposeReport(const EnvironmentInfo& env, const ReportStrings& strings,
                          const std::string& fileVersion, const std::string& legalCopyright) {
  std::string out;
  out += "---- " PROGRAM_TITLE "　 判定結果 ---- " + env.checkTime + kCrLf;
  out += kCrLf;
  const int overall = ReportOverallClass(env.judge, env.memoryShort != 0, env.isPentium4 != 0);
  out += std::string(kOverallTexts[overall]) + kCrLf;
  out += kCrLf;
  out += kCrLf;
  out += "ご利用環境と判定結果\r\n";
  out += kCrLf;

  out += kOsLabel + env.osName + kCrLf;
  out += std::string(kContinuationLabel) + "◎  対応しています。" + kCrLf;
  out += kCrLf;

  out += kCpuLabel + env.cpuName + kCrLf;
  out += kCheckSpecLine;
  if (env.isPentium4) out += "                        : 対応外のＣＰＵです。\r\n";
  out += kCrLf;

  out += kMemoryLabel + env.memoryText + kCrLf;
  out += std::string(kMemoryVerdictLabel) + kMemoryTexts[MemoryIndex(env.memoryClass)] + kCrLf;
  out += kCrLf;

  out += kGraphicsLabel + env.graphicsName + kCrLf;
  out += kCheckSpecLine;
  out += kCrLf;

  out += "        グラフィック、ディスプレイの接続状態\r\n";
  AppendConnectionBlock(&out, env.judge, strings);
  out += kCrLf;
  out += kCrLf;
  out += strings.latestInfo;
  out += kCrLf;
  out += std::string(72, '-') + " " + kCrLf;
  out += kCrLf;
  out += "        " + FormatWithText(strings.versionLine, fileVersion) + kCrLf;
  out += "        " + legalCopyright;
  return out;
}
