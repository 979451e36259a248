#include "radio/ChannelRows.h"

#include "radio/ImageFields.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace {

using ChannelOrder = std::array<int, kChannelCount>; // the old channel of each new place

// The image with the records of channels 1..16 rearranged: place i gets the record of channel
// order[i], or an empty record for 0.
MemoryImage Rearranged(const CDromelPgmDoc& doc, const ChannelOrder& order) {
    const MemoryImage& old = doc.Image();
    MemoryImage image = old;
    for (int place = 1; place <= kChannelCount; ++place) {
        std::uint8_t* record = FieldBytes(image, kFieldRxFreq, place);
        const int from = order[static_cast<std::size_t>(place - 1)];
        if (from == 0) {
            // An empty channel as a new document has it: erased, wide.
            std::memset(record, 0xFF, kRecordSize);
            SetFieldOn(image, kFieldNarrow, false, place);
        } else {
            std::memcpy(record, FieldBytes(old, kFieldRxFreq, from), kRecordSize);
        }
    }
    return image;
}

// Stores the rearranged channels as one change of kind; the priority channel goes where its
// channel went, or to none when its channel was dropped or left the scan channels.
void Apply(CDromelPgmDoc& doc, const ChannelOrder& order, EDocChange kind) {
    const CDocEdit edit(doc, kind);
    const int priority = doc.GetPriorityChannel();
    doc.ReplaceImage(Rearranged(doc, order), kind);
    if (priority >= 1 && priority <= kScanChannelCount) {
        const auto found = std::find(order.begin(), order.end(), priority);
        const int place = found == order.end() ? 0 : static_cast<int>(found - order.begin()) + 1;
        doc.SetPriorityChannel(place <= kScanChannelCount ? place : 0);
    }
    doc.HasScanList();
}

ChannelOrder Unchanged() {
    ChannelOrder order{};
    std::iota(order.begin(), order.end(), 1);
    return order;
}

ChannelOrder SortedOrder(const CDromelPgmDoc& doc) {
    ChannelOrder order = Unchanged();
    std::stable_sort(order.begin(), order.end(), [&doc](int a, int b) {
        const bool usedA = IsChannelInUse(doc, a);
        const bool usedB = IsChannelInUse(doc, b);
        if (usedA != usedB) {
            return usedA;
        }
        return usedA && doc.GetFreqValue(a, true) < doc.GetFreqValue(b, true);
    });
    return order;
}

} // namespace

bool IsChannelInUse(const CDromelPgmDoc& doc, int n) {
    return !doc.IsRxEmpty(n);
}

void InsertChannel(CDromelPgmDoc& doc, int n) {
    if (n < 1 || n > kChannelCount) {
        return;
    }
    ChannelOrder order = Unchanged();
    for (int place = n + 1; place <= kChannelCount; ++place) {
        order[static_cast<std::size_t>(place - 1)] = place - 1;
    }
    order[static_cast<std::size_t>(n - 1)] = 0;
    Apply(doc, order, EDocChange::kChannelInsert);
}

void DeleteChannel(CDromelPgmDoc& doc, int n) {
    if (n < 1 || n > kChannelCount) {
        return;
    }
    ChannelOrder order = Unchanged();
    for (int place = n; place < kChannelCount; ++place) {
        order[static_cast<std::size_t>(place - 1)] = place + 1;
    }
    order[kChannelCount - 1] = 0;
    Apply(doc, order, EDocChange::kChannelDelete);
}

bool MoveChannel(CDromelPgmDoc& doc, int n, bool up) {
    const int other = up ? n - 1 : n + 1;
    if (n < 1 || n > kChannelCount || other < 1 || other > kChannelCount) {
        return false;
    }
    ChannelOrder order = Unchanged();
    std::swap(order[static_cast<std::size_t>(n - 1)], order[static_cast<std::size_t>(other - 1)]);
    Apply(doc, order, EDocChange::kChannelMove);
    return true;
}

void SortByFrequency(CDromelPgmDoc& doc) {
    Apply(doc, SortedOrder(doc), EDocChange::kChannelSort);
}

bool IsSortedByFrequency(const CDromelPgmDoc& doc) {
    return SortedOrder(doc) == Unchanged();
}
