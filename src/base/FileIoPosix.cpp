// POSIX side of FileIo.h (native builds and tests).
#include "base/FileIo.h"

#include "base/AppPaths.h"
#include "base/TemporaryFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <stdexcept>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlet {

namespace {

TFileStamp StampOf(const struct stat& st) {
    TFileStamp stamp;
    stamp.Volume = static_cast<uint64_t>(st.st_dev);
    stamp.Index = static_cast<uint64_t>(st.st_ino);
    stamp.Size = static_cast<uint64_t>(st.st_size);
    stamp.WriteTime = static_cast<uint64_t>(st.st_mtim.tv_sec);
    stamp.WriteTimeFraction = static_cast<uint64_t>(st.st_mtim.tv_nsec);
    return stamp;
}

bool ReadOpenFile(FILE* f, std::string& bytes) {
    bytes.clear();
    // Room for the whole file at once: growing block by block copies it again and again.
    struct stat st;
    if (::fstat(::fileno(f), &st) == 0 && st.st_size > 0) bytes.reserve(static_cast<size_t>(st.st_size));
    char block[64 * 1024];
    size_t n;
    while ((n = std::fread(block, 1, sizeof block, f)) > 0) bytes.append(block, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

}  // namespace

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
    FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) return false;
    return ReadOpenFile(f, bytes);
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes, TFileStamp& stamp) {
    FILE* f = std::fopen(fileName.c_str(), "rb");
    if (!f) return false;
    struct stat st;
    if (::fstat(::fileno(f), &st) != 0) {
        std::fclose(f);
        return false;
    }
    stamp = StampOf(st);
    return ReadOpenFile(f, bytes);
}

bool ReadFileStamp(const std::string& fileName, TFileStamp& stamp) {
    struct stat st;
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    stamp = StampOf(st);
    return true;
}

namespace {
std::runtime_error WriteError(const std::string& fileName, int err) {
    return std::runtime_error("Cannot write file \"" + fileName + "\": " + std::strerror(err));
}

void WriteWholeFile(const std::string& fileName, const std::string& bytes, bool flush) {
    std::string tempName = fileName + ".XXXXXX";
    int fd = mkstemp(&tempName[0]);
    if (fd < 0) throw WriteError(fileName, errno);
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        ssize_t w = ::write(fd, p, left);
        if (w < 0) {
            if (errno == EINTR) continue;
            int err = errno;
            ::close(fd);
            ::unlink(tempName.c_str());
            throw WriteError(fileName, err);
        }
        p += w;
        left -= static_cast<size_t>(w);
    }
    if ((flush && ::fsync(fd) != 0) || ::fchmod(fd, 0644) != 0) {
        int err = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        throw WriteError(fileName, err);
    }
    if (::close(fd) != 0 || std::rename(tempName.c_str(), fileName.c_str()) != 0) {
        int err = errno;
        ::unlink(tempName.c_str());
        throw WriteError(fileName, err);
    }
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, const std::string& bytes) { WriteWholeFile(fileName, bytes, true); }

void ReplaceFileWhole(const std::string& fileName, const std::string& bytes) { WriteWholeFile(fileName, bytes, false); }

bool ReadFileBytes(const std::string& fileName, uint64_t offset, size_t count, std::string& bytes) {
    int fd = ::open(fileName.c_str(), O_RDONLY);
    if (fd < 0) return false;
    bytes.assign(count, '\0');
    ssize_t got = ::pread(fd, &bytes[0], count, static_cast<off_t>(offset));
    ::close(fd);
    if (got < 0) return false;
    bytes.resize(static_cast<size_t>(got));
    return true;
}

void RemoveAbandonedTemporaryFiles(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName), name = ExtractFileName(fileName);
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return;
    while (const dirent* entry = ::readdir(dir)) {
        unsigned long processId = 0;
        if (!IsTemporaryFileOf(name, entry->d_name, processId) || processId == static_cast<unsigned long>(::getpid()))
            continue;
        // Ended, or never there; one that cannot be asked is taken as running.
        const bool gone = processId > 0x7FFFFFFFul || (::kill(static_cast<pid_t>(processId), 0) != 0 && errno == ESRCH);
        if (gone) ::unlink((folder + entry->d_name).c_str());
    }
    ::closedir(dir);
}

bool FileExistsOnDisk(const std::string& fileName) {
    struct stat st;
    return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExistsOnDisk(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool RemoveFileOnDisk(const std::string& fileName) { return ::unlink(fileName.c_str()) == 0; }

}  // namespace quorlet
