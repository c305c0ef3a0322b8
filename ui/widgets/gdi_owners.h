#pragma once

#include "handles/gdi_scopes.h"
