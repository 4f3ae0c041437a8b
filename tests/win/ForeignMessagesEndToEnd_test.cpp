// End-to-end: any program on the desktop can send the real Quorlet.exe any
// message with any parameters. Each message number the program gives a
// meaning of its own, and the ones that once wrote through a pointer, sent to
// each of its windows with bogus pointers in both parameters, leaves it
// running, answering and unchanged, and writes nothing where they point. Its copied-data questions are answered
// only when well formed, and an asker that does not take its answer cannot
// hold it.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "QuorletProcess.h"
#include "RemoteControls.h"
#include "WinTestSupport.h"
#include "app/MainControls.h"
#include "base/AppPaths.h"
#include "base/RemoteQuestion.h"
#include "fakes/TempFolder.h"
#include "settings/UAppSettingXml.h"
#include "settings/UBtnSettingXml.h"

using namespace quorlet;

namespace {

struct TNumber {
    UINT Message;
    const char* Name;
};

// Every number of win32/ProgramMessages.h, and the retired ones that took a
// pointer: WM_APP + 5 (a cell's place), + 6 (its hint), + 20 (a menu entry).
const TNumber kProgramMessages[] = {
    {WM_QUORLET_RUNNING, "WM_QUORLET_RUNNING"},
    {WM_CELL_BUTTONID, "WM_CELL_BUTTONID"},
    {WM_CELL_HASPICTURE, "WM_CELL_HASPICTURE"},
    {WM_CELL_LOADING, "WM_CELL_LOADING"},
    {WM_CELL_VISIBLE, "WM_CELL_VISIBLE"},
    {WM_APP + 5, "WM_APP + 5 (retired)"},
    {WM_APP + 6, "WM_APP + 6 (retired)"},
    {WM_SHEET_LOADING, "WM_SHEET_LOADING"},
    {WM_CELL_ACCCHILD, "WM_CELL_ACCCHILD"},
    {WM_APP + 20, "WM_APP + 20 (retired)"},
    {WM_TRAY_ADDCOUNT, "WM_TRAY_ADDCOUNT"},
    {WM_CELL_ICONLOADED, "WM_CELL_ICONLOADED"},
    {WM_TRAYICON, "WM_TRAYICON"},
    {WM_OPTIONS_UPDATECHECKED, "WM_OPTIONS_UPDATECHECKED"},
    {WM_UPDATE_CHECKED, "WM_UPDATE_CHECKED"},
    {WM_STARTMENU_READ, "WM_STARTMENU_READ"},
};

// The window classes the program registers.
const std::set<std::string> kProgramClasses = {"TfrmQuorlet", SheetClassName, TrayWindowClassName, "QuorletHotKey",
                                               "TQuorletApplication"};

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct TWindowSearch {
    DWORD ProcessId;
    std::vector<HWND> Found;
};

BOOL CALLBACK CollectChild(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TWindowSearch*>(param);
    if (kProgramClasses.count(ClassOf(window))) search->Found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<TWindowSearch*>(param);
    if (WindowProcessId(window) != search->ProcessId) return TRUE;
    CollectChild(window, param);
    EnumChildWindows(window, CollectChild, param);
    return TRUE;
}

// The windows of the program's own classes in a process.
std::vector<HWND> ProgramWindows(DWORD processId) {
    TWindowSearch search{processId, {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

std::string Hex(uintptr_t value) {
    std::ostringstream text;
    text << "0x" << std::hex << value;
    return text.str();
}

class ForeignMessagesEndToEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        exe = folder.File("Quorlet.exe");
        recorder = folder.File("QuorletRecorder.exe");
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_EXE_PATH).c_str(), exe.c_str(), FALSE));
        ASSERT_TRUE(CopyFileA(WindowsPath(QUORLET_RECORDER_PATH).c_str(), recorder.c_str(), FALSE));
        TStoreScope scope(exe);
        settingsFile = SettingFileName;
        TAppSettingXml settings(scope.Platform());
        settings.LoadSettings();
        settings.AutoCheckUpdate = false;
        settings.GlobalHotKey = "Ctrl+Shift+F9";  // the hot key's window is made with the first one
        settings.LastPanelIndex = 1;
        settings.X = 200;
        settings.Y = 200;
        settings.SaveSettings();
        TBtnSettingXml buttons(scope.Platform());
        StoreButton(buttons, {101, recorder, "", "", "First", "", recorder, 0, SW_SHOWNORMAL, 0});
        StoreButton(buttons, {102, recorder, "", "", "Second", "Ctrl+B", recorder, 0, SW_SHOWNORMAL, 0});
    }

    void StartQuorlet() {
        ASSERT_NO_FATAL_FAILURE(quorlet.Start(exe, folder.Path()));
        ASSERT_TRUE(PumpUntil(kLaunchWait, [&] { return !SheetLoading(quorlet.Sheet(1)); }));
        ASSERT_TRUE(CellHasPicture(quorlet.Cell(1, 101)));
    }

    // The program answers a message of no meaning at once.
    bool Answering() const {
        DWORD_PTR ignored = 0;
        return SendMessageTimeoutA(quorlet.Window(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kShortWait, &ignored) != 0;
    }

    // The program's context menu, open or not.
    bool MenuOpen() const {
        HWND menu = FindWindowA("#32768", nullptr);
        return menu && IsWindowVisible(menu) && WindowProcessId(menu) == quorlet.ProcessId();
    }

    // The answer to a well-formed question for entry 0 of the open menu,
    // naming inbox's window; false when none arrived.
    bool AskMenuEntry(TCopyDataInbox& inbox, TMenuEntryAnswer& answer) {
        TQuestion question;
        question.Kind = kQuestionOpenMenuEntry;
        question.Serial = 7;
        question.ReplyWindow = reinterpret_cast<uintptr_t>(inbox.Handle());
        if (SendCopyData(quorlet.Window(), inbox, question.Kind, EncodeQuestion(question)) != TRUE) return false;
        return inbox.Items().size() == 1 &&
               DecodeMenuEntryAnswer(inbox.Items()[0].Kind, inbox.Items()[0].Bytes.data(),
                                     inbox.Items()[0].Bytes.size(), answer) &&
               answer.Serial == 7;
    }

    TTempFolder folder;
    std::string exe, recorder, settingsFile;
    TQuorletUnderTest quorlet;
};

}  // namespace

