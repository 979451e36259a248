// The outcome of a file operation, shared by the safe file operations and the link checks.
#pragma once

#include <string>

// Our own refusals: a file that is not a regular file (a pipe, a device, a socket), and a
// symbolic link that another user placed in a shared folder. Every other error is an errno
// value.
constexpr int kErrNotRegularFile = -1;
constexpr int kErrForeignLink = -2;

// The outcome of a file operation: 0 on success, else an errno value or one of our own above,
// with its text (the system's wording) for messages that name the file.
struct FileResult {
    int error = 0;
    std::string reason; // empty on success
    explicit operator bool() const { return error == 0; }
};

// The failure with this error number and its text.
FileResult FileFailure(int error);
