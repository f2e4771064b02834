// SPDX-License-Identifier: GPL-3.0-or-later
// Every test program keeps what the program writes to the user's state
// folder (the DPI table last read from the mouse) in the build tree, never
// in the home of whoever runs the tests. An XDG_STATE_HOME given to the
// program is kept.

#include <cstdlib>

namespace {

const bool g_stateHomeSet = [] {
    return ::setenv("XDG_STATE_HOME", KX_TEST_OUTPUT_DIR "/test-state", 0) == 0;
}();

}  // namespace
