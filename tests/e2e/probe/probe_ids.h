#pragma once
// Ids of the harness probe: a small stand-in for a game window, used to prove
// the end-to-end harness itself.

#define IDR_PROBE 128

#define ID_PROBE_MESSAGE 100
#define ID_PROBE_EXIT 101
#define ID_PROBE_TOGGLED 102
#define ID_PROBE_SWITCH 103
#define ID_PROBE_ALWAYS 104
#define ID_PROBE_REGISTRY 105
#define ID_PROBE_NEVER 106

#define IDW_PROBE_VIEW 59648
