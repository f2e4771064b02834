// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sim/sim_mouse.h"

#include <algorithm>

#include "platform/sim/firmware_scrambling.h"

namespace {

constexpr std::uint8_t kCommandReportId = 0x01;
constexpr std::uint8_t kWrongReportId = 0x02;
constexpr std::uint8_t kDataReportId = 0x00;
constexpr std::array<std::uint8_t, 4> kSignature = {0xAA, 0xCC, 0xEE, 0xDD};
constexpr std::uint8_t kReadBit = 0x80;
constexpr std::size_t kLastBlock = 5;

// Factory values at their image offsets.
constexpr std::size_t kReportRateAt = 0;
constexpr std::size_t kDpiStageAt = 1;
constexpr std::size_t kButtonMap1At = 130;
constexpr std::size_t kButtonMap2At = 162;
constexpr std::size_t kDpiTableSelectorAt = 195;
constexpr std::size_t kEnabledStagesAt = 200;
constexpr std::size_t kLedModeAt = 204;
constexpr std::size_t kLedParameterAt = 205;
constexpr std::size_t kFireTimesAt = 208;
constexpr std::size_t kSnipeCodeAt = 217;
constexpr std::size_t kStageCodesAt = 218;
constexpr std::size_t kConsumerTableAt = 226;
constexpr std::size_t kHotKeyTableAt = 306;

// (code, type) per button position: left, right, middle, forward, DPI switch, backward.
constexpr std::array<std::uint8_t, 12> kFactoryButtonMap = {0xF0, 0x00, 0xF1, 0x00, 0xF2, 0x00,
                                                            0xF4, 0x00, 0x05, 0x03, 0xF3, 0x00};
constexpr std::array<std::uint8_t, 32> kFactoryConsumerTable = {
    0xB5, 0x00, 0xB6, 0x00, 0xB7, 0x00, 0xCD, 0x00, 0xE2, 0x00, 0xE9, 0x00, 0xEA, 0x00, 0x83, 0x01,
    0x8A, 0x01, 0x92, 0x01, 0x94, 0x01, 0x21, 0x02, 0x23, 0x02, 0x24, 0x02, 0x25, 0x02, 0x27, 0x02,
};
constexpr std::array<std::uint8_t, 16> kFactoryHotKeyTable = {
    0xE0, 0x06, 0xE0, 0x1B, 0xE0, 0x19, 0xE0, 0x04, 0xE0, 0x12, 0xE0, 0x11, 0xE0, 0x16, 0xE0, 0x1D,
};
// Stage DPI codes per table: positions 1, 3, 6, 7 of each table, all enabled.
constexpr std::array<std::array<std::uint8_t, 4>, 4> kFactoryStageCodes = {{
    {0x02, 0x04, 0x07, 0x08},
    {0x02, 0x04, 0x24, 0x25},
    {0x04, 0x08, 0x28, 0x2A},
    {0x02, 0x04, 0x07, 0x08},
}};

}  // namespace

SimMouse::SimMouse() : m_memory(FactoryConfiguration()) {}

SimMouse::Configuration SimMouse::FactoryConfiguration(std::uint8_t dpiTableSet)
{
    Configuration memory{};
    // Bytes the program leaves alone get a pattern that no encoding step writes,
    // so a test sees at once whether they survived.
    for (std::size_t i = 2; i < kConfigurationSize; ++i) {
        memory[i] = static_cast<std::uint8_t>(0xA5 ^ (i * 7));
    }
    memory[kReportRateAt] = 8;
    memory[kDpiStageAt] = 1;
    std::copy(kFactoryButtonMap.begin(), kFactoryButtonMap.end(), memory.begin() + kButtonMap1At);
    std::copy(kFactoryButtonMap.begin(), kFactoryButtonMap.end(), memory.begin() + kButtonMap2At);
    memory[kDpiTableSelectorAt] = dpiTableSet;
    memory[kEnabledStagesAt] = 4;
    memory[kLedModeAt] = 2;
    memory[kLedParameterAt] = 3;
    memory[kFireTimesAt] = 10;
    memory[kFireTimesAt + 1] = 10;
    memory[kSnipeCodeAt] = 0x01;
    const auto& stages = kFactoryStageCodes[dpiTableSet % kFactoryStageCodes.size()];
    std::copy(stages.begin(), stages.end(), memory.begin() + kStageCodesAt);
    std::copy(kFactoryConsumerTable.begin(), kFactoryConsumerTable.end(), memory.begin() + kConsumerTableAt);
    std::copy(kFactoryHotKeyTable.begin(), kFactoryHotKeyTable.end(), memory.begin() + kHotKeyTableAt);
    return memory;
}

