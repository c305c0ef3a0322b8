#include "ui/own_part_fault_text.h"

#include <cstdio>

namespace {

const char* PartName(OwnPart part) {
  switch (part) {
    case OwnPart::kSourceFilter:
      return "ball_source.dll";
    case OwnPart::kKeyContainer:
      return "キーコンテナー wznChecker";
    default:
      return "?";
  }
}

}  // namespace

std::string OwnPartFaultText(const std::string& message, const OwnPartFault& fault) {
  char line[96];
  std::snprintf(line, sizeof(line), "サポート情報: %s 0x%08lX", PartName(fault.part), fault.code);
  return message + "\r\n\r\n" + line;
}
