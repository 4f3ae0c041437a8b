#pragma once
// A fresh folder under the system temp folder, removed with its content afterwards.

#include <filesystem>
#include <string>

namespace quorlet {

class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    // The folder with a trailing separator, in the form the program joins names to.
    std::string Path() const;
    std::string File(const std::string& name) const { return Path() + name; }

private:
    std::filesystem::path FPath;
};

std::string ReadFileText(const std::string& fileName);
void WriteFileText(const std::string& fileName, const std::string& bytes);

}  // namespace quorlet
