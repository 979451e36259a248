// SHA-256 digests, for naming the exact image that went to or came from a radio.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The SHA-256 digest of the bytes as 64 lower-case hex digits.
std::string Sha256Hex(const std::uint8_t* data, std::size_t size);
