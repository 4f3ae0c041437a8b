// Shell services and shortcuts against the real shell under Wine: real
// files, real .lnk files written by the shell link object, real icons.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "WinTestSupport.h"
#include "base/AppPaths.h"
#include "fakes/TempFolder.h"
#include "win32/ComPtr.h"
#include "platform/Win32Platform.h"
#include "base/FileIo.h"
#include "shell/ShellLinker.h"
#include "shell/ShellServices.h"

using namespace quorlet;

namespace {

std::vector<unsigned char> IconPixels(TIconHandle icon) {
    ICONINFO info = {};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return {};
    std::vector<unsigned char> pixels;
    HDC screen = GetDC(nullptr);
    BITMAPINFO format = {};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    HBITMAP source = info.hbmColor ? info.hbmColor : info.hbmMask;
    if (GetDIBits(screen, source, 0, 0, nullptr, &format, DIB_RGB_COLORS)) {
        format.bmiHeader.biBitCount = 32;
        format.bmiHeader.biCompression = BI_RGB;
        int rows = format.bmiHeader.biHeight < 0 ? -format.bmiHeader.biHeight : format.bmiHeader.biHeight;
        pixels.resize(static_cast<size_t>(format.bmiHeader.biWidth) * rows * 4);
        GetDIBits(screen, source, 0, rows, pixels.data(), &format, DIB_RGB_COLORS);
    }
    ReleaseDC(nullptr, screen);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return pixels;
}

bool IsLiveIcon(TIconHandle icon) {
    ICONINFO info = {};
    if (!GetIconInfo(static_cast<HICON>(icon), &info)) return false;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return true;
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : platform(GetModuleHandleA(nullptr)) {}
    void SetUp() override {
        ASSERT_TRUE(apartment.Ok());
        SetPlatform(&platform);
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
    }
    void TearDown() override { SetPlatform(nullptr); }

    TLinkCreateInfo LinkTo(const std::string& target) {
        TLinkCreateInfo info = {};
        AssignLinkField(info.Path, target);
        info.ShowCmd = SW_SHOWNORMAL;
        return info;
    }

    TComApartment apartment;
    TWin32Platform platform;
    TTempFolder folder;
    std::string recorder;
};

TEST_F(ShellTest, ShortcutsWrittenByCreateLinkReadBackWithTheSameFields) {
    struct Case {
        int ShowCmd;
        int ShowState;
    } cases[] = {{SW_SHOWMINNOACTIVE, 1}, {SW_SHOWMINIMIZED, 1}, {SW_SHOWMAXIMIZED, 2}, {SW_SHOWNORMAL, 0}};
    for (const Case& c : cases) {
        TLinkCreateInfo info = LinkTo(recorder);
        AssignLinkField(info.Arguments, "-a \"two words\"");
        AssignLinkField(info.WorkingDir, folder.Path());
        AssignLinkField(info.IconLocation, recorder);
        AssignLinkField(info.Description, "Recorder");
        info.IconIndex = 2;
        info.ShowCmd = c.ShowCmd;
        std::string link = folder.File("case" + std::to_string(c.ShowCmd) + ".lnk");
        ASSERT_TRUE(CreateLink(platform, info, link));

        TLinkInfo read;
        ASSERT_TRUE(ReadLink(platform, link, read)) << c.ShowCmd;
        EXPECT_EQ(read.Path, recorder);
        EXPECT_EQ(read.Arguments, "-a \"two words\"");
        EXPECT_EQ(read.WorkingDir, folder.Path());
        EXPECT_EQ(read.IconLocation, recorder);
        EXPECT_EQ(read.IconIndex, 2);
        EXPECT_EQ(read.Description, "Recorder");
        EXPECT_EQ(read.ShowState, c.ShowState) << c.ShowCmd;
    }
}

TEST_F(ShellTest, ShortcutWithoutIconLocationTakesItsTargetsIcon) {
    std::string link = folder.File("plain.lnk");
    ASSERT_TRUE(CreateLink(platform, LinkTo(recorder), link));
    TLinkButtonFields fields;
    ASSERT_TRUE(ResolveLinkFields(platform, link, fields));
    EXPECT_EQ(fields.Command, GetLongPathByShell(platform, recorder));
    EXPECT_EQ(fields.IconFile, recorder);
    EXPECT_EQ(fields.IconNumber, 0);
    EXPECT_EQ(fields.Description, "QuorletRecorder.exe");
}

TEST_F(ShellTest, ShortcutToADeletedTargetIsNotResolved) {
    std::string target = folder.File("doomed.txt");
    WriteFileText(target, "soon gone");
    std::string link = folder.File("doomed.lnk");
    ASSERT_TRUE(CreateLink(platform, LinkTo(target), link));
    ASSERT_TRUE(DeleteFileA(target.c_str()));
    TLinkButtonFields fields;
    fields.Command = "kept";
    EXPECT_FALSE(ResolveLinkFields(platform, link, fields));
    EXPECT_EQ(fields.Command, "kept");
}

TEST_F(ShellTest, ShortNamesComeBackLong) {
    std::string longName = folder.File("A Rather Long File Name.txt");
    WriteFileText(longName, "x");
    char shortName[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameA(longName.c_str(), shortName, MAX_PATH), 0u);
    ASSERT_NE(std::string(shortName), longName);
    EXPECT_EQ(GetLongPathByShell(platform, shortName), GetLongPathByShell(platform, longName));
    EXPECT_EQ(ExtractFileName(GetLongPathByShell(platform, shortName)), "A Rather Long File Name.txt");

    std::string missing = folder.File("No Such File.txt");
    char full[MAX_PATH] = {};
    GetFullPathNameA(missing.c_str(), MAX_PATH, full, nullptr);
    EXPECT_EQ(GetLongPathByShell(platform, missing), full);
}

TEST_F(ShellTest, IconCountsAndChoices) {
    std::string text = folder.File("notes.txt");
    WriteFileText(text, "no icons here");
    EXPECT_EQ(GetIconCount(platform, recorder), 3);
    EXPECT_EQ(GetIconCount(platform, WindowsPath(QUORLET_MULTI_IMAGE_ICO)), 1);  // one icon, several images
    EXPECT_EQ(GetIconCount(platform, text), 0);
    EXPECT_EQ(GetIconCount(platform, folder.File("missing.exe")), 0);

    TOwnedIcon first = GetFileIcon(platform, recorder, 1, 32), second = GetFileIcon(platform, recorder, 2, 32);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_NE(IconPixels(first.Get()), IconPixels(second.Get()));
    TOwnedIcon clamped = GetFileIcon(platform, recorder, 5, 32);  // beyond the last: the last
    EXPECT_EQ(IconPixels(clamped.Get()), IconPixels(second.Get()));

    EXPECT_TRUE(GetFileIcon(platform, text, 2, 32));             // the shell's document icon
    EXPECT_TRUE(GetShellIcon(platform, folder.Path(), 32));      // folders have one too
    EXPECT_TRUE(GetFileIcon(platform, recorder, -1, 32));        // never the count mistaken for a handle
}

TEST_F(ShellTest, IconsComeAtTheSizeAskedFor) {
    // A monitor of high density asks for larger icons; the shell may hand out
    // a larger one where it has none of the size, never a smaller one.
    const auto width = [](const TOwnedIcon& icon) {
        ICONINFO info = {};
        if (!icon || !GetIconInfo(static_cast<HICON>(icon.Get()), &info)) return 0;
        BITMAP bitmap = {};
        GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
        if (info.hbmColor) DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        return static_cast<int>(bitmap.bmWidth);
    };
    for (int size : {32, 48, 64}) {
        EXPECT_EQ(width(GetFileIcon(platform, recorder, 2, size)), size) << "stored icon at " << size;
        EXPECT_GE(width(GetFileIcon(platform, recorder, 0, size)), size) << "shell icon at " << size;
        EXPECT_GE(width(GetShellIcon(platform, folder.Path(), size)), size) << "folder icon at " << size;
    }
}

TEST_F(ShellTest, ReplacedIconsAreDestroyed) {
    // Wine reports no GDI object count (0); where the system does, it must not grow.
    DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    std::vector<TIconHandle> replaced;
    {
        TOwnedIcon shown;
        for (int i = 0; i < 300; ++i) {
            if (shown) replaced.push_back(shown.Get());
            shown = GetFileIcon(platform, recorder, 1 + i % 3, 32);
            ASSERT_TRUE(shown);
        }
        EXPECT_TRUE(IsLiveIcon(shown.Get()));
        replaced.push_back(shown.Get());
    }
    int stillLive = 0;
    for (TIconHandle icon : replaced) stillLive += IsLiveIcon(icon) ? 1 : 0;
    EXPECT_EQ(stillLive, 0);
    DWORD after = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (before != 0) {
        EXPECT_LE(after, before + 2);
    }
}

TEST_F(ShellTest, SystemDriveFolder) {
    char system[MAX_PATH] = {};
    ASSERT_GT(GetSystemDirectoryA(system, MAX_PATH), 2u);
    std::string drive = GetSpecialFolder(platform, sfSystemDrive);
    EXPECT_EQ(drive, std::string(system, 2) + "\\");
    EXPECT_EQ(GetSpecialFolder(platform, 27), "");
    std::string windows = GetSpecialFolder(platform, 17);
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows.back(), '\\');
    EXPECT_TRUE(DirectoryExistsOnDisk(windows));
}

