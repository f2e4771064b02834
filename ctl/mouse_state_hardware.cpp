// The real mouse keeps its own memory: nothing to do.
#include "ctl/mouse_state.h"

void RestoreMouseState() {}

void KeepMouseState() {}
