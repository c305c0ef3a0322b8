#pragma once

#include <unknwn.h>

// The class object that DllGetClassObject hands out for the ball source.
HRESULT GetBallClassFactory(REFIID riid, void** ppv);
