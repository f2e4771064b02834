// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// A file of the user's folders read as untrusted input: only a regular file
// (a link is not followed, a pipe not waited on) of at most maxBytes.
// `missing` tells a file that is not there from one that is refused.
struct UntrustedRead {
    std::optional<std::string> text;
    bool missing = false;
    std::string error;  // "PATH: why", when there is no text
};
UntrustedRead ReadUntrustedFile(const std::string& path, std::size_t maxBytes);
