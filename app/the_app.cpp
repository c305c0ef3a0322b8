#include "app/checker_app.h"

// The one application object of the process. It is part of the program's
// own sources, not the library, so that the linker always keeps it.
CwznCheckerApp theApp;
