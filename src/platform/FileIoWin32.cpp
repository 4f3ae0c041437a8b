// Win32 side of FileIo.h: ANSI paths, temporary file beside the target, renamed
// over the target through its own handle so the replacement is one step.
#include "base/FileIo.h"

#include "base/AppPaths.h"
#include "base/TemporaryFiles.h"

#include <cstring>
#include <stdexcept>
#include <vector>

#include <windows.h>

namespace quorlet {

namespace {
// A save renames its finished temporary file over the target and closes it a
// moment later; reading lets that rename happen, so a read at that moment
// does not fail.
const DWORD kReadSharing = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
const int kReplaceAttempts = 6;
const DWORD kReplaceRetryMs = 10;
}  // namespace

namespace {

HANDLE OpenForReading(const std::string& fileName) {
    return CreateFileA(fileName.c_str(), GENERIC_READ, kReadSharing, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

bool StampOf(HANDLE h, TFileStamp& stamp) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(h, &info)) return false;
    stamp.Volume = info.dwVolumeSerialNumber;
    stamp.Index = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.Size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.WriteTime =
        (static_cast<uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
    stamp.WriteTimeFraction = 0;  // the file time counts in 100 ns already
    return true;
}

// Reads the open file to its end and closes it.
bool ReadOpenFile(HANDLE h, std::string& bytes) {
    bytes.clear();
    // Room for the whole file at once: growing block by block copies it again and again.
    LARGE_INTEGER size;
    if (GetFileSizeEx(h, &size) && size.QuadPart > 0 && size.QuadPart < (LONGLONG(1) << 31))
        bytes.reserve(static_cast<size_t>(size.QuadPart));
    char block[64 * 1024];
    DWORD got = 0;
    bool ok = true;
    for (;;) {
        if (!ReadFile(h, block, sizeof block, &got, nullptr)) {
            ok = false;
            break;
        }
        if (got == 0) break;
        bytes.append(block, got);
    }
    CloseHandle(h);
    return ok;
}

}  // namespace

bool ReadWholeFile(const std::string& fileName, std::string& bytes) {
    HANDLE h = OpenForReading(fileName);
    if (h == INVALID_HANDLE_VALUE) return false;
    return ReadOpenFile(h, bytes);
}

bool ReadWholeFile(const std::string& fileName, std::string& bytes, TFileStamp& stamp) {
    HANDLE h = OpenForReading(fileName);
    if (h == INVALID_HANDLE_VALUE) return false;
    if (!StampOf(h, stamp)) {
        CloseHandle(h);
        return false;
    }
    return ReadOpenFile(h, bytes);
}

bool ReadFileStamp(const std::string& fileName, TFileStamp& stamp) {
    // Opened for its attributes only: no reading, and no writer is kept out.
    HANDLE h = CreateFileA(fileName.c_str(), FILE_READ_ATTRIBUTES, kReadSharing, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    const bool ok = StampOf(h, stamp);
    CloseHandle(h);
    return ok;
}

namespace {
std::runtime_error WriteError(const std::string& fileName, DWORD err) {
    return std::runtime_error("Cannot write file \"" + fileName + "\" (error " +
                              std::to_string(static_cast<unsigned long>(err)) + ")");
}

// Renames the open file over target, replacing it: one call, where closing the file and
// moving it by name costs several.
bool RenameOpenFile(HANDLE file, const std::string& target) {
    const int length = MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, nullptr, 0);
    if (length <= 0) return false;
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, target.c_str(), -1, &wide[0], length);
    const size_t nameBytes = (static_cast<size_t>(length) - 1) * sizeof(wchar_t);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->RootDirectory = nullptr;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, wide.c_str(), nameBytes + sizeof(wchar_t));
    return SetFileInformationByHandle(file, FileRenameInfo, info, static_cast<DWORD>(buffer.size())) != FALSE;
}

void WriteWholeFile(const std::string& fileName, const std::string& bytes, bool flush) {
    // A file marked read-only is not ours to replace (Windows refuses it too; Wine as root would not).
    DWORD attributes = GetFileAttributesA(fileName.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        throw WriteError(fileName, ERROR_ACCESS_DENIED);
    std::string tempName;
    HANDLE h = INVALID_HANDLE_VALUE;
    for (unsigned attempt = 0; attempt < 100 && h == INVALID_HANDLE_VALUE; ++attempt) {
        tempName = TemporaryFileName(fileName, GetCurrentProcessId(), GetTickCount() + attempt);
        h = CreateFileA(tempName.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, CREATE_NEW,
                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
    }
    if (h == INVALID_HANDLE_VALUE) throw WriteError(fileName, GetLastError());
    auto fail = [&](DWORD err) {
        CloseHandle(h);
        DeleteFileA(tempName.c_str());
        return WriteError(fileName, err);
    };
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        DWORD chunk = left > (1u << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(h, p, chunk, &written, nullptr) || written == 0) throw fail(GetLastError());
        p += written;
        left -= written;
    }
    if (flush && !FlushFileBuffers(h)) throw fail(GetLastError());
    // A target that another program holds open for a moment (a reader, a virus
    // scanner) cannot be replaced; it is tried again briefly before giving up.
    DWORD renameError = ERROR_SUCCESS;
    for (int attempt = 0;; ++attempt) {
        if (RenameOpenFile(h, fileName)) {
            CloseHandle(h);
            return;
        }
        renameError = GetLastError();
        if ((renameError != ERROR_ACCESS_DENIED && renameError != ERROR_SHARING_VIOLATION) ||
            attempt == kReplaceAttempts - 1)
            break;
        Sleep(kReplaceRetryMs);
    }
    if (renameError != ERROR_INVALID_PARAMETER && renameError != ERROR_NOT_SUPPORTED &&
        renameError != ERROR_INVALID_FUNCTION)
        throw fail(renameError);
    // A file system that cannot rename an open file: close it and move it by name.
    CloseHandle(h);
    if (!MoveFileExA(tempName.c_str(), fileName.c_str(),
                     MOVEFILE_REPLACE_EXISTING | (flush ? MOVEFILE_WRITE_THROUGH : 0))) {
        DWORD err = GetLastError();
        DeleteFileA(tempName.c_str());
        throw WriteError(fileName, err);
    }
}

}  // namespace

void WriteFileAtomically(const std::string& fileName, const std::string& bytes) { WriteWholeFile(fileName, bytes, true); }

void ReplaceFileWhole(const std::string& fileName, const std::string& bytes) { WriteWholeFile(fileName, bytes, false); }

bool ReadFileBytes(const std::string& fileName, uint64_t offset, size_t count, std::string& bytes) {
    HANDLE h = CreateFileA(fileName.c_str(), GENERIC_READ, kReadSharing,
                           nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER position;
    position.QuadPart = static_cast<LONGLONG>(offset);
    bytes.assign(count, '\0');
    DWORD got = 0;
    bool ok = SetFilePointerEx(h, position, nullptr, FILE_BEGIN) &&
              ReadFile(h, &bytes[0], static_cast<DWORD>(count), &got, nullptr);
    CloseHandle(h);
    if (!ok) return false;
    bytes.resize(got);
    return true;
}

namespace {
// A process that has ended, or that was never there; one that cannot be
// asked is taken as running.
bool ProcessGone(DWORD processId) {
    if (processId == GetCurrentProcessId()) return false;
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
    if (!process) return GetLastError() == ERROR_INVALID_PARAMETER;
    const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}
}  // namespace

void RemoveAbandonedTemporaryFiles(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName), name = ExtractFileName(fileName);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((fileName + ".*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        unsigned long processId = 0;
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
            IsTemporaryFileOf(name, found.cFileName, processId) && ProcessGone(processId))
            DeleteFileA((folder + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

bool FileExistsOnDisk(const std::string& fileName) {
    DWORD a = GetFileAttributesA(fileName.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExistsOnDisk(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool RemoveFileOnDisk(const std::string& fileName) { return DeleteFileA(fileName.c_str()) != 0; }

}  // namespace quorlet
