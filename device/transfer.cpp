// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/transfer.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string>

#include "device/device_link.h"
#include "device/scrambling.h"
#include "platform/clock.h"
#include "platform/hid.h"
#include "platform/msg_box.h"
#include "platform/services/user_config_folder.h"
#include "platform/winuser.h"
#include "settings/device_image.h"
#include "settings/dpi_tables.h"
#include "settings/kept_dpi_table.h"

namespace {

// The mouse needs time to take a header before the first block arrives, and
// time to commit or prepare each block before the next command.
constexpr std::chrono::milliseconds kAfterHeaderWrite{20};
constexpr std::chrono::milliseconds kAfterBlock{100};

// Command report layout.
constexpr std::size_t kReportIdAt = 0;
constexpr std::size_t kSignatureAt = 1;
constexpr std::size_t kCommandAt = 5;
constexpr std::size_t kFirstValueAt = 6;
constexpr std::size_t kSecondValueAt = 7;
constexpr BYTE kCommandReportId = 0x01;
constexpr BYTE kDataReportId = 0x00;
constexpr std::array<BYTE, 4> kSignature = {0xAA, 0xCC, 0xEE, 0xDD};
constexpr BYTE kReadBit = 0x80;
constexpr BYTE kHeaderBlock = 0;

constexpr std::size_t kReportBufferSize = 80;

constexpr char16_t kReadCaption[] = u"ReadOperation";
constexpr char16_t kWriteCaption[] = u"WriteOperation";

void Pause(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

bool Scrambling() { return g_deviceLink.deviceOpened != 0; }

// One sequence's report buffer and the calls that use it. Every call clears
// the buffer first, as each report is built or fetched afresh.
class ReportSequence {
public:
    void BuildCommand(BYTE command, BYTE firstValue, BYTE secondValue)
    {
        m_buffer.fill(0);
        m_buffer[kReportIdAt] = kCommandReportId;
        std::copy(kSignature.begin(), kSignature.end(), m_buffer.begin() + kSignatureAt);
        m_buffer[kCommandAt] = command;
        m_buffer[kFirstValueAt] = firstValue;
        m_buffer[kSecondValueAt] = secondValue;
    }

    void EncodeCommand() { EncodeCommandReport(m_buffer.data()); }

    bool SendCommand()
    {
        return HidD_SetFeature(g_deviceLink.commandHandle, m_buffer.data(), g_deviceLink.commandReportLength);
    }

    bool FetchAnswer()
    {
        m_buffer.fill(0);
        m_buffer[kReportIdAt] = kCommandReportId;
        return HidD_GetFeature(g_deviceLink.commandHandle, m_buffer.data(), g_deviceLink.commandReportLength);
    }

    bool SignatureValid() const
    {
        return std::equal(kSignature.begin(), kSignature.end(), m_buffer.begin() + kSignatureAt);
    }

    bool ReportIdValid() const { return m_buffer[kReportIdAt] == kCommandReportId; }

    BYTE FirstValue() const { return m_buffer[kFirstValueAt]; }
    BYTE SecondValue() const { return m_buffer[kSecondValueAt]; }

    void DecodeAnswer() { DecodeCommandReport(m_buffer.data()); }

    bool FetchBlock(DeviceImage& image, std::size_t block)
    {
        m_buffer.fill(0);
        m_buffer[kReportIdAt] = kDataReportId;
        if (!HidD_GetFeature(g_deviceLink.dataHandle, m_buffer.data(), g_deviceLink.dataReportLength)) {
            return false;
        }
        if (Scrambling()) {
            DecodeDataReport(m_buffer.data());
        }
        std::copy_n(m_buffer.begin() + 1, kBlockSize, image.begin() + BlockOffset(block));
        return true;
    }

    bool SendBlock(const DeviceImage& image, std::size_t block)
    {
        m_buffer.fill(0);
        m_buffer[kReportIdAt] = kDataReportId;
        std::copy_n(image.begin() + BlockOffset(block), kBlockSize, m_buffer.begin() + 1);
        if (Scrambling()) {
            EncodeDataReport(m_buffer.data());
        }
        return HidD_SetFeature(g_deviceLink.dataHandle, m_buffer.data(), g_deviceLink.dataReportLength);
    }

private:
    std::array<BYTE, kReportBufferSize> m_buffer{};
};

BOOL Fail(HWND owner, std::u16string_view mouseNotFound, const char16_t* caption)
{
    const std::u16string text(mouseNotFound);
    MessageBoxW(owner, text.c_str(), caption, MB_OK);
    return FALSE;
}

// Sends the command of one block, then fetches (and ignores) its answer.
bool AnnounceBlock(ReportSequence& sequence, BYTE command)
{
    sequence.BuildCommand(command, 0, 0);
    if (Scrambling()) {
        sequence.EncodeCommand();
    }
    return sequence.SendCommand() && sequence.FetchAnswer();
}

// The header read that opens both sequences; the answer is left decoded in the buffer.
bool AskHeader(ReportSequence& sequence, bool alwaysEncode)
{
    sequence.BuildCommand(kReadBit | kHeaderBlock, 0, 0);
    if (alwaysEncode || Scrambling()) {
        sequence.EncodeCommand();
    }
    if (!sequence.SendCommand() || !sequence.FetchAnswer()) {
        return false;
    }
    if (Scrambling()) {
        sequence.DecodeAnswer();
    }
    return true;
}

bool ReadBlocks(ReportSequence& sequence)
{
    for (std::size_t block = 1; block <= kBlockCount; ++block) {
        if (!AnnounceBlock(sequence, static_cast<BYTE>(kReadBit | block)) ||
            !sequence.FetchBlock(g_deviceImage, block)) {
            return false;
        }
        Pause(kAfterBlock);
    }
    return true;
}

bool WriteBlocks(ReportSequence& sequence)
{
    for (std::size_t block = 1; block <= kBlockCount; ++block) {
        if (!AnnounceBlock(sequence, static_cast<BYTE>(block)) || !sequence.SendBlock(g_deviceImage, block)) {
            return false;
        }
        Pause(kAfterBlock);
    }
    return true;
}

}  // namespace

// Every feature call is examined: a call that fails ends the sequence with the
// same message as a first answer without the signature. A read that ends
// early leaves the image cleared, never half filled.
BOOL ReadDeviceConfiguration(HWND owner, std::u16string_view mouseNotFound)
{
    g_deviceImageFromMouse = false;
    ReportSequence sequence;
    // The first command is scrambled in every case: reads only run once the mouse has been opened.
    if (!AskHeader(sequence, true) || !sequence.ReportIdValid() || !sequence.SignatureValid()) {
        return Fail(owner, mouseNotFound, kReadCaption);
    }
    g_deviceImage[kImageUsbReportRate] = sequence.FirstValue();
    g_deviceImage[kImageSensorDpiStage] = sequence.SecondValue();
    if (!ReadBlocks(sequence)) {
        ClearDeviceImage();
        return Fail(owner, mouseNotFound, kReadCaption);
    }
    g_deviceImageFromMouse = true;
    return TRUE;
}

BOOL WriteDeviceConfiguration(HWND owner, std::u16string_view mouseNotFound)
{
    // Blocks that did not come from the mouse would replace its own configuration.
    if (!g_deviceImageFromMouse) {
        return Fail(owner, mouseNotFound, kWriteCaption);
    }
    ReportSequence sequence;
    if (!AskHeader(sequence, false) || !sequence.SignatureValid()) {
        return Fail(owner, mouseNotFound, kWriteCaption);
    }
    sequence.BuildCommand(kHeaderBlock, g_deviceImage[kImageUsbReportRate], g_deviceImage[kImageSensorDpiStage]);
    if (Scrambling()) {
        sequence.EncodeCommand();
    }
    if (!sequence.SendCommand()) {
        return Fail(owner, mouseNotFound, kWriteCaption);
    }
    Pause(kAfterHeaderWrite);
    if (!WriteBlocks(sequence)) {
        return Fail(owner, mouseNotFound, kWriteCaption);
    }
    return TRUE;
}

BOOL RefreshDeviceImage(HWND owner, std::u16string_view mouseNotFound)
{
    ClearDeviceImage();
    const BOOL read = ReadDeviceConfiguration(owner, mouseNotFound);
    DpiTableSet = g_deviceImage[kImageDpiTableSelector];
    if (read) {
        // Remembered for the command, which reads the settings files' DPI
        // positions in this table while the mouse is away.
        KeepDpiTable(UserStateHome(), DpiTableSet);
    }
    return read;
}
