#pragma once
// Whole-file reads and crash-safe whole-file writes. One implementation per
// operating system (FileIoPosix.cpp, platform/FileIoWin32.cpp).

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorlet {

// Reads the file's bytes; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& fileName, std::string& bytes);

// Tells one state of a file from another: which file it is (a file that
// replaced it under the same name is another one), its size and its last
// write. A program that rewrites the file in place, to the same size, within
// one tick of the file system's clock goes unseen.
struct TFileStamp {
    uint64_t Volume = 0, Index = 0, Size = 0, WriteTime = 0, WriteTimeFraction = 0;
    bool operator==(const TFileStamp& other) const {
        return Volume == other.Volume && Index == other.Index && Size == other.Size &&
               WriteTime == other.WriteTime && WriteTimeFraction == other.WriteTimeFraction;
    }
    bool operator!=(const TFileStamp& other) const { return !(*this == other); }
};
// ReadWholeFile that also gives the stamp of the file it read, taken from the
// open file before its bytes (a change while they are read shows later).
bool ReadWholeFile(const std::string& fileName, std::string& bytes, TFileStamp& stamp);
// The stamp of the file now under that name, without reading it; false when
// there is none.
bool ReadFileStamp(const std::string& fileName, TFileStamp& stamp);

// Writes bytes to a temporary file beside fileName, flushes it and replaces
// fileName with it in one step. Throws std::runtime_error on any failure; the
// old file is then untouched and the temporary file removed.
void WriteFileAtomically(const std::string& fileName, const std::string& bytes);
// The same, without waiting for the disk before the replace: for files that
// can be made again (exports), where a reader must still never see half a file.
void ReplaceFileWhole(const std::string& fileName, const std::string& bytes);

// Reads up to count bytes from offset, sharing the file with writers; false
// when it cannot be opened or read.
bool ReadFileBytes(const std::string& fileName, uint64_t offset, size_t count, std::string& bytes);

// Removes the temporary files that saves of fileName left beside it when their
// process ended before the save did (see TemporaryFiles.h). A file whose
// process still runs belongs to a save under way and stays; so does anything
// that cannot be removed. Never fails.
void RemoveAbandonedTemporaryFiles(const std::string& fileName);

bool FileExistsOnDisk(const std::string& fileName);
bool DirectoryExistsOnDisk(const std::string& path);
bool RemoveFileOnDisk(const std::string& fileName);

}  // namespace quorlet
