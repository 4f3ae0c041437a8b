#pragma once
// Shared by the application settings tests: a temporary program folder with
// the settings document path set, a fake platform with a fixed clock and
// screen, and helpers that look at the written text.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "base/AppPaths.h"
#include "fakes/FakePlatform.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {
namespace appsettingtest {

using Strings = std::vector<std::string>;

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";

inline Strings FolderEntries(const TTempFolder& folder) {
    Strings names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder.Path())))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The text of one section of the root, from its start tag to its end tag, as written.
inline std::string SectionText(const std::string& file, const std::string& name) {
    const size_t start = file.find("\r\n\t<" + name);
    if (start == std::string::npos) return "(no " + name + ")";
    const size_t tagEnd = file.find('>', start);
    if (file[tagEnd - 1] == '/') return file.substr(start + 3, tagEnd + 1 - (start + 3));  // short form
    const std::string endTag = "\r\n\t</" + name + ">";
    const size_t end = file.find(endTag, start);
    if (end == std::string::npos) return "(unterminated " + name + ")";
    return file.substr(start + 3, end + endTag.size() - (start + 3));
}

inline void ReplaceOnce(std::string& text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    text.replace(at, from.size(), to);
}

class AppSettingTest : public ::testing::Test {
protected:
    void SetUp() override {
        SettingFileName = folder.File("QL_alice.xml");
        platform.FakeNow.Year = 2025;
        platform.FakeNow.Month = 3;
        platform.FakeNow.Day = 5;
        platform.FakeNow.Hour = 14;
        platform.FakeNow.Minute = 7;
        platform.FakeNow.Second = 9;
        platform.FakeNow.Millisecond = 250;
        platform.FakeScreenWidth = 1366;
        platform.FakeWorkAreaHeight = 728;
    }
    void TearDown() override { SettingFileName.clear(); }

    TTempFolder folder;
    TFakePlatform platform;
};

}  // namespace appsettingtest
}  // namespace quorlet
