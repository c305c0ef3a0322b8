#include "copp/own_part_fault.h"

namespace {

OwnPartFault g_ownPartFault;

}  // namespace

void NoteOwnPartFault(OwnPart part, unsigned long code) {
  if (g_ownPartFault.part != OwnPart::kNone) return;
  g_ownPartFault.part = part;
  g_ownPartFault.code = code;
}

OwnPartFault TakeOwnPartFault() {
  const OwnPartFault fault = g_ownPartFault;
  g_ownPartFault = OwnPartFault();
  return fault;
}
