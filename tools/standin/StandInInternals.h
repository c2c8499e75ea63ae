#pragma once
// Internals shared by the stand-in's translation units.

#include <windows.h>

#include "StandIn.h"

namespace standin {

// The one instance, for the window procedures; set while it lives.
extern StandIn* g_standIn;

// The control window's timer that runs the next steps of the script.
inline constexpr UINT_PTR kScriptTimer = 1;

}  // namespace standin
