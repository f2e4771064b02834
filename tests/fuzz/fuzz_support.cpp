// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/fuzz/fuzz_support.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

#include "platform/str_conv.h"

CFuzzInputFile::CFuzzInputFile(const char* name)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kx-fuzz-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    Require(::mkdtemp(buffer.data()) != nullptr);
    m_folder = buffer.data();
    m_path = Utf8ToUtf16(m_folder + "/" + name);
}

CFuzzInputFile::~CFuzzInputFile()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

void CFuzzInputFile::Write(std::span<const std::uint8_t> bytes)
{
    std::ofstream out(Utf16ToUtf8(m_path), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    Require(out.good());
}
