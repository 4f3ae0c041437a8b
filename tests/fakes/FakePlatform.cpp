#include "fakes/FakePlatform.h"

#include <fstream>
#include <sstream>

#include "settings/FileIo.h"

namespace quorlet {

bool TFakePlatform::FileExists(const std::string& fileName) { return FileExistsOnDisk(fileName); }

bool TFakePlatform::CopyFileOver(const std::string& from, const std::string& to) {
    Copies.emplace_back(from, to);
    if (FailCopies) return false;
    std::string bytes;
    if (!ReadWholeFile(from, bytes)) return false;
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}

}  // namespace quorlet
