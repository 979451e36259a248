// Where a write to a path lands once its symbolic links are followed, for the atomic writer.
#pragma once

#include "app/FileResult.h"

#include <string>

// The folder part of path: "." for a bare name, "/" for a name in the root folder.
std::string FolderOf(const std::string& path);

// The file a chain of symbolic links starting at path ends in; that file itself may be
// missing. A link in a folder that everyone may write and only owners may delete from (sticky
// and world-writable, such as /tmp) is followed only when it belongs to this user or to the
// folder's owner, whatever the system's own protection is set to: another user's link there
// could aim a write at any file this user may write. Such a link is refused with
// kErrForeignLink, links that form a loop with ELOOP.
[[nodiscard]] FileResult FollowLinks(const std::string& path, std::string& target);
