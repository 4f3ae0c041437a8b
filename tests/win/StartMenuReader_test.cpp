// The Start Menu reader for type-to-find: the shortcuts of two Programs
// folders arrive by a posted message, the user's shortcut once where both
// folders hold one of the same place; a change in the folders brings a new
// list; the reader ends its worker at once, whether reading or watching.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include <windows.h>
#include <tlhelp32.h>

#include "app/TStartMenuReader.h"
#include "fakes/TempFolder.h"
#include "platform/Win32Platform.h"
#include "shell/LinkCreateInfo.h"
#include "shell/StartMenuFolders.h"
#include "win/WinTestSupport.h"

namespace quorlet {
namespace {

int ThreadsOfThisProcess() {
    TUniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.Get(), &entry); more; more = Thread32Next(snapshot.Get(), &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
    return count;
}

// A message-only window that keeps the tickets posted to it.
class TReceiver {
public:
    TReceiver() {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "StartMenuReaderTestReceiver";
        RegisterClassA(&wc);
        FWindow.Reset(CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
        SetWindowLongPtrA(FWindow.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    HWND Window() const { return FWindow.Get(); }
    std::vector<WPARAM> Tickets;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<TReceiver*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (message == WM_STARTMENU_READ && self) self->Tickets.push_back(wParam);
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    TUniqueWinHandle<HWND, TWindowHandleTraits> FWindow;
};

void WriteShortcut(IPlatform& platform, const std::string& linkFile, const std::string& target) {
    TLinkCreateInfo info = {};
    AssignLinkField(info.Path, target);
    info.ShowCmd = swShowNormal;
    ASSERT_TRUE(platform.SaveShellLink(info, linkFile)) << linkFile;
}

std::wstring WidePath(const std::string& path) {
    std::wstring wide(path.size(), L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

struct TEntryView {
    std::string Name, LinkPath, Target;
    bool operator==(const TEntryView& o) const {
        return Name == o.Name && LinkPath == o.LinkPath && Target == o.Target;
    }
};

std::ostream& operator<<(std::ostream& out, const TEntryView& entry) {
    return out << "{" << entry.Name << ", " << entry.LinkPath << ", " << entry.Target << "}";
}

std::vector<TEntryView> ViewOf(const std::vector<TStartMenuEntry>& entries) {
    std::vector<TEntryView> view;
    for (const TStartMenuEntry& entry : entries) view.push_back({entry.Name, entry.LinkPath, entry.Target});
    return view;
}

bool HasLink(const std::vector<TStartMenuEntry>& entries, const std::string& linkPath) {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const TStartMenuEntry& entry) { return entry.LinkPath == linkPath; });
}

class StartMenuReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        user = folder.File("User\\");
        common = folder.File("Common\\");
        for (const char* sub : {"User", "User\\Tools", "User\\Tools\\Deep", "Common", "Common\\Tools", "Targets"})
            ASSERT_TRUE(CreateDirectoryA(folder.File(sub).c_str(), nullptr)) << sub;
        for (const char* name : {"edit.exe", "backup.exe", "chess.exe", "shared-edit.exe", "new.exe"})
            WriteFileText(Target(name), "x");
    }
    std::string Target(const char* name) const { return folder.File(std::string("Targets\\") + name); }

    // Pumps until a list arrives for which done() holds; false when none
    // does in time. Every list that arrives is taken.
    template <typename TDone>
    bool TakeUntil(TStartMenuReader& reader, TDone done, std::vector<TStartMenuEntry>& entries) {
        size_t seen = 0;
        return PumpUntil(20000, [&] {
            for (; seen < receiver.Tickets.size(); ++seen) {
                std::vector<TStartMenuEntry> taken;
                if (!reader.Take(receiver.Tickets[seen], taken)) continue;
                entries = std::move(taken);
                if (done(entries)) return true;
            }
            return false;
        });
    }

    TTempFolder folder;
    std::string user, common;
    TWin32Platform platform{GetModuleHandleA(nullptr)};
    TReceiver receiver;
};

TEST_F(StartMenuReaderTest, ListArrivesByMessageWithTheUsersShortcutOnceAndFollowsChanges) {
    WriteShortcut(platform, user + "Editor.lnk", Target("edit.exe"));
    WriteShortcut(platform, user + "Tools\\Deep\\Backup.lnk", Target("backup.exe"));
    WriteFileText(user + "Tools\\Readme.txt", "not a shortcut");
    WriteFileText(user + "Broken.lnk", "a .lnk file that holds no shortcut");
    WriteShortcut(platform, common + "editor.LNK", Target("shared-edit.exe"));  // the user's Editor.lnk wins
    WriteShortcut(platform, common + "Tools\\Chess.lnk", Target("chess.exe"));
    WriteFileText(common + "desktop.ini", "[.ShellClassInfo]");
    // A name the code page cannot spell: no call of this program could open it.
    const std::wstring unspellable = WidePath(user) + L"\x4E2D\x6587.lnk";
    ASSERT_TRUE(CopyFileW(WidePath(user + "Editor.lnk").c_str(), unspellable.c_str(), TRUE));

    TStartMenuReader reader(platform, {user, common});
    EXPECT_FALSE(reader.Started());
    ASSERT_TRUE(reader.Start(receiver.Window(), WM_STARTMENU_READ));
    EXPECT_FALSE(reader.Start(receiver.Window(), WM_STARTMENU_READ)) << "one worker, started once";

    std::vector<TStartMenuEntry> entries;
    ASSERT_TRUE(TakeUntil(reader, [](const std::vector<TStartMenuEntry>&) { return true; }, entries));
    EXPECT_EQ(ViewOf(entries), (std::vector<TEntryView>{
                                   {"Backup", user + "Tools\\Deep\\Backup.lnk", Target("backup.exe")},
                                   {"Broken", user + "Broken.lnk", ""},
                                   {"Chess", common + "Tools\\Chess.lnk", Target("chess.exe")},
                                   {"Editor", user + "Editor.lnk", Target("edit.exe")},
                               }));
    std::vector<TStartMenuEntry> again;
    EXPECT_FALSE(reader.Take(receiver.Tickets.front(), again)) << "a list is taken once";
    EXPECT_TRUE(again.empty());

    // A shortcut added and one removed, each in a subfolder: a new list follows.
    WriteShortcut(platform, common + "Tools\\New Game.lnk", Target("new.exe"));
    ASSERT_TRUE(DeleteFileA((user + "Tools\\Deep\\Backup.lnk").c_str()));
    ASSERT_TRUE(TakeUntil(reader, [&](const std::vector<TStartMenuEntry>& list) {
        return HasLink(list, common + "Tools\\New Game.lnk") && !HasLink(list, user + "Tools\\Deep\\Backup.lnk");
    }, entries));
    EXPECT_EQ(ViewOf(entries), (std::vector<TEntryView>{
                                   {"Broken", user + "Broken.lnk", ""},
                                   {"Chess", common + "Tools\\Chess.lnk", Target("chess.exe")},
                                   {"Editor", user + "Editor.lnk", Target("edit.exe")},
                                   {"New Game", common + "Tools\\New Game.lnk", Target("new.exe")},
                               }));
}

TEST_F(StartMenuReaderTest, ABurstOfChangesIsReadOnceItIsOver) {
    WriteShortcut(platform, user + "Editor.lnk", Target("edit.exe"));
    TStartMenuReader reader(platform, {user, common});
    ASSERT_TRUE(reader.Start(receiver.Window(), WM_STARTMENU_READ));
    std::vector<TStartMenuEntry> entries;
    ASSERT_TRUE(TakeUntil(reader, [](const std::vector<TStartMenuEntry>& list) { return list.size() == 1; }, entries));

    // Ten shortcuts copied in a tenth of a second apart, as an installer adds
    // its group: each change comes before the folders have been quiet.
    const size_t ticketsBefore = receiver.Tickets.size();
    ASSERT_TRUE(CreateDirectoryA((common + "Suite").c_str(), nullptr));
    for (int i = 0; i < 10; ++i) {
        const std::string copy = common + "Suite\\Tool " + std::to_string(i) + ".lnk";
        ASSERT_TRUE(CopyFileA((user + "Editor.lnk").c_str(), copy.c_str(), TRUE)) << copy;
        PumpUntil(100, [] { return false; });  // the pace of the burst itself
    }
    ASSERT_TRUE(TakeUntil(reader, [](const std::vector<TStartMenuEntry>& list) { return list.size() == 11; }, entries));
    EXPECT_LE(receiver.Tickets.size() - ticketsBefore, 3u) << "the burst was read as it went, not once it was over";
    for (const TStartMenuEntry& entry : entries) EXPECT_EQ(entry.Target, Target("edit.exe")) << entry.LinkPath;
}

TEST_F(StartMenuReaderTest, MissingFoldersGiveAnEmptyListAndNoWatch) {
    const int before = ThreadsOfThisProcess();
    {
        TStartMenuReader reader(platform, {folder.File("Nowhere\\"), ""});
        ASSERT_TRUE(reader.Start(receiver.Window(), WM_STARTMENU_READ));
        std::vector<TStartMenuEntry> entries = {StartMenuEntryOf("C:\\old.lnk")};
        ASSERT_TRUE(TakeUntil(reader, [](const std::vector<TStartMenuEntry>&) { return true; }, entries));
        EXPECT_TRUE(entries.empty());
        // With nothing to watch the worker has nothing left to do.
        EXPECT_TRUE(PumpUntil(10000, [&] { return ThreadsOfThisProcess() == before; }));
    }
}

// How long the worker of reader takes to end once the reader is destroyed.
template <typename TReader>
DWORD MillisecondsToEnd(std::unique_ptr<TReader>& reader, int threadsWithoutWorker, DWORD& destructorMs) {
    const DWORD start = GetTickCount();
    reader.reset();
    destructorMs = GetTickCount() - start;
    PumpUntil(20000, [&] { return ThreadsOfThisProcess() == threadsWithoutWorker; });
    return GetTickCount() - start;
}

TEST_F(StartMenuReaderTest, DestroyedWhileReadingOrWatchingTheWorkerEndsAtOnce) {
    // Enough shortcuts for a reading to take a while.
    WriteShortcut(platform, user + "Editor.lnk", Target("edit.exe"));
    for (int i = 0; i < 400; ++i) {
        const std::string copy = (i % 2 ? common : user) + "Tools\\Tool " + std::to_string(i) + ".lnk";
        ASSERT_TRUE(CopyFileA((user + "Editor.lnk").c_str(), copy.c_str(), TRUE)) << copy;
    }
    const int before = ThreadsOfThisProcess();

    // A whole reading, timed; then the reader goes while its worker watches.
    auto reader = std::make_unique<TStartMenuReader>(platform, TStartMenuFolders{user, common});
    DWORD start = GetTickCount();
    ASSERT_TRUE(reader->Start(receiver.Window(), WM_STARTMENU_READ));
    std::vector<TStartMenuEntry> entries;
    ASSERT_TRUE(TakeUntil(*reader, [](const std::vector<TStartMenuEntry>&) { return true; }, entries));
    const DWORD readingMs = GetTickCount() - start;
    EXPECT_EQ(entries.size(), 401u);
    EXPECT_EQ(ThreadsOfThisProcess(), before + 1) << "the worker stays to watch";
    DWORD destructorMs = 0;
    const DWORD watchingEndMs = MillisecondsToEnd(reader, before, destructorMs);
    EXPECT_EQ(ThreadsOfThisProcess(), before);
    EXPECT_LT(watchingEndMs, 2000u);
    EXPECT_LT(destructorMs, 1000u);

    // Destroyed while its worker reads: it ends well before a reading could.
    receiver.Tickets.clear();
    reader = std::make_unique<TStartMenuReader>(platform, TStartMenuFolders{user, common});
    ASSERT_TRUE(reader->Start(receiver.Window(), WM_STARTMENU_READ));
    ASSERT_TRUE(PumpUntil(5000, [&] { return ThreadsOfThisProcess() == before + 1; }));
    const DWORD readingEndMs = MillisecondsToEnd(reader, before, destructorMs);
    EXPECT_EQ(ThreadsOfThisProcess(), before);
    EXPECT_LT(destructorMs, 1000u);
    EXPECT_LT(readingEndMs, readingMs / 2) << "a whole reading took " << readingMs << " ms";
    PumpUntil(0, [] { return true; });
    EXPECT_TRUE(receiver.Tickets.empty()) << "a reader that has gone posts nothing";
    std::printf("[ reading ] 401 shortcuts read in %lu ms; the worker ended %lu ms after the reader went while "
                "watching, %lu ms while reading\n",
                static_cast<unsigned long>(readingMs), static_cast<unsigned long>(watchingEndMs),
                static_cast<unsigned long>(readingEndMs));
}

TEST_F(StartMenuReaderTest, ReadsTheUsersProgramsFolderOfTheSystem) {
    const TStartMenuFolders folders = GetStartMenuFolders(platform);
    ASSERT_FALSE(folders.User.empty());
    const std::string link = folders.User + "Reader Test " + std::to_string(GetCurrentProcessId()) + ".lnk";
    WriteShortcut(platform, link, Target("edit.exe"));
    struct TRemove {
        std::string File;
        ~TRemove() { DeleteFileA(File.c_str()); }
    } remove{link};

    TStartMenuReader reader(platform);
    ASSERT_TRUE(reader.Start(receiver.Window(), WM_STARTMENU_READ));
    std::vector<TStartMenuEntry> entries;
    ASSERT_TRUE(TakeUntil(reader, [](const std::vector<TStartMenuEntry>&) { return true; }, entries));
    const auto found = std::find_if(entries.begin(), entries.end(),
                                    [&](const TStartMenuEntry& entry) { return entry.LinkPath == link; });
    ASSERT_NE(found, entries.end()) << folders.User << " (common: " << folders.Common << ")";
    EXPECT_EQ(found->Name, "Reader Test " + std::to_string(GetCurrentProcessId()));
    EXPECT_EQ(found->Target, Target("edit.exe"));
}

}  // namespace
}  // namespace quorlet