bool SimMouse::SetCommand(const std::uint8_t* report, std::size_t length)
{
    if (length != kCommandLength || report[0] != kCommandReportId) {
        return false;
    }
    std::array<std::uint8_t, kCommandLength> command{};
    std::copy_n(report, kCommandLength, command.begin());
    FirmwareDecodeReport(command.data(), kCommandLength);
    m_pending = Pending::None;
    if (!std::equal(kSignature.begin(), kSignature.end(), command.begin() + 1)) {
        ++m_protocolErrors;
        m_answer.fill(0);
        return true;
    }
    const bool read = (command[5] & kReadBit) != 0;
    const std::size_t block = command[5] & static_cast<std::uint8_t>(~kReadBit);
    if (block > kLastBlock) {
        ++m_protocolErrors;
        m_answer.fill(0);
        return true;
    }
    m_answer = command;
    m_answer[6] = 0;
    m_answer[7] = 0;
    if (block == 0 && read) {
        m_answer[6] = m_memory[kReportRateAt];
        m_answer[7] = m_memory[kDpiStageAt];
    } else if (block == 0) {
        m_memory[kReportRateAt] = command[6];
        m_memory[kDpiStageAt] = command[7];
        ++m_headerWrites;
    } else {
        m_pending = read ? Pending::ReadBlock : Pending::WriteBlock;
        m_pendingBlock = block;
    }
    return true;
}

bool SimMouse::GetAnswer(std::uint8_t* report, std::size_t length)
{
    if (length != kCommandLength || m_answerFault == AnswerFault::NoAnswer) {
        return false;
    }
    std::array<std::uint8_t, kCommandLength> answer = m_answer;
    answer[0] = kCommandReportId;
    if (m_answerFault == AnswerFault::BadSignature) {
        answer[4] ^= 0x01;
    }
    FirmwareEncodeReport(answer.data(), kCommandLength);
    if (m_answerFault == AnswerFault::WrongReportId) {
        answer[0] = kWrongReportId;
    }
    std::copy(answer.begin(), answer.end(), report);
    return true;
}

bool SimMouse::GetData(std::uint8_t* report, std::size_t length)
{
    if (length != kDataLength || m_pending != Pending::ReadBlock) {
        ++m_protocolErrors;
        return false;
    }
    report[0] = kDataReportId;
    std::copy_n(m_memory.begin() + BlockOffset(m_pendingBlock), kBlockSize, report + 1);
    FirmwareEncodeReport(report, kDataLength);
    m_pending = Pending::None;
    return true;
}

bool SimMouse::SetData(const std::uint8_t* report, std::size_t length)
{
    if (length != kDataLength || report[0] != kDataReportId || m_pending != Pending::WriteBlock) {
        ++m_protocolErrors;
        return false;
    }
    std::array<std::uint8_t, kDataLength> data{};
    std::copy_n(report, kDataLength, data.begin());
    FirmwareDecodeReport(data.data(), kDataLength);
    std::copy_n(data.begin() + 1, kBlockSize, m_memory.begin() + BlockOffset(m_pendingBlock));
    m_pending = Pending::None;
    ++m_blocksWritten;
    return true;
}

void SimMouse::Reset()
{
    m_pending = Pending::None;
    m_answer.fill(0);
}