TEST_F(ForeignMessagesEndToEndTest, BogusPointersInEveryProgramMessageChangeNothing) {
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    const std::vector<HWND> windows = ProgramWindows(quorlet.ProcessId());
    std::set<std::string> classes;
    for (HWND window : windows) classes.insert(ClassOf(window));
    ASSERT_EQ(classes, kProgramClasses) << "every kind of the program's windows is there";

    // An address that was the program's own memory a moment ago.
    uintptr_t freed = 0;
    {
        TRemoteMemory memory(quorlet.Window(), 4096);
        ASSERT_TRUE(memory);
        freed = reinterpret_cast<uintptr_t>(memory.Address());
    }
    // And a live block of the program's memory, which must keep its bytes.
    TRemoteMemory canary(quorlet.Window(), 4096);
    const std::vector<uint8_t> pattern(4096, 0xA5);
    ASSERT_TRUE(canary && canary.Write(pattern.data(), pattern.size()));
    const uintptr_t live = reinterpret_cast<uintptr_t>(canary.Address());
    const uintptr_t bogus[] = {0, 1, 0x1000, freed, live};
    // As wParam also a cell's identifier and a menu entry's position, which
    // the questions that once wrote through lParam took there.
    const uintptr_t bogusAndCell[] = {0, 1, 0x1000, freed, live, 101};
    const std::string settingsBefore = ReadFileText(settingsFile);
    const std::string hintBefore = CellHint(quorlet.Cell(1, 102));
    EXPECT_EQ(hintBefore, "Second -[Ctrl+B]");

    // With a cell's context menu open (by a right click in the middle of the
    // first cell, whose place is fixed), whose entries were once written out.
    ASSERT_NO_FATAL_FAILURE(quorlet.BringToFront());
    POINT firstCell = {17, 17};
    ClientToScreen(quorlet.Sheet(1), &firstCell);
    ASSERT_TRUE(SendRightClick(firstCell));
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return MenuOpen(); }));

    for (const TNumber& number : kProgramMessages) {
        SCOPED_TRACE(number.Name);
        std::vector<std::string> unanswered;
        for (HWND window : windows)
            for (uintptr_t w : bogusAndCell)
                for (uintptr_t l : bogus) {
                    DWORD_PTR ignored = 0;
                    if (!SendMessageTimeoutA(window, number.Message, static_cast<WPARAM>(w), static_cast<LPARAM>(l),
                                             SMTO_ABORTIFHUNG, kShortWait, &ignored))
                        unanswered.push_back(ClassOf(window) + " " + Hex(w) + ", " + Hex(l));
                }
        EXPECT_EQ(unanswered, std::vector<std::string>());
        ASSERT_TRUE(quorlet.Running()) << "the program ended";
        ASSERT_TRUE(Answering());
    }

    // The menu is still open, the cells show what they showed, the settings
    // are as they were, and questions are still answered.
    std::string caption;
    EXPECT_GE(OpenMenuEntry(quorlet.Window(), 0, caption), 0);
    EXPECT_NE(caption, "");
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    ASSERT_TRUE(PumpUntil(kShortWait, [&] { return !MenuOpen(); }));
    EXPECT_TRUE(CellHasPicture(quorlet.Cell(1, 101)));
    EXPECT_TRUE(CellHasPicture(quorlet.Cell(1, 102)));
    EXPECT_EQ(CellButtonId(quorlet.Cell(1, 102)), 102);
    EXPECT_EQ(CellHint(quorlet.Cell(1, 102)), hintBefore);
    EXPECT_EQ(ReadFileText(settingsFile), settingsBefore);
    std::vector<uint8_t> after(pattern.size());
    ASSERT_TRUE(canary.Read(after.data(), after.size()));
    EXPECT_TRUE(after == pattern) << "the program wrote into its memory where a message pointed";
    TCopyDataInbox inbox;
    TMenuEntryAnswer answer;
    ASSERT_TRUE(AskMenuEntry(inbox, answer));
    EXPECT_EQ(answer.State, -1) << "no menu is open";
    PostMessageA(quorlet.Window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(quorlet.WaitForExit(kLaunchWait), 0u);
}

