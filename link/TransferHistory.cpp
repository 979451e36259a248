#include "link/TransferHistory.h"

#include "app/Sha256.h"
#include "radio/OptionLists.h"

namespace {

std::string ImageHash(const CDromelPgmDoc& doc) {
    return Sha256Hex(doc.Image().data(), doc.Image().size());
}

} // namespace

std::string RadioModelName(const CDromelPgmDoc& doc) {
    const OptionList models = ModelList();
    const int model = doc.GetModel();
    return model >= 0 && model < static_cast<int>(models.size())
               ? models[static_cast<std::size_t>(model)]
               : std::string();
}

SHistoryEntry TransferHistoryEntry(const STransferRecord& record) {
    SHistoryEntry entry = HistoryNow("DromelPgm", record.operation);
    entry.result = record.result;
    entry.port = record.port;
    entry.device = record.device;
    entry.byId = record.device.empty() ? std::string() : SerialByIdName(record.device);
    entry.backup = record.backup;
    entry.blocks = record.blocks;
    entry.differences = record.differences;
    if (record.radio) {
        entry.model = RadioModelName(*record.radio);
    }
    if (record.sent) {
        entry.file = record.sent->GetPathName();
        entry.sha256 = ImageHash(*record.sent);
    } else if (record.radio) {
        entry.file = record.radio->GetPathName();
        entry.sha256 = ImageHash(*record.radio);
    }
    return entry;
}
