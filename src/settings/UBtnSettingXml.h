#pragma once
// The button store: one button record (its twenty-six stored values) with the
// operations that read it from the settings document, write it back, update and
// delete it, and count its launches.
//
// Records live as `Button` elements (attribute ID = group * 100 + position, 26
// `Item` children with Name/Value) in the `Buttons` section of the settings
// document named by SettingFileName. That document is shared with the
// application settings store, so every operation that changes the file loads it
// afresh, changes only elements of `Buttons` and saves the whole document.
//
// Failures of the XML layer (file missing, unreadable or unwritable, a value that
// cannot be converted) are raised as EXmlError and reach the caller.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/FileIo.h"
#include "base/Platform.h"
#include "settings/XmlDoc.h"

namespace quorlet {

// A change to another section of the settings document, made by the store
// that owns it, that rides along in this store's save: given the root.
using TDocumentEdit = std::function<void(const XmlElementPtr& root)>;

class TBtnSettingXml {
public:
    // The clock of the platform gives the weekday and week of a launch.
    explicit TBtnSettingXml(IPlatform& platform);

    // The ID last read (ReadButton / ParseButton).
    int32_t ID = 0;
    // True when the last full read found no record for ID.
    bool Empty = false;

    // The record, in the order of its items in the file.
    int32_t BtnStyle = 0;  // 0 launch button, 1 operation button; -1 in memory: no record
    std::string IconFile;
    int32_t IconNumber = 0;
    std::string Command;
    std::string Parameters;
    std::string WorkingDir;
    std::string Description;
    std::string HotKey;
    int32_t WindowStyle = 0;
    int32_t Priority = 0;
    bool IgnoreRunTimes = false;
    // Usage counters: launches in all, launches per weekday (0 Sunday .. 6 Saturday)
    // and the ISO week number each weekday's count belongs to.
    int32_t TotolRunTimes = 0;
    int32_t Day0 = 0, Day1 = 0, Day2 = 0, Day3 = 0, Day4 = 0, Day5 = 0, Day6 = 0;
    int32_t Day0Week = 0, Day1Week = 0, Day2Week = 0, Day3Week = 0, Day4Week = 0, Day5Week = 0,
            Day6Week = 0;

    // The document this store loaded last (null before the first load). Read it,
    // don't change it: the file changes only through the operations below. A
    // document held elsewhere is never changed by them.
    XmlDocumentPtr ButtonDoc;

    // Loads the settings document into ButtonDoc when the file exists; otherwise
    // ButtonDoc stays as it was. Precedes a series of ReadButtonBrief calls.
    void LoadButtonsDoc();
    // From ButtonDoc as last loaded (no reload): IconFile, IconNumber, Description,
    // HotKey and TotolRunTimes of the record. Without a record those four fields
    // are cleared (TotolRunTimes and the rest stay) and the result is false.
    bool ReadButtonBrief(int32_t id);
    // Reloads the file and reads the record under id. True only for a launch
    // button (BtnStyle 0); no record gives false, Empty and BtnStyle -1.
    bool ReadButton(int32_t id);
    // Reads the record from a `Button` element (or none) as ReadButton does.
    bool ParseButton(const XmlElementPtr& element, int32_t id);
    // Reloads the file for a series of ParseStoredButton calls; false when the
    // document has no `Buttons` section.
    bool ReloadButtons();
    // ParseButton on the record under id in the document last reloaded.
    bool ParseStoredButton(int32_t id);
    // Writes the whole record, counters included, under id; the element moves to
    // the end of `Buttons`. An empty record (Empty, or BtnStyle -1) deletes the
    // record under id instead.
    void WriteButton(int32_t id);
    // Sets the first eleven values (BtnStyle .. IgnoreRunTimes) of the record
    // under id in place, keeping its counters and its position; creates the
    // record with zero counters when there is none. Returns true.
    bool UpdateButtonProperties(int32_t id);
    // Removes the record under id. False, and nothing saved, when there is none.
    bool DeleteButton(int32_t id);
    // Gives records new identifiers, all in one save: each move takes the record
    // under From (or the empty place there) to To, so a record left at a To that no
    // move takes away is replaced, and a cycle of moves exchanges records. The
    // records keep their values and their place in the file. False, and nothing
    // saved, when nothing changes.
    struct TIdMove {
        int32_t From, To;
    };
    bool RenumberButtons(const std::vector<TIdMove>& moves);

    // Usage counters (UBtnSettingXmlRunTimes.cpp).
    //
    // Counts one launch of the current record at the present local time and
    // saves the counters under id. alsoWrite, when given, changes another
    // section in the same save; it is called only when that save is made.
    void IncRunTimes(int32_t id, const TDocumentEdit& alsoWrite = nullptr);
    // Writes the fifteen counters of the record into the element under id.
    // The launch's save: when the file is still the one ReadButton read just
    // before (nothing has written it since), the document read then is
    // changed, and the file is not read again.
    void SaveRunTimes(int32_t id, const TDocumentEdit& alsoWrite = nullptr);
    // Launches today: today's weekday count when it belongs to this week, else 0.
    int32_t TodayRunTimes();
    // The sum of the seven weekday counts, whatever weeks they belong to.
    int32_t WeekRunTimes() const;
    // "T:%d/W:%d/A:%d" (today, week, all); empty when IgnoreRunTimes is set.
    std::string RunTimesHint();

    // Count and week stamp of weekday n (0 Sunday .. 6 Saturday).
    int32_t& DayCount(int n);
    int32_t& DayWeek(int n);
    int32_t DayCount(int n) const;
    int32_t DayWeek(int n) const;

private:
    // The first eleven items are the button's properties, the last fifteen its counters.
    static const size_t kPropertyItems = 11;
    static const size_t kItemCount = 26;

    // Sets the Value of items [first, first + count) of the table from the
    // record, appending the items that the element lacks.
    void WriteItems(const XmlElementPtr& button, size_t first, size_t count) const;
    // Appends, with the value a read would give them, the items the element lacks.
    static void CompleteItems(const XmlElementPtr& button);

    // Loads SettingFileName into ButtonDoc (raising when it cannot be read).
    void ReloadButtonDoc();
    // ReloadButtonDoc, unless the file is still the one last read into an
    // intact ButtonDoc.
    void ReloadButtonDocUnlessUnchanged();
    // ButtonDoc is what its file held when it was read or saved, and no one
    // else holds it.
    bool IntactButtonDoc() const;
    // Keeps ButtonDoc as the document of these bytes, just read or written.
    void KeepIntact(const std::string& bytes);
    // Called before ButtonDoc is changed: it no longer is what its file holds.
    void ChangingButtonDoc() { FIntactDoc.reset(); }
    // The `Buttons` section of ButtonDoc, or null.
    XmlElementPtr ButtonsSection() const;
    // The `Buttons` section, added at the end of the root when a hand edit removed it.
    XmlElementPtr ObtainButtonsSection();
    void SaveButtonDoc();

    IPlatform& FPlatform;
    // The document last parsed or saved, while it is unchanged, and the
    // length and digest of its bytes; the stamp of the file those bytes were
    // last read from, when they were.
    std::weak_ptr<IXmlDocument> FIntactDoc;
    size_t FDocSize = 0;
    uint64_t FDocDigest = 0;
    TFileStamp FDocStamp;
    bool FDocStampKnown = false;
};

// The process-wide store, created on first use and kept until the program ends.
TBtnSettingXml& BtnSettingXml();
// Frees the process-wide store; the next BtnSettingXml() creates a new one (tests).
void ResetBtnSettingXml();

}  // namespace quorlet
