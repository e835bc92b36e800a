#include "Drives.h"

#include <cerrno>
#include <fstream>
#include <sstream>
#include <sys/statvfs.h>
#include <unistd.h>

namespace qz {

namespace {

// The mount table entry whose mount point is the longest prefix of `path`.
bool MountOf(const std::string& path, std::string& type) {
    std::ifstream mounts("/proc/self/mounts");
    std::string line, best;
    while (std::getline(mounts, line)) {
        std::istringstream fields(line);
        std::string device, point, fsType;
        fields >> device >> point >> fsType;
        const bool under = path.compare(0, point.size(), point) == 0 &&
                           (point == "/" || path.size() == point.size() || path[point.size()] == '/');
        if (under && point.size() >= best.size()) {
            best = point;
            type = fsType;
        }
    }
    return !best.empty();
}

class SystemDrives : public Drives {
public:
    bool HasRoot(const std::string& path) override {
        std::string type;
        return MountOf(path, type);
    }
    TDriveKind KindOf(const std::string& path) override {
        std::string type;
        if (!MountOf(path, type))
            return TDriveKind::Unknown;
        if (type == "iso9660" || type == "udf")
            return TDriveKind::CdRom;
        if (type == "nfs" || type == "nfs4" || type == "cifs" || type == "smb3" || type == "smbfs")
            return TDriveKind::Network;
        if (type == "tmpfs" || type == "ramfs")
            return TDriveKind::RamDisk;
        if (type == "vfat" || type == "exfat" || type == "fuseblk")
            return TDriveKind::Removable;
        return TDriveKind::Fixed;
    }
    bool IsReady(const std::string& path) override {
        struct statvfs info {};
        return ::statvfs(FolderOf(path).c_str(), &info) == 0 && info.f_blocks > 0;
    }
    // access() answers for the caller's own rights and for a read-only mount alike.
    bool CanWrite(const std::string& path) override {
        if (::access(path.c_str(), W_OK) != 0 && errno != ENOENT)
            return false;
        return ::access(FolderOf(path).c_str(), W_OK) == 0;
    }

private:
    static std::string FolderOf(const std::string& path) {
        const auto slash = path.find_last_of('/');
        return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    }
};

} // namespace

Drives& Drives::System() {
    static SystemDrives drives;
    return drives;
}

} // namespace qz
