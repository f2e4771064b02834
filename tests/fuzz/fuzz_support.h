// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the fuzz targets share: a check that aborts (the fuzzer reports the
// input), a file that holds the current input for parsers that read files,
// and a message-box presenter that shows nothing.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "platform/msg_box.h"

inline void Require(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// A file of this process in the temporary folder, rewritten for each input.
class CFuzzInputFile {
public:
    explicit CFuzzInputFile(const char* name);
    ~CFuzzInputFile();
    CFuzzInputFile(const CFuzzInputFile&) = delete;
    CFuzzInputFile& operator=(const CFuzzInputFile&) = delete;

    void Write(std::span<const std::uint8_t> bytes);
    const std::u16string& Path() const { return m_path; }

private:
    std::string m_folder;
    std::u16string m_path;
};

// Answers every box OK without showing or printing it.
class CSilentBoxes final : public IMessageBoxPresenter {
public:
    int Show(HWND, std::u16string_view, std::u16string_view, UINT) override
    {
        ++shown;
        return 1;  // IDOK
    }
    int shown = 0;
};
