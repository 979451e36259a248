// The difference between two states of the document (header and image, 1072 bytes) as the
// runs of bytes that differ, each kept as the XOR of its two sides. Applying a difference to
// either of its states gives the other, so one difference serves undo and redo, and a
// difference never takes more than the 1072 bytes of a state plus a few bytes of run heads.
#pragma once

#include "radio/DocChange.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

// Bytes of a state: the header first, then the image.
constexpr std::size_t kStateSize = kHeaderSize + kImageSize;

class CStateDiff {
public:
    CStateDiff() = default;
    static CStateDiff Between(const SDocState& a, const SDocState& b);

    bool IsEmpty() const { return m_runs.empty(); }
    // Turns one side of the difference into the other.
    void ApplyTo(SDocState& state) const;
    // Calls visit with the image offset and the XOR of every image byte that differs.
    void ForEachImageByte(const std::function<void(std::size_t, std::uint8_t)>& visit) const;
    // The memory the difference holds.
    std::size_t MemoryBytes() const { return m_runs.capacity(); }

private:
    // Runs of: offset in the state (2 bytes), length (2 bytes), that many XOR bytes.
    std::vector<std::uint8_t> m_runs;
};
