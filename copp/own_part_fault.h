#pragma once

// Where the program's own part ends and the PC's begins: a failure to
// create the video source filter (our DLL, installed and registered by our
// setup) or to make or open the session's key container (ours, in the
// user's profile) is the program's fault, and no verdict about the graphics
// may follow from it. Everything else the check meets (the filter graph,
// the platform's renderer, the connection of the two, the driver's answers)
// belongs to the PC and is judged.
enum class OwnPart : int {
  kNone = 0,
  kSourceFilter = 1,
  kKeyContainer = 2,
};

struct OwnPartFault {
  OwnPart part = OwnPart::kNone;
  unsigned long code = 0;  // the HRESULT or the system error code of the failure
};

// The first fault of the current display check is kept; later ones follow from it.
void NoteOwnPartFault(OwnPart part, unsigned long code);
// Gives the fault noted since the last call (kNone when none) and forgets it.
OwnPartFault TakeOwnPartFault();
