#include <gtest/gtest.h>

#include "tests/judge/fault_matrix.h"

namespace {

using R = JudgeResult;

// Component video: neither digital nor VGA, so CGMS-A alone decides. It
// logs as the D-JPN and S-Video outputs do: the log never names the connector.
MatrixScenario ComponentWithCgmsa() {
  const Outcome ok = {Flags({&R::displayOk}), 0, 4, 3, 4, "DJpnAsksCgmsa"};
  const Outcome noCopp = {Flags({&R::displayNg, &R::ngCopp}), 0, 0, 0, kMaskUnknown, "CoppUnusable"};
  const Outcome busLost = {Flags({&R::displayOk}), 0, 4, 0, 4, "DJpnAsksCgmsa"};
  const Outcome maskLost = {Flags({&R::displayNg, &R::ngCgmsa}), 0, 0, 3, kMaskUnknown, "SVideoWithoutCgmsa"};
  const Outcome busAndMaskLost = {
      Flags({&R::displayNg, &R::ngCgmsa}), 0, 0, 0, kMaskUnknown, "SVideoWithoutCgmsa"};
  const Outcome cgmsaLost = {Flags({&R::displayNg, &R::ngCgmsa}), 0, 0, 3, 4, "SVideoWithoutCgmsa"};
  return {"bus=3;connector=3;protection=4",
          3,
          ok,
          {
              {1, "connector (communication test)", noCopp, noCopp},
              {2, "bus", busLost, busAndMaskLost},
              {3, "connector", ok, maskLost},
              {4, "protection types", maskLost, maskLost},
              {5, "CGMS-A global", ok, cgmsaLost},
              {6, "CGMS-A local", ok, cgmsaLost},
              {7, "CGMS-A local after CopyFreely", cgmsaLost, cgmsaLost},
              {8, "CGMS-A local after CopyNoMore", cgmsaLost, cgmsaLost},
              {9, "CGMS-A local after CopyOneGeneration", cgmsaLost, cgmsaLost},
              {10, "CGMS-A local after CopyNever", cgmsaLost, cgmsaLost},
          },
          {
              {1, "CGMS-A CopyFreely", 6, cgmsaLost},
              {2, "CGMS-A CopyNoMore", 7, cgmsaLost},
              {3, "CGMS-A CopyOneGeneration", 8, cgmsaLost},
              {4, "CGMS-A CopyNever", 9, cgmsaLost},
          }};
}

TEST_F(FaultMatrix, ComponentWithCgmsaEndsWithTheVerdictOfWhatIsLeft) { RunMatrix(ComponentWithCgmsa()); }

}  // namespace
