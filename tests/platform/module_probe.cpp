// SPDX-License-Identifier: GPL-3.0-or-later
// A program that tells the name and path it runs under: it says "ready" once
// running, and when a line arrives on its standard input it prints
// ApplicationName() and the module path, one per line. The module tests
// change its file on disk in between.

#include <iostream>
#include <string>

#include "platform/module.h"
#include "platform/str_conv.h"

int main()
{
    std::cout << "ready" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    char16_t path[4096] = {};
    const DWORD length = GetModuleFileNameW(nullptr, path, 4096);
    std::cout << Utf16ToUtf8(ApplicationName()) << '\n' << Utf16ToUtf8(std::u16string_view(path, length)) << '\n';
}
