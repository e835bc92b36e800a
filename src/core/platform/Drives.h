#pragma once
// What the file manager needs to know of the drive a document lives on.

#include <cstdint>
#include <string>

namespace qz {

enum class TDriveKind : std::uint8_t { Removable = 0, Fixed = 1, Network = 2, CdRom = 3, RamDisk = 4, Unknown = 5 };

class Drives {
public:
    virtual ~Drives() = default;
    // False when the path lies on no mounted file system ("a drive without a root").
    virtual bool HasRoot(const std::string& path) = 0;
    virtual TDriveKind KindOf(const std::string& path) = 0;
    // The file system still answers: its size can be read.
    virtual bool IsReady(const std::string& path) = 0;
    // The file (when it exists) and its folder may be written: a document is changed through
    // a journal beside it, so a writable file in a folder that is not is no writable document.
    virtual bool CanWrite(const std::string& path) = 0;

    // The machine's own: a CD-ROM is an iso9660 or udf mount, a network drive an nfs, cifs or
    // smb mount, a RAM disk tmpfs or ramfs; readiness is whether statvfs answers.
    static Drives& System();
};

// A drive that answers what it is told, for tests.
class FixedDrives : public Drives {
public:
    TDriveKind Kind = TDriveKind::Fixed;
    bool Root = true;
    bool Ready = true;
    bool Writable = true;
    bool HasRoot(const std::string&) override { return Root; }
    TDriveKind KindOf(const std::string&) override { return Kind; }
    bool IsReady(const std::string&) override { return Ready; }
    bool CanWrite(const std::string&) override { return Writable; }
};

} // namespace qz
