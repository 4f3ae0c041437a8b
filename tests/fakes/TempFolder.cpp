#include "fakes/TempFolder.h"

#include "base/FileIo.h"

#include <fstream>
#include <random>
#include <stdexcept>

namespace quorlet {

TTempFolder::TTempFolder() {
    std::random_device rd;
    std::mt19937_64 rng(rd());
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto candidate = std::filesystem::temp_directory_path() /
                         ("quorlet-test-" + std::to_string(rng() % 1000000000ULL));
        if (std::filesystem::create_directory(candidate)) {
            FPath = candidate;
            return;
        }
    }
    throw std::runtime_error("Cannot create a temporary folder");
}

TTempFolder::~TTempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(FPath, ec);
}

std::string TTempFolder::Path() const {
#ifdef _WIN32
    return FPath.string() + "\\";
#else
    return FPath.string() + "/";
#endif
}

std::string ReadFileText(const std::string& fileName) {
    std::string bytes;
    if (!ReadWholeFile(fileName, bytes)) throw std::runtime_error("Cannot read " + fileName);
    return bytes;
}

void WriteFileText(const std::string& fileName, const std::string& bytes) {
    std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) throw std::runtime_error("Cannot write " + fileName);
}

}  // namespace quorlet
