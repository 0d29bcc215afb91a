#pragma once

#include <QString>

#include <cstdint>

// What tells a file's contents apart cheaply: identity, size and change time.
// A file replaced by rename gets a new identity, so a cached parse of it is
// known to be stale even when size and time agree.
namespace qel {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const QString& path);

}  // namespace qel
