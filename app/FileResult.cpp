#include "app/FileResult.h"

#include <cerrno>
#include <cstring>

FileResult FileFailure(int error) {
    if (error == kErrNotRegularFile) {
        return {error, "not a regular file"};
    }
    if (error == kErrForeignLink) {
        return {error, "the symbolic link is in a shared folder and belongs to another user"};
    }
    if (error == ELOOP) {
        return {error, "the symbolic links form a loop"};
    }
    return {error, std::strerror(error)};
}
