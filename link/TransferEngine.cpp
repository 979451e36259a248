#include "link/TransferEngine.h"

#include "app/LangString.h"
#include "radio/ImageMap.h"

#include <cstdio>

namespace {

// The addresses as the engine counts them.
constexpr int kReadEnd = static_cast<int>(kImageSize);
constexpr int kWriteEnd = static_cast<int>(kWrittenEnd);
constexpr int kBlock = static_cast<int>(kBlockSize);
constexpr int kMaxAttempts = 5;

} // namespace

CTransferEngine::CTransferEngine(CLinkPort& port, bool bRead, CDromelPgmDoc& doc)
    : m_port(port), m_bRead(bRead), m_doc(doc) {}

LinkResult CTransferEngine::Start(const MismatchQuestion& ask) {
    m_workImage = m_doc.Image();
    LinkResult result = EnterProgramMode(m_port, m_bRead, m_workImage, ask);
    if (result != LinkReady) {
        return result;
    }
    m_nAddress = 0;
    m_nTries = 0;
    m_strStatus = GetLangString(m_bRead ? "IDS_PROMPT_READ" : "IDS_PROMPT_WRITE");
    return LinkReady;
}

int CTransferEngine::EndAddress() const {
    return m_bRead ? kReadEnd : kWriteEnd;
}

int CTransferEngine::BlocksAcknowledged() const {
    return m_nAddress / kBlock;
}

int CTransferEngine::Percent() const {
    return m_nAddress * 100 / EndAddress();
}

int CTransferEngine::ProgressPos() const {
    return m_bRead ? m_nAddress : m_nAddress * kProgressRange / kWriteEnd;
}

TickResult CTransferEngine::Tick() {
    ++m_nTries;
    if (m_nAddress >= EndAddress()) {
        if (m_bRead) {
            m_doc.ReplaceImage(m_workImage, EDocChange::kRead);
            m_doc.RefreshFromImage();
        }
        return TickDone;
    }
    if (m_nTries > kMaxAttempts) {
        m_strStatus = GetLangString(m_bRead ? "IDS_PROMPT_READFAIL" : "IDS_PROMPT_WRITEFAIL");
        return TickGaveUp;
    }
    bool ok = m_bRead ? GetBlock(m_port, m_workImage, m_nAddress)
                      : PutBlock(m_port, m_workImage, m_nAddress);
    if (ok) {
        m_nAddress += kBlock;
        m_nTries = 0;
    }
    m_strStatus = FormatTransferStatus(m_strStatus, Percent());
    return TickRunning;
}

std::string FormatTransferStatus(const std::string& previous, int nPercent) {
    std::string prefix = previous;
    std::size_t digit = previous.find_first_of("0123456789");
    if (digit != std::string::npos) {
        prefix = previous.substr(0, digit == 0 ? 0 : digit - 1);
    }
    char number[16];
    std::snprintf(number, sizeof number, " %d%%", nPercent);
    return prefix + number;
}

std::string LinkErrorKey(LinkResult result) {
    switch (result) {
    case LinkPortFailed:
        return "IDS_ERROR_PORTOPEN";
    case LinkNoConnection:
        return "IDS_ERROR_PORTCONN";
    case LinkWrongReply:
        return "IDS_ERROR_TYPE";
    case LinkReady:
    case LinkCancelled:
        break;
    }
    return {};
}
