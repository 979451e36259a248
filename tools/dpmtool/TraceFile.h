// The byte trace of a transfer written to a file (--trace). The trace goes out in large
// writes; the first write that fails (a full disk, /dev/full) is kept with its reason, and
// nothing more is tried after it, so the transfer goes on and the failure is told at its end.
#pragma once

#include <ostream>
#include <streambuf>
#include <string>

class CTraceFile : private std::streambuf {
public:
    CTraceFile() : m_stream(this) {}
    ~CTraceFile() override;
    CTraceFile(const CTraceFile&) = delete;
    CTraceFile& operator=(const CTraceFile&) = delete;

    // Creates or empties the file; false with the system's error number in Error().
    bool Open(const std::string& path);
    bool IsOpen() const { return m_fd >= 0; }
    std::ostream& Stream() { return m_stream; }
    // Writes out what is buffered and closes the file; false when any write failed.
    bool Close();
    // The system's error number of the first failure, 0 when none.
    int Error() const { return m_nErrno; }

private:
    int overflow(int c) override;
    int sync() override;
    void Flush();

    std::ostream m_stream;
    int m_fd = -1;
    int m_nErrno = 0;
    char m_buffer[8192];
};
