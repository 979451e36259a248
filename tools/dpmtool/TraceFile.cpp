#include "TraceFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

CTraceFile::~CTraceFile() {
    Close();
}

bool CTraceFile::Open(const std::string& path) {
    m_fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    m_nErrno = m_fd < 0 ? errno : 0;
    setp(m_buffer, m_buffer + sizeof m_buffer);
    return m_fd >= 0;
}

void CTraceFile::Flush() {
    const char* from = pbase();
    while (m_nErrno == 0 && from < pptr()) {
        const ssize_t n = write(m_fd, from, static_cast<size_t>(pptr() - from));
        if (n > 0) {
            from += n;
        } else if (n == 0) {
            m_nErrno = EIO;
        } else if (errno != EINTR) {
            m_nErrno = errno;
        }
    }
    setp(m_buffer, m_buffer + sizeof m_buffer);
}

int CTraceFile::overflow(int c) {
    Flush();
    if (c != traits_type::eof()) {
        *pptr() = static_cast<char>(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int CTraceFile::sync() {
    Flush();
    return m_nErrno == 0 ? 0 : -1;
}

bool CTraceFile::Close() {
    if (m_fd < 0) {
        return m_nErrno == 0;
    }
    Flush();
    if (close(m_fd) != 0 && m_nErrno == 0 && errno != EINTR) {
        m_nErrno = errno;
    }
    m_fd = -1;
    return m_nErrno == 0;
}