TEST_F(ShellTest, ProgramLinkPointsAtTheRunningProgram) {
    CreateProgramLink(platform, folder.Path());
    std::string link = folder.File("Quorlet.lnk");
    ASSERT_TRUE(FileExistsOnDisk(link));
    TLinkInfo read;
    ASSERT_TRUE(ReadLink(platform, link, read));
    EXPECT_EQ(GetLongPathByShell(platform, read.Path), GetLongPathByShell(platform, platform.ExecutableName()));
    EXPECT_EQ(read.WorkingDir, ExtractFilePath(platform.ExecutableName()));
    EXPECT_EQ(read.ShowState, 0);
}

TEST_F(ShellTest, DamagedShortcutsAreRefusedWithoutHarm) {
    std::string header(76, '\0');
    header[0] = 0x4C;
    header[20] = 0x03;
    std::string random;
    unsigned seed = 12345;
    for (int i = 0; i < 400; ++i) {
        seed = seed * 1103515245u + 12345u;
        random += static_cast<char>(seed >> 16);
    }
    random[20] = static_cast<char>(random[20] | 0x02);
    struct Case {
        const char* Name;
        std::string Bytes;
    } cases[] = {{"empty.lnk", ""}, {"short.lnk", std::string(20, '\x02')},
                 {"header-only.lnk", header}, {"random.lnk", random}};
    for (const Case& c : cases) {
        std::string file = folder.File(c.Name);
        WriteFileText(file, c.Bytes);
        TLinkInfo info;
        bool read = ReadLink(platform, file, info);
        if (std::string(c.Name) != "random.lnk") {
            EXPECT_FALSE(read) << c.Name;
        }
        EXPECT_LE(info.Path.size(), LinkTextLimit);
        EXPECT_LE(info.Arguments.size(), LinkTextLimit);
        TLinkButtonFields fields;
        fields.Command = "kept";
        if (!ResolveLinkFields(platform, file, fields)) {
            EXPECT_EQ(fields.Command, "kept") << c.Name;
        }
    }
}

TEST_F(ShellTest, PathsLongerThanMaxPathAreRefused) {
    std::string deep = folder.Path() + std::string(150, 'd') + "\\" + std::string(150, 'e') + ".lnk";
    EXPECT_FALSE(CreateLink(platform, LinkTo(recorder), deep));
    TLinkInfo info;
    EXPECT_FALSE(ReadLink(platform, deep, info));
    std::string longTarget = folder.Path() + std::string(300, 'x') + ".exe";
    TLinkCreateInfo tooLong = {};
    EXPECT_FALSE(AssignLinkField(tooLong.Path, longTarget));
    EXPECT_EQ(std::string(tooLong.Path).size(), 260u);
    EXPECT_EQ(GetLongPathByShell(platform, longTarget), longTarget);
}

}  // namespace
