// The radio's programming protocol: putting the radio into programming mode, checking its
// identification, and reading and writing its 1024-byte memory in 8-byte blocks.
//
// The PC always speaks first; the radio answers within a time window and the PC
// acknowledges each radio frame it accepts with 06. There is no checksum and no
// retransmission inside an operation: a block operation reports failure and the caller
// repeats it.
#pragma once

#include "link/LinkPort.h"
#include "radio/ImageMap.h"

#include <cstdint>
#include <functional>
#include <span>

using ImageSpan = std::span<std::uint8_t, kImageSize>;
using ConstImageSpan = std::span<const std::uint8_t, kImageSize>;

enum LinkResult { LinkReady, LinkPortFailed, LinkNoConnection, LinkWrongReply, LinkCancelled };

// The question put to the user when the radio does not match the image; true to go on.
using MismatchQuestion = std::function<bool()>;

// Opens the configured port when it is closed, then performs the handshake. When writing,
// the radio's identification and model value block are compared with the image and on a
// difference the question decides (no question counts as no).
LinkResult EnterProgramMode(CLinkPort& port, bool bRead, ConstImageSpan image,
                            const MismatchQuestion& ask);

// Reads the block at address into image; false (image untouched) when no valid frame came.
bool GetBlock(CLinkPort& port, ImageSpan image, int nAddress);

// Writes the block at address from image; true when the radio acknowledged it.
bool PutBlock(CLinkPort& port, ConstImageSpan image, int nAddress);
