// Kept for includes outside the voice: the bridge lives in wine/WineBridge.h.
#pragma once

#include "wine/WineBridge.h"
