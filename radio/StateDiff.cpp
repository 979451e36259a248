#include "radio/StateDiff.h"

namespace {

// A gap of this many equal bytes or fewer is kept inside the run around it: a new run head
// would cost as much.
constexpr std::size_t kRunHead = 4;

std::uint8_t StateByte(const SDocState& state, std::size_t i) {
    return i < kHeaderSize ? state.header[i] : state.image[i - kHeaderSize];
}

std::uint8_t& StateByte(SDocState& state, std::size_t i) {
    return i < kHeaderSize ? state.header[i] : state.image[i - kHeaderSize];
}

std::size_t ReadWord(const std::vector<std::uint8_t>& runs, std::size_t at) {
    return static_cast<std::size_t>(runs[at]) << 8 | runs[at + 1];
}

void PutWord(std::vector<std::uint8_t>& runs, std::size_t value) {
    runs.push_back(static_cast<std::uint8_t>(value >> 8));
    runs.push_back(static_cast<std::uint8_t>(value & 0xFF));
}

} // namespace

CStateDiff CStateDiff::Between(const SDocState& a, const SDocState& b) {
    CStateDiff diff;
    std::size_t i = 0;
    while (i < kStateSize) {
        if (StateByte(a, i) == StateByte(b, i)) {
            ++i;
            continue;
        }
        // The run ends where more than kRunHead equal bytes follow, or at the end.
        std::size_t end = i + 1;
        for (std::size_t probe = end; probe < kStateSize && probe <= end + kRunHead; ++probe) {
            if (StateByte(a, probe) != StateByte(b, probe)) {
                end = probe + 1;
            }
        }
        PutWord(diff.m_runs, i);
        PutWord(diff.m_runs, end - i);
        for (; i < end; ++i) {
            diff.m_runs.push_back(StateByte(a, i) ^ StateByte(b, i));
        }
    }
    diff.m_runs.shrink_to_fit();
    return diff;
}

void CStateDiff::ApplyTo(SDocState& state) const {
    for (std::size_t at = 0; at < m_runs.size();) {
        const std::size_t offset = ReadWord(m_runs, at);
        const std::size_t length = ReadWord(m_runs, at + 2);
        at += kRunHead;
        for (std::size_t k = 0; k < length; ++k) {
            StateByte(state, offset + k) ^= m_runs[at + k];
        }
        at += length;
    }
}

void CStateDiff::ForEachImageByte(
    const std::function<void(std::size_t, std::uint8_t)>& visit) const {
    for (std::size_t at = 0; at < m_runs.size();) {
        const std::size_t offset = ReadWord(m_runs, at);
        const std::size_t length = ReadWord(m_runs, at + 2);
        at += kRunHead;
        for (std::size_t k = 0; k < length; ++k) {
            if (m_runs[at + k] != 0 && offset + k >= kHeaderSize) {
                visit(offset + k - kHeaderSize, m_runs[at + k]);
            }
        }
        at += length;
    }
}
