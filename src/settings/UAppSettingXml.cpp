// The application settings store: the instance, the document as a whole, the
// Application and AlarmClock sections and the update-check rule. The group
// and recent-button lists are in UAppSettingXmlLists.cpp.
#include "settings/UAppSettingXml.h"

#include "base/AppPaths.h"
#include "base/DateCalc.h"
#include "settings/SettingsDocument.h"

namespace quorlet {

const char* const SettingsDocumentRoot = "RKConfig";

namespace {

const char* const kRootName = SettingsDocumentRoot;

std::unique_ptr<TAppSettingXml>& Instance() {
    static std::unique_ptr<TAppSettingXml> instance;
    return instance;
}

// Values that a new document takes from the system.
struct TSystemDefaults {
    int32_t X = 0;  // primary screen width
    int32_t Y = 0;  // work-area height
    TDateTime Now;
};

TSystemDefaults SystemDefaults(IPlatform& platform) {
    TSystemDefaults d;
    d.X = platform.ScreenWidth();
    d.Y = platform.WorkAreaHeight();
    d.Now = platform.Now();
    return d;
}

// The keys of Application in document order. Each comes with its field, the
// value of a new document and the value used when its item is missing (for
// this section always the same). LastChecking has neither: it is absent from
// new documents and only marked unknown when missing.
template <class F>
void ForEachApplicationKey(TAppSettingXml& s, const TSystemDefaults& d, F& f) {
    const std::string noText;
    const std::string favorite = "Quorlet Tab";
    const std::string version = kAppVersion;
    f("RunStartup", s.RunStartup, false, false);
    f("ActiveAppPanel", s.ActiveAppPanel, false, false);
    f("ShowAppPanel", s.ShowAppPanel, true, true);
    f("LastPanelIndex", s.LastPanelIndex, int32_t(1), int32_t(1));
    f("SplashScreen", s.SplashScreen, false, false);
    f("AlwaysOnTop", s.AlwaysOnTop, false, false);
    f("IgnoreBlankButton", s.IgnoreBlankButton, true, true);
    f("AnalyseLinkFile", s.AnalyseLinkFile, true, true);
    f("GlobalHotKey", s.GlobalHotKey, noText, noText);
    f("FavoriteGroup", s.FavoriteGroup, favorite, favorite);
    f("IconSize", s.IconSize, int32_t(32), int32_t(32));
    f("ButtonSpacing", s.ButtonSpacing, int32_t(0), int32_t(0));
    f("TabStyle", s.TabStyle, int32_t(0), int32_t(0));
    f("X", s.X, d.X, d.X);
    f("Y", s.Y, d.Y, d.Y);
    f("AutoCheckUpdate", s.AutoCheckUpdate, true, true);
    f("CheckInterval", s.CheckInterval, int32_t(7), int32_t(7));
    f("LastChecking", s.LastChecking, s.LastCheckingKnown);
    f("LastVersion", s.LastVersion, version, version);
    f("HideAfterClicking", s.HideAfterClicking, false, false);
}

// The keys of AlarmClock in document order, with the value of a new document
// (also used when the whole section is missing) and the value used when only
// the item is missing.
template <class F>
void ForEachAlarmKey(TAppSettingXml& s, const TSystemDefaults& d, F& f) {
    const std::string noText;
    f("AlarmOn", s.AlarmOn, false, false);
    f("Time", s.AlarmTime, d.Now, d.Now);
    f("TimerOut", s.TimerOut, int32_t(10), int32_t(30));
    f("Message", s.Message, noText, noText);
    f("ToneOn", s.ToneOn, false, false);
    f("Tone", s.Tone, noText, noText);
    f("SystemEventOn", s.SystemEventOn, false, false);
    f("SystemEvent", s.SystemEvent, int32_t(0), int32_t(0));
    f("RepeatOn", s.RepeatOn, false, false);
    f("Day0", s.Day0, false, false);
    f("Day1", s.Day1, false, false);
    f("Day2", s.Day2, false, false);
    f("Day3", s.Day3, false, false);
    f("Day4", s.Day4, false, false);
    f("Day5", s.Day5, false, false);
    f("Day6", s.Day6, false, false);
}

// Typed Value attributes. An item without a Value reads as false, 0, empty
// text or the zero date.
void WriteValue(const XmlElementPtr& item, bool value) { WriteBoolAttr(item, "Value", value); }
void WriteValue(const XmlElementPtr& item, int32_t value) { WriteIntAttr(item, "Value", value); }
void WriteValue(const XmlElementPtr& item, const std::string& value) { WriteStrAttr(item, "Value", value); }
void WriteValue(const XmlElementPtr& item, const TDateTime& value) { WriteDateTimeAttr(item, "Value", value); }

void ReadValue(const XmlElementPtr& item, bool& value) { value = ReadBoolAttr(item, "Value", false); }
void ReadValue(const XmlElementPtr& item, int32_t& value) { value = ReadIntAttr(item, "Value", 0); }
void ReadValue(const XmlElementPtr& item, std::string& value) { value = ReadStrAttr(item, "Value", ""); }
void ReadValue(const XmlElementPtr& item, TDateTime& value) {
    value = ReadDateTimeAttr(item, "Value", TDateTime());
}

XmlElementPtr FindItem(const XmlElementPtr& section, const char* name) {
    return ChildByAttr(section, "Item", "Name", std::string(name));
}

XmlElementPtr AppendItem(const XmlElementPtr& section, const char* name) {
    XmlElementPtr item = AddChildElement(section, "Item");
    WriteStrAttr(item, "Name", name);
    return item;
}

// Appends every item with its new-document value.
struct TAppendDefaults {
    XmlElementPtr Section;
    template <class T>
    void operator()(const char* name, T&, const T& newDocument, const T&) {
        WriteValue(AppendItem(Section, name), newDocument);
    }
    void operator()(const char*, TDateTime&, bool&) {}
};

// Reads every item into its field. Section may be null: the section is missing.
struct TReadItems {
    XmlElementPtr Section;
    template <class T>
    void operator()(const char* name, T& field, const T& sectionMissing, const T& itemMissing) {
        if (!Section) {
            field = sectionMissing;
            return;
        }
        XmlElementPtr item = FindItem(Section, name);
        if (item)
            ReadValue(item, field);
        else
            field = itemMissing;
    }
    void operator()(const char* name, TDateTime& field, bool& known) {
        XmlElementPtr item = Section ? FindItem(Section, name) : nullptr;
        known = static_cast<bool>(item);
        if (item) ReadValue(item, field);
    }
};

// Sets every item's Value from its field, appending the items that are missing.
struct TWriteItems {
    XmlElementPtr Section;
    template <class T>
    void operator()(const char* name, T& field, const T&, const T&) {
        Write(name, field);
    }
    void operator()(const char* name, TDateTime& field, bool& known) {
        if (known) Write(name, field);
    }
    template <class T>
    void Write(const char* name, const T& value) {
        XmlElementPtr item = FindItem(Section, name);
        if (!item) item = AppendItem(Section, name);
        WriteValue(item, value);
    }
};

}  // namespace

TAppSettingXml::TAppSettingXml(IPlatform& platform) : FPlatform(platform) {}

XmlElementPtr TAppSettingXml::ReloadRoot(XmlDocumentPtr& doc) {
    doc = LoadXmlFile(SettingFileName);
    XmlElementPtr root = RootElement(doc);
    if (!root) {
        // Emptied since it was last read: the sections are rebuilt as they are saved.
        CheckEmptySettingsDocument(doc, SettingFileName);
        doc = NewXmlDocument(kRootName, "1.0", "");
        root = RootElement(doc);
    }
    return root;
}

XmlElementPtr TAppSettingXml::SectionForWriting(const XmlElementPtr& root, const std::string& name) {
    XmlElementPtr section = ChildElement(root, name);
    if (!section) section = AddChildElement(root, name);
    return section;
}

void TAppSettingXml::CreateDefaultSettings() {
    const TSystemDefaults d = SystemDefaults(FPlatform);
    XmlDocumentPtr doc = NewXmlDocument(kRootName, "1.0", "");
    XmlElementPtr root = RootElement(doc);

    TAppendDefaults application{AddChildElement(root, "Application")};
    ForEachApplicationKey(*this, d, application);
    TAppendDefaults alarm{AddChildElement(root, "AlarmClock")};
    ForEachAlarmKey(*this, d, alarm);
    WriteGroupsSection(AddChildElement(root, "Groups"), {"Tabsheet 1", "Tabsheet 2"});
    XmlElementPtr recent = AddChildElement(root, "Last6Buttons");
    for (int32_t id = 1; id <= 6; ++id) {
        XmlElementPtr item = AddChildElement(recent, "Item");
        WriteIntAttr(item, "ID", id);
        WriteIntAttr(item, "Value", 0);
    }
    AddChildElement(root, "Buttons");

    SaveXmlFile(doc, SettingFileName);
    X = d.X;
    Y = d.Y;
}

void TAppSettingXml::LoadSettings() {
    if (!FPlatform.FileExists(SettingFileName)) CreateDefaultSettings();
    XmlDocumentPtr doc = LoadXmlFile(SettingFileName);
    XmlElementPtr root = RootElement(doc);
    if (!root) {
        // An empty file (or one with only a declaration or comments) holds no
        // settings at all: treat it like a missing one.
        CheckEmptySettingsDocument(doc, SettingFileName);
        CreateDefaultSettings();
        doc = LoadXmlFile(SettingFileName);
        root = RootElement(doc);
    }
    const TSystemDefaults d = SystemDefaults(FPlatform);
    TReadItems application{ChildElement(root, "Application")};
    ForEachApplicationKey(*this, d, application);
    // A missing AlarmClock gets its defaults here and is added by the next SaveAlarm.
    TReadItems alarm{ChildElement(root, "AlarmClock")};
    ForEachAlarmKey(*this, d, alarm);
}

void TAppSettingXml::SaveSettings() {
    if (!FPlatform.FileExists(SettingFileName)) {
        // The new document must not move the window: keep the live position.
        const int32_t x = X, y = Y;
        CreateDefaultSettings();
        X = x;
        Y = y;
    }
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    TWriteItems application{SectionForWriting(root, "Application")};
    ForEachApplicationKey(*this, TSystemDefaults(), application);
    SaveXmlFile(doc, SettingFileName);
}

void TAppSettingXml::SaveAlarm() {
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    TWriteItems alarm{SectionForWriting(root, "AlarmClock")};
    ForEachAlarmKey(*this, TSystemDefaults(), alarm);
    SaveXmlFile(doc, SettingFileName);
}

bool TAppSettingXml::IsUpdateCheckDue() const {
    if (!AutoCheckUpdate) return false;
    if (!LastCheckingKnown) return true;
    const TDateTime now = FPlatform.Now();
    int64_t ms = (ToUnixSeconds(now) - ToUnixSeconds(LastChecking)) * 1000 +
                 (now.Millisecond - LastChecking.Millisecond);
    if (ms < 0) ms = -ms;
    return ms / 86400000 >= CheckInterval;
}

TAppSettingXml& AppSettingXml() {
    std::unique_ptr<TAppSettingXml>& instance = Instance();
    if (!instance) instance = std::make_unique<TAppSettingXml>(Platform());
    return *instance;
}

void ResetAppSettingXml() { Instance().reset(); }

void SetAppSettingXml(std::unique_ptr<TAppSettingXml> settings) { Instance() = std::move(settings); }

}  // namespace quorlet
