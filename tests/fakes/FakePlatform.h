#pragma once
// Recording platform for tests: real files on disk, everything else scripted.

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace quorlet {

struct TShellOpenCall {
    std::string Verb, File, Parameters, Directory;
    int ShowCommand = -1;
};

class TFakePlatform : public IPlatform {
public:
    std::string FakeUserName = "alice";
    std::string FakeExecutableName;
    TDateTime FakeNow;
    int FakeScreenWidth = 1920;
    int FakeWorkAreaHeight = 1040;
    bool FailCopies = false;
    std::vector<TShellOpenCall> ShellOpenCalls;
    std::vector<std::pair<std::string, std::string>> Copies;

    std::string UserName() override { return FakeUserName; }
    std::string ExecutableName() override { return FakeExecutableName; }
    bool FileExists(const std::string& fileName) override;
    bool CopyFileOver(const std::string& from, const std::string& to) override;
    void ShellOpen(const std::string& verb, const std::string& file, const std::string& parameters,
                   const std::string& directory, int showCommand) override {
        ShellOpenCalls.push_back({verb, file, parameters, directory, showCommand});
    }
    TDateTime Now() override { return FakeNow; }
    int ScreenWidth() override { return FakeScreenWidth; }
    int WorkAreaHeight() override { return FakeWorkAreaHeight; }
};

}  // namespace quorlet
