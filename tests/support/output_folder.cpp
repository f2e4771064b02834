// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/support/output_folder.h"

#include <cstdlib>

std::string BuildOutputFolder()
{
    const char* output = std::getenv("KX_OUTPUT_DIR");
    return output != nullptr ? output : KX_TEST_OUTPUT_DIR;
}
