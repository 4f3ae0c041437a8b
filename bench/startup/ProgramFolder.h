#pragma once
// A fresh folder under the system's temporary folder, removed with its content
// when the object goes.

#include <string>

namespace quorlet {
namespace startupbench {

class TProgramFolder {
public:
    // The folder's name starts with prefix; throws std::runtime_error when it cannot be made.
    explicit TProgramFolder(const std::string& prefix);
    ~TProgramFolder();
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;

    // With a trailing backslash, the form the program joins names to.
    const std::string& Path() const { return FPath; }
    std::string File(const std::string& name) const { return FPath + name; }

    // Copies a file into the folder under name; throws when the copy fails.
    std::string CopyIn(const std::string& source, const std::string& name) const;
    // Writes a small text file into the folder.
    std::string WriteText(const std::string& name, const std::string& text) const;

private:
    std::string FPath;
};

}  // namespace startupbench
}  // namespace quorlet