TEST_F(ForeignMessagesEndToEndTest, OnlyWellFormedQuestionsAreAnswered) {
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    TCopyDataInbox inbox, gone;
    ASSERT_TRUE(inbox.Handle() && gone.Handle());
    HWND destroyed = nullptr;
    {
        TCopyDataInbox shortLived;
        destroyed = shortLived.Handle();
    }
    auto question = [&](HWND reply, int32_t position) {
        TQuestion q;
        q.Kind = kQuestionOpenMenuEntry;
        q.Serial = 3;
        q.ReplyWindow = reinterpret_cast<uintptr_t>(reply);
        q.Argument = position;
        return EncodeQuestion(q);
    };
    std::vector<uint8_t> longer = question(inbox.Handle(), 0);
    longer.push_back(0);
    struct Case {
        const char* what;
        uint64_t kind;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"an unknown kind", kQuestionOpenMenuEntry + 1, question(inbox.Handle(), 0)},
        {"an answer's kind", kAnswerOpenMenuEntry, question(inbox.Handle(), 0)},
        {"one byte too many", kQuestionOpenMenuEntry, longer},
        {"no bytes", kQuestionOpenMenuEntry, {}},
        {"a negative position", kQuestionOpenMenuEntry, question(inbox.Handle(), -1)},
        {"no reply window", kQuestionOpenMenuEntry, question(nullptr, 0)},
        {"a reply window that is gone", kQuestionOpenMenuEntry, question(destroyed, 0)},
        {"the program's own window as the reply window", kQuestionOpenMenuEntry, question(quorlet.Window(), 0)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SendCopyData(quorlet.Window(), inbox, c.kind, c.bytes), FALSE) << c.what;
        EXPECT_TRUE(inbox.Items().empty()) << c.what;
    }

    // The answer goes to the window the question names, whoever sends it.
    EXPECT_EQ(SendCopyData(quorlet.Window(), gone, kQuestionOpenMenuEntry, question(inbox.Handle(), 0)), TRUE);
    EXPECT_TRUE(gone.Items().empty());
    ASSERT_EQ(inbox.Items().size(), 1u);
    TMenuEntryAnswer answer;
    ASSERT_TRUE(DecodeMenuEntryAnswer(inbox.Items()[0].Kind, inbox.Items()[0].Bytes.data(),
                                      inbox.Items()[0].Bytes.size(), answer));
    EXPECT_EQ(answer.Serial, 3u);
    EXPECT_EQ(answer.State, -1);
    EXPECT_TRUE(quorlet.Running());
}

TEST_F(ForeignMessagesEndToEndTest, AnAskerThatDoesNotTakeItsAnswerCannotHoldTheProgram) {
    ASSERT_NO_FATAL_FAILURE(StartQuorlet());
    // The reply window's thread stops taking messages until released.
    HWND stuckWindow = nullptr;
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread stuck([&] {
        TCopyDataInbox inbox;
        stuckWindow = inbox.Handle();
        SetEvent(created);
        WaitForSingleObject(release, 60000);
    });
    ASSERT_EQ(WaitForSingleObject(created, kShortWait), WAIT_OBJECT_0);
    ASSERT_NE(stuckWindow, nullptr);

    TCopyDataInbox sender;
    TQuestion question;
    question.Kind = kQuestionOpenMenuEntry;
    question.ReplyWindow = reinterpret_cast<uintptr_t>(stuckWindow);
    // The program gives up on the answer and the question returns FALSE well
    // within this side's own wait, instead of timing out (-1).
    const LRESULT result = SendCopyData(quorlet.Window(), sender, question.Kind, EncodeQuestion(question), 15000);
    SetEvent(release);
    stuck.join();
    CloseHandle(created);
    CloseHandle(release);
    EXPECT_EQ(result, FALSE);
    EXPECT_TRUE(Answering());
    EXPECT_TRUE(quorlet.Running());
}
