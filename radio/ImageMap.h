// The map of the radio's 1024-byte configuration memory as the image holds it (image offset =
// radio memory address). 0xFF means erased or not set throughout. Where each option and
// channel field lies, and what its bits mean, is in ImageFields.h.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

constexpr std::size_t kImageSize = 1024;
constexpr std::size_t kHeaderSize = 48;

using MemoryImage = std::array<std::uint8_t, kImageSize>;

// Channel records of 16 bytes: channel n (1..32) at 16 * n. Channels 1..16 are the channel
// grid's rows, 17..32 the test channels.
constexpr int kChannelCount = 16;
constexpr int kFirstTestChannel = 17;
constexpr int kLastChannel = 32;
constexpr std::size_t kRecordSize = 16;

// Channels 1..15 can be in the scan list and be the priority channel; channel 16 never is.
constexpr int kScanChannelCount = 15;

constexpr std::size_t kModelParamsOffset = 0x350; // 16 bytes from [model] value%d
constexpr std::size_t kModelParamsSize = 16;
constexpr std::size_t kModelIdOffset = 0x3D0; // 8 bytes from [model] model%d
constexpr std::size_t kModelIdSize = 8;

// The memory moves over the line in blocks of 8 bytes. A read takes the whole image; a write
// sends the blocks from address 0 up to and including the model identification: 0x3D8
// (984) bytes, 123 blocks. The radio keeps its own bytes from there on.
constexpr std::size_t kBlockSize = 8;
constexpr std::size_t kWrittenEnd = 0x3D8;
static_assert(kWrittenEnd == kModelIdOffset + kModelIdSize && kWrittenEnd % kBlockSize == 0);

// Alignment values edited in Test Mode, one unsigned byte each.
constexpr std::size_t kAlignmentOffset = 0x3F0;
constexpr std::size_t kAlignmentSize = 12;
