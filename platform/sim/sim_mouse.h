// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

// The firmware side of the mouse's configuration protocol. It keeps the
// 322-byte configuration (two header values and five 64-byte blocks, laid
// out as the program's device image), descrambles every report it receives
// and scrambles every report it returns.
//
// Command reports (8 bytes, report id 1): 01 AA CC EE DD <command> <v1> <v2>,
// the command being the block number 0 to 5 with bit 7 set for a read. The
// answer echoes the command; to a header read it carries the two header
// values. After a block read command the next data report fetched is that
// block; after a block write command the next data report sent is stored as
// that block.
class SimMouse {
public:
    static constexpr std::size_t kConfigurationSize = 322;
    static constexpr std::size_t kBlockSize = 64;
    static constexpr std::size_t kCommandLength = 8;
    static constexpr std::size_t kDataLength = 65;

    using Configuration = std::array<std::uint8_t, kConfigurationSize>;

    // What the answer to a command looks like; the fault lasts until changed.
    enum class AnswerFault {
        None,
        NoAnswer,       // fetching the answer fails
        BadSignature,   // the signature carries a wrong byte
        WrongReportId,  // the answer comes back with report id 2
    };

    SimMouse();

    // A plausible factory configuration: 125 Hz, DPI stage 1, DPI table
    // `dpiTableSet`, the usual button maps, lighting, the consumer and
    // hot-key tables, and recognisable filler in the bytes the program does
    // not interpret.
    static Configuration FactoryConfiguration(std::uint8_t dpiTableSet = 0);

    const Configuration& Memory() const { return m_memory; }
    void SetMemory(const Configuration& memory) { m_memory = memory; }
    // Image offset of configuration block n (1 to 5).
    static constexpr std::size_t BlockOffset(std::size_t block) { return 2 + kBlockSize * (block - 1); }

    void SetAnswerFault(AnswerFault fault) { m_answerFault = fault; }

    // Firmware entry points, with the report as it travels (scrambled).
    // They return false when the mouse rejects the transfer.
    bool SetCommand(const std::uint8_t* report, std::size_t length);
    bool GetAnswer(std::uint8_t* report, std::size_t length);
    bool SetData(const std::uint8_t* report, std::size_t length);
    bool GetData(std::uint8_t* report, std::size_t length);

    // Reports that broke the protocol (data without a block command, unknown
    // commands, reports without the signature); a correct host causes none.
    int ProtocolErrors() const { return m_protocolErrors; }
    // Number of header writes and block writes taken since construction.
    int BlocksWritten() const { return m_blocksWritten; }
    int HeaderWrites() const { return m_headerWrites; }

    // Forgets a pending block command, as a power cycle does.
    void Reset();

private:
    enum class Pending { None, ReadBlock, WriteBlock };

    Configuration m_memory;
    AnswerFault m_answerFault = AnswerFault::None;
    std::array<std::uint8_t, kCommandLength> m_answer{};
    Pending m_pending = Pending::None;
    std::size_t m_pendingBlock = 0;
    int m_protocolErrors = 0;
    int m_blocksWritten = 0;
    int m_headerWrites = 0;
};
