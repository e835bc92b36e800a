// The file layer on the POSIX calls.

#include "FileLayer.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

namespace qz::cfb {

namespace {

class PosixFile : public TFile {
public:
    explicit PosixFile(int fd) : Fd(fd) {}
    ~PosixFile() override { ::close(Fd); }

    int PRead(void* buffer, std::size_t size, std::uint64_t offset, std::size_t& got) override {
        got = 0;
        auto* bytes = static_cast<char*>(buffer);
        while (got < size) {
            const ssize_t n = ::pread(Fd, bytes + got, size - got, static_cast<off_t>(offset + got));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                break;
            got += static_cast<std::size_t>(n);
        }
        return 0;
    }

    int PWrite(const void* buffer, std::size_t size, std::uint64_t offset) override {
        const auto* bytes = static_cast<const char*>(buffer);
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(Fd, bytes + done, size - done, static_cast<off_t>(offset + done));
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return errno;
            }
            if (n == 0)
                return ENOSPC;
            done += static_cast<std::size_t>(n);
        }
        return 0;
    }

    int PWriteV(const TWritePiece* pieces, std::size_t count, std::uint64_t offset) override {
        constexpr std::size_t Batch = 256; // pieces a call; below IOV_MAX
        iovec vector[Batch];
        while (count > 0) {
            const std::size_t batch = std::min(count, Batch);
            for (std::size_t i = 0; i < batch; ++i)
                vector[i] = {const_cast<void*>(pieces[i].Data), pieces[i].Size};
            // A short write goes on from where it stopped.
            for (std::size_t first = 0; first < batch;) {
                if (vector[first].iov_len == 0) {
                    ++first;
                    continue;
                }
                const ssize_t n =
                    ::pwritev(Fd, &vector[first], static_cast<int>(batch - first), static_cast<off_t>(offset));
                if (n < 0) {
                    if (errno == EINTR)
                        continue;
                    return errno;
                }
                if (n == 0)
                    return ENOSPC;
                offset += static_cast<std::uint64_t>(n);
                for (auto left = static_cast<std::size_t>(n); left > 0;) {
                    const std::size_t taken = std::min(left, vector[first].iov_len);
                    vector[first].iov_base = static_cast<char*>(vector[first].iov_base) + taken;
                    vector[first].iov_len -= taken;
                    left -= taken;
                    if (vector[first].iov_len == 0)
                        ++first;
                }
            }
            pieces += batch;
            count -= batch;
        }
        return 0;
    }

    int Sync() override { return ::fdatasync(Fd) == 0 ? 0 : errno; }
    int Truncate(std::uint64_t size) override { return ::ftruncate(Fd, static_cast<off_t>(size)) == 0 ? 0 : errno; }

    int Size(std::uint64_t& size) override {
        struct stat info {};
        if (::fstat(Fd, &info) != 0)
            return errno;
        size = static_cast<std::uint64_t>(info.st_size);
        return 0;
    }

    // flock locks belong to the open file description, so a second open in this same
    // process conflicts as well, and they work on descriptors opened read-only.
    int LockExclusive() override { return ::flock(Fd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno; }
    int LockShared() override { return ::flock(Fd, LOCK_SH | LOCK_NB) == 0 ? 0 : errno; }

private:
    int Fd;
};

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

class PosixFileSystem : public TFileSystem {
public:
    int Open(const std::string& path, OpenKind kind, std::unique_ptr<TFile>& file) override {
        int flags = O_CLOEXEC;
        switch (kind) {
        case OpenKind::ReadOnly:
            flags |= O_RDONLY;
            break;
        case OpenKind::ReadWrite:
            flags |= O_RDWR;
            break;
        case OpenKind::CreateReadWrite:
            flags |= O_RDWR | O_CREAT;
            break;
        }
        // Opened without blocking: a FIFO named as a document would otherwise wait forever for
        // a writer. Anything but a regular file is refused before a byte is read.
        const int fd = ::open(path.c_str(), flags | O_NONBLOCK, 0666);
        if (fd < 0)
            return errno == ENXIO ? ENODEV : errno;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
            const int error = S_ISDIR(info.st_mode) ? EISDIR : ENODEV;
            ::close(fd);
            return error;
        }
        if (const int mode = ::fcntl(fd, F_GETFL); mode == -1 || ::fcntl(fd, F_SETFL, mode & ~O_NONBLOCK) == -1) {
            const int error = errno;
            ::close(fd);
            return error;
        }
        file = std::make_unique<PosixFile>(fd);
        return 0;
    }

    int Rename(const std::string& from, const std::string& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    int Remove(const std::string& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
    bool Exists(const std::string& path) override { return ::access(path.c_str(), F_OK) == 0; }

    int SyncFolderOf(const std::string& path) override {
        const int fd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        const int result = ::fsync(fd) == 0 ? 0 : errno;
        ::close(fd);
        // Some file systems cannot sync a folder; the data itself is synced all the same.
        return result == EINVAL ? 0 : result;
    }
};

} // namespace

int TFile::PWriteV(const TWritePiece* pieces, std::size_t count, std::uint64_t offset) {
    for (std::size_t i = 0; i < count; offset += pieces[i].Size, ++i)
        if (int error = PWrite(pieces[i].Data, pieces[i].Size, offset); error != 0)
            return error;
    return 0;
}

TFileSystem& TFileSystem::Posix() {
    static PosixFileSystem fs;
    return fs;
}

} // namespace qz::cfb
