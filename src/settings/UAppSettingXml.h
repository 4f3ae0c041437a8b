#pragma once
// The application settings store: the options, the alarm, the tab sheet names
// and the recent-buttons list of the current user's settings document.
//
// The document (SettingFileName) has the root RKConfig with the sections
// Application, AlarmClock, Groups, Last6Buttons and Buttons. This store owns
// all of them except Buttons, which belongs to the button store
// (UBtnSettingXml). Both stores share the file, so every write here loads the
// file afresh, changes only this store's elements and saves the whole file:
// neither store ever writes back a document it loaded earlier.
//
// Fields are the live settings; callers change them directly and then call the
// save operation of the section they changed. Failures of the XML layer
// (unreadable file, file that cannot be written, value that cannot be
// converted) are raised as EXmlError and reach the caller.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/Platform.h"
#include "base/DateTime.h"
#include "settings/XmlDoc.h"

namespace quorlet {

// The root element of every settings document.
extern const char* const SettingsDocumentRoot;

// The program's version text; also what LastVersion holds until a check reports another.
constexpr const char* kAppVersion = "1.3.0.1";

class TAppSettingXml {
public:
    // The platform gives the clock and the screen metrics of new documents.
    explicit TAppSettingXml(IPlatform& platform);
    TAppSettingXml(const TAppSettingXml&) = delete;
    TAppSettingXml& operator=(const TAppSettingXml&) = delete;

    // Section Application
    bool RunStartup = false;
    bool ActiveAppPanel = false;
    bool ShowAppPanel = true;
    int32_t LastPanelIndex = 1;
    bool SplashScreen = false;
    bool AlwaysOnTop = false;
    bool IgnoreBlankButton = true;
    bool AnalyseLinkFile = true;
    std::string GlobalHotKey;
    std::string FavoriteGroup = "Quorlet Tab";
    int32_t IconSize = 32;
    int32_t ButtonSpacing = 0;
    int32_t TabStyle = 0;
    int32_t X = 0;
    int32_t Y = 0;
    bool AutoCheckUpdate = true;
    int32_t CheckInterval = 7;
    TDateTime LastChecking;
    bool LastCheckingKnown = false;  // LastChecking holds a value
    std::string LastVersion = kAppVersion;
    bool HideAfterClicking = false;

    // Section Groups: the names of the user tab sheets, group k is entry k-1.
    std::vector<std::string> GroupNames;
    int32_t GroupCount = 0;  // the Count last read or written

    // Section Last6Buttons: six button IDs as decimal text, most recent first, "0" for none.
    std::vector<std::string> RecentButtons;

    // Section AlarmClock
    bool AlarmOn = false;
    TDateTime AlarmTime;  // key Time; only its time of day matters
    int32_t TimerOut = 10;
    std::string Message;
    bool ToneOn = false;
    std::string Tone;
    bool SystemEventOn = false;
    int32_t SystemEvent = 0;  // 0 log off, 1 shut down, 2 restart
    bool RepeatOn = false;
    bool Day0 = false;  // Sunday
    bool Day1 = false;
    bool Day2 = false;
    bool Day3 = false;
    bool Day4 = false;
    bool Day5 = false;
    bool Day6 = false;  // Saturday

    // Reads the Application and AlarmClock sections, creating a new document
    // first when there is no file (or the file holds no root element).
    void LoadSettings();
    // Writes a new document with every default to SettingFileName; sets X and Y.
    void CreateDefaultSettings();
    // Writes the Application section from the fields.
    void SaveSettings();
    // Writes the AlarmClock section from the fields.
    void SaveAlarm();

    // Appends the stored group names to GroupNames (called once per run).
    void LoadGroups();
    // Rewrites the Groups section from GroupNames.
    void SaveGroups();
    // Renames group k (1 .. number of GroupNames entries); std::out_of_range otherwise.
    void SetGroupName(int32_t k, const std::string& name);
    void AddGroup(const std::string& name);
    // Removes group k with its buttons and moves the buttons of later groups one
    // group down. False, and nothing written, when there is no group k.
    bool DeleteGroup(int32_t k);

    // Reads the recent list (always six entries afterwards).
    void LoadRecentButtons();
    void SaveRecentButtons();
    // Moves the button to the front of the recent list.
    void PushRecentButton(int32_t id);
    // The same for a save that another store makes: the list is written into
    // the Last6Buttons section of root, a document that store loaded afresh
    // and saves (a counted launch carries the list in its counters' save).
    void PushRecentButton(int32_t id, const XmlElementPtr& root);
    // True when the button was in the list; it is then removed and "0" appended.
    bool RemoveRecentButton(int32_t id);
    // The entries of a and b trade IDs; true when either was in the list.
    bool ExchangeRecentButtons(int32_t a, int32_t b);

    // An automatic update check is on and CheckInterval whole days have passed
    // since the last one (or none is known).
    bool IsUpdateCheckDue() const;

private:
    // Loads SettingFileName into doc and returns its root element; a document
    // without one gets a fresh RKConfig root (in memory). Every operation reads
    // the file afresh and lets the document go when it is done: none is held
    // between operations.
    XmlElementPtr ReloadRoot(XmlDocumentPtr& doc);
    // The named section of root; appended (empty) at the end of root when missing.
    static XmlElementPtr SectionForWriting(const XmlElementPtr& root, const std::string& name);
    // Count and one Item per entry of names, replacing the section's children.
    static void WriteGroupsSection(const XmlElementPtr& groups, const std::vector<std::string>& names);
    // The list's six Items, replacing the children of Last6Buttons in root.
    void WriteRecentSection(const XmlElementPtr& root) const;
    void MoveRecentToFront(int32_t id);

    IPlatform& FPlatform;
};

// The process-wide store, created on first use with the process-wide platform.
TAppSettingXml& AppSettingXml();
// Drops the process-wide store; the next AppSettingXml() creates a fresh one.
void ResetAppSettingXml();
// Replaces the process-wide store (tests bind one to a fake platform).
void SetAppSettingXml(std::unique_ptr<TAppSettingXml> settings);

}  // namespace quorlet
