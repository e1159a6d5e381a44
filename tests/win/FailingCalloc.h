// For test programs linked with -Wl,--wrap=calloc and FailingCalloc.cpp: while the flag is set, every
// calloc returns null, so a test can exhaust memory at one chosen step.
#pragma once

extern volatile bool g_bFailCalloc;
