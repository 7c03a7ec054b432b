#pragma once
// <windows.h> for the Win32 backend; include it instead. Our message, style
// and key constants carry Windows' own names and values, so they are declared
// first: windows.h then defines the same names as macros of the same values.
// It also names its ANSI/wide pairs by macros that would rename our methods.
#include "platform/window/window_system_base.h"

#include <windows.h>

#include <imm.h>

#undef CreateWindow
#undef DefWindowProc
#undef DispatchMessage
#undef GetMessage
#undef GetProp
#undef PeekMessage
#undef RemoveProp
#undef SetProp
#undef SetWindowText
