#include <gtest/gtest.h>

#include "tests/judge/fault_matrix.h"

namespace {

using R = JudgeResult;

// HDMI: the HDCP answer decides; CGMS-A counts only once HDCP has failed.
MatrixScenario HdmiWithHdcpAndCgmsa() {
  const Outcome ok = {Flags({&R::displayOk}), 1, 4, 3, 5, "HdmiWithHdcpAndCgmsa"};
  const Outcome noCopp = {Flags({&R::displayNg, &R::ngCopp}), 0, 0, 0, kMaskUnknown, "CoppUnusable"};
  const Outcome busLost = {Flags({&R::displayOk}), 1, 4, 0, 5, "HdmiWithHdcpAndCgmsa"};
  const Outcome maskLost = {
      Flags({&R::displayNg, &R::ngHdcp, &R::ngCgmsa}), 0, 0, 3, kMaskUnknown, "HdmiWithoutHdcpOrCgmsa"};
  const Outcome busAndMaskLost = {
      Flags({&R::displayNg, &R::ngHdcp, &R::ngCgmsa}), 0, 0, 0, kMaskUnknown, "HdmiWithoutHdcpOrCgmsa"};
  const Outcome hdcpLost = {
      Flags({&R::displayOk, &R::displayNg, &R::ngHdcp}), 0, 4, 3, 5, "HdmiWithoutHdcpButCgmsa"};
  const Outcome cgmsaLost = {Flags({&R::displayOk}), 1, 0, 3, 5, "HdmiWithHdcp"};
  const Outcome bothLost = {
      Flags({&R::displayNg, &R::ngHdcp, &R::ngCgmsa}), 0, 0, 3, 5, "HdmiWithoutHdcpOrCgmsa"};
  return {"bus=3;connector=5;protection=5",
          5,
          ok,
          {
              {1, "connector (communication test)", noCopp, noCopp},
              {2, "bus", busLost, busAndMaskLost},
              {3, "connector", ok, maskLost},
              {4, "protection types", maskLost, maskLost},
              {5, "HDCP global", ok, bothLost},
              {6, "HDCP local", ok, bothLost},
              {7, "HDCP global after the set", ok, bothLost},
              {8, "HDCP local after the set", hdcpLost, bothLost},
              {9, "CGMS-A global", ok, cgmsaLost},
              {10, "CGMS-A local", ok, cgmsaLost},
              {11, "CGMS-A local after CopyFreely", cgmsaLost, cgmsaLost},
              {12, "CGMS-A local after CopyNoMore", cgmsaLost, cgmsaLost},
              {13, "CGMS-A local after CopyOneGeneration", cgmsaLost, cgmsaLost},
              {14, "CGMS-A local after CopyNever", cgmsaLost, cgmsaLost},
          },
          {
              {1, "HDCP Level1", 6, hdcpLost},
              {2, "CGMS-A CopyFreely", 10, cgmsaLost},
              {3, "CGMS-A CopyNoMore", 11, cgmsaLost},
              {4, "CGMS-A CopyOneGeneration", 12, cgmsaLost},
              {5, "CGMS-A CopyNever", 13, cgmsaLost},
          }};
}

TEST_F(FaultMatrix, HdmiWithHdcpAndCgmsaEndsWithTheVerdictOfWhatIsLeft) { RunMatrix(HdmiWithHdcpAndCgmsa()); }

}  // namespace
