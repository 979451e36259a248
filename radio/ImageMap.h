// The map of the radio's 1024-byte configuration memory as the image holds it (image offset =
// radio memory address). 0xFF means erased or not set throughout.
#pragma once

#include <cstddef>

constexpr std::size_t kImageSize = 1024;
constexpr std::size_t kHeaderSize = 48;

// Channel records of 16 bytes: channel n (1..32) at 16 * n. Channels 1..16 are the channel
// grid's rows, 17..32 the test channels.
constexpr int kChannelCount = 16;
constexpr int kFirstTestChannel = 17;
constexpr int kLastChannel = 32;
constexpr std::size_t kRecordSize = 16;

// Bytes of a channel record.
constexpr std::size_t kRecRxFreq = 0;  // 4 bytes
constexpr std::size_t kRecTxFreq = 4;  // 4 bytes
constexpr std::size_t kRecRxTone = 8;  // 2 bytes
constexpr std::size_t kRecTxTone = 10; // 2 bytes
constexpr std::size_t kRecFlags = 12;
constexpr std::size_t kRecRxStep = 13;
constexpr std::size_t kRecTxStep = 14;

// Bits of the channel flag byte; their senses differ.
constexpr unsigned kFlagOptCol6 = 0x01; // 0 = yes
constexpr unsigned kFlagOptCol8 = 0x02; // 0 = yes
constexpr unsigned kFlagNarrow = 0x04;  // 1 = narrow
constexpr unsigned kFlagScanAdd = 0x10; // 1 = in the scan list

constexpr std::size_t kModelParamsOffset = 0x350; // 16 bytes from [model] value%d
constexpr std::size_t kModelParamsSize = 16;
constexpr std::size_t kModelIdOffset = 0x3D0; // 8 bytes from [model] model%d
constexpr std::size_t kModelIdSize = 8;

// Radio-wide options.
constexpr std::size_t kOptBits = 0x3C0; // bit 0 beep tone, bit 1 battery save (1 = on)
constexpr std::size_t kOptSquelch = 0x3C1;
constexpr std::size_t kOptMonitorKey = 0x3C2;
constexpr std::size_t kOptTimeOut = 0x3C3;
constexpr std::size_t kOptCloneBits = 0x3C4; // bit 2 wired clone, bit 4 manual adjust (0 = on)
constexpr std::size_t kOptScanType = 0x3C5;
constexpr std::size_t kOptPriority = 0x3C6;
constexpr std::size_t kOptLoopBack = 0x3C7;
constexpr std::size_t kOptRevert = 0x3C8;
constexpr std::size_t kOptDropout = 0x3C9;

// Alignment values edited in Test Mode, one unsigned byte each.
constexpr std::size_t kAlignmentOffset = 0x3F0;
constexpr std::size_t kAlignmentSize = 12;
