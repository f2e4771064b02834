// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/program.h"

int main()
{
    return RunVantorProgram();
}
