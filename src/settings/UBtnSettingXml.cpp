#include "settings/UBtnSettingXml.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "base/AppPaths.h"
#include "base/FileIo.h"
#include "settings/SettingsDocument.h"

namespace quorlet {

namespace {

// A 64-bit digest of the file's bytes: the parsed document then needs no
// second copy of them beside it to tell an unchanged file. Four lanes take
// eight bytes each a step; each step is one-to-one, so a change within one
// eight-byte word always shows.
uint64_t BytesDigest(const std::string& bytes) {
    const uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
    auto step = [&](uint64_t h, uint64_t w) {
        h ^= w;
        return ((h << 29) | (h >> 35)) * kMultiplier;
    };
    auto word = [](const char* p) {
        uint64_t w;
        std::memcpy(&w, p, 8);
        return w;
    };
    uint64_t lane[4] = {14695981039346656037ull ^ bytes.size(), 1, 2, 3};
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    for (; end - p >= 32; p += 32)
        for (int k = 0; k < 4; ++k) lane[k] = step(lane[k], word(p + 8 * k));
    for (; end - p >= 8; p += 8) lane[0] = step(lane[0], word(p));
    uint64_t tail = 0;
    std::memcpy(&tail, p, static_cast<size_t>(end - p));
    uint64_t h = step(lane[0], tail);
    for (int k = 1; k < 4; ++k) h = step(h, lane[k]);
    return h ^ (h >> 32);
}

enum class TItemKind { Int, Str, Bool };

// One item of a `Button` element and the field it mirrors.
struct TButtonItem {
    const char* Name;
    TItemKind Kind;
    int32_t TBtnSettingXml::*IntField;
    std::string TBtnSettingXml::*StrField;
    bool TBtnSettingXml::*BoolField;
};

constexpr TButtonItem IntItem(const char* name, int32_t TBtnSettingXml::*field) {
    return {name, TItemKind::Int, field, nullptr, nullptr};
}
constexpr TButtonItem StrItem(const char* name, std::string TBtnSettingXml::*field) {
    return {name, TItemKind::Str, nullptr, field, nullptr};
}
constexpr TButtonItem BoolItem(const char* name, bool TBtnSettingXml::*field) {
    return {name, TItemKind::Bool, nullptr, nullptr, field};
}

using T = TBtnSettingXml;

// The items in the order in which a record is written.
const TButtonItem kItems[] = {
    IntItem("BtnStyle", &T::BtnStyle),
    StrItem("IconFile", &T::IconFile),
    IntItem("IconNumber", &T::IconNumber),
    StrItem("Command", &T::Command),
    StrItem("Parameters", &T::Parameters),
    StrItem("WorkingDir", &T::WorkingDir),
    StrItem("Description", &T::Description),
    StrItem("HotKey", &T::HotKey),
    IntItem("WindowStyle", &T::WindowStyle),
    IntItem("Priority", &T::Priority),
    BoolItem("IgnoreRunTimes", &T::IgnoreRunTimes),
    IntItem("TotolRunTimes", &T::TotolRunTimes),
    IntItem("Day0", &T::Day0),
    IntItem("Day1", &T::Day1),
    IntItem("Day2", &T::Day2),
    IntItem("Day3", &T::Day3),
    IntItem("Day4", &T::Day4),
    IntItem("Day5", &T::Day5),
    IntItem("Day6", &T::Day6),
    IntItem("Day0Week", &T::Day0Week),
    IntItem("Day1Week", &T::Day1Week),
    IntItem("Day2Week", &T::Day2Week),
    IntItem("Day3Week", &T::Day3Week),
    IntItem("Day4Week", &T::Day4Week),
    IntItem("Day5Week", &T::Day5Week),
    IntItem("Day6Week", &T::Day6Week),
};

const char kItem[] = "Item";
const char kName[] = "Name";
const char kValue[] = "Value";

XmlElementPtr FindItem(const XmlElementPtr& button, const TButtonItem& item) {
    return ChildByAttr(button, kItem, kName, std::string(item.Name));
}

XmlElementPtr AppendItem(const XmlElementPtr& button, const TButtonItem& item) {
    XmlElementPtr element = AddChildElement(button, kItem);
    WriteStrAttr(element, kName, item.Name);
    return element;
}

// A missing item, or an item without a Value, reads as empty text, 0 or false.
void ReadItem(TBtnSettingXml& record, const XmlElementPtr& button, const TButtonItem& item) {
    XmlElementPtr element = FindItem(button, item);
    switch (item.Kind) {
        case TItemKind::Int:
            record.*item.IntField = element ? ReadIntAttr(element, kValue, 0) : 0;
            break;
        case TItemKind::Str:
            record.*item.StrField = element ? ReadStrAttr(element, kValue, "") : std::string();
            break;
        case TItemKind::Bool:
            record.*item.BoolField = element ? ReadBoolAttr(element, kValue, false) : false;
            break;
    }
}

void WriteValue(const XmlElementPtr& element, const TBtnSettingXml& record, const TButtonItem& item) {
    switch (item.Kind) {
        case TItemKind::Int:
            WriteIntAttr(element, kValue, record.*item.IntField);
            break;
        case TItemKind::Str:
            WriteStrAttr(element, kValue, record.*item.StrField);
            break;
        case TItemKind::Bool:
            WriteBoolAttr(element, kValue, record.*item.BoolField);
            break;
    }
}

void WriteDefaultValue(const XmlElementPtr& element, const TButtonItem& item) {
    switch (item.Kind) {
        case TItemKind::Int:
            WriteIntAttr(element, kValue, 0);
            break;
        case TItemKind::Str:
            WriteStrAttr(element, kValue, "");
            break;
        case TItemKind::Bool:
            WriteBoolAttr(element, kValue, false);
            break;
    }
}

std::unique_ptr<TBtnSettingXml> g_btnSetting;

}  // namespace

static_assert(sizeof kItems / sizeof kItems[0] == 26, "a button record has twenty-six items");

TBtnSettingXml& BtnSettingXml() {
    if (!g_btnSetting) g_btnSetting = std::make_unique<TBtnSettingXml>(Platform());
    return *g_btnSetting;
}

void ResetBtnSettingXml() { g_btnSetting.reset(); }

TBtnSettingXml::TBtnSettingXml(IPlatform& platform) : FPlatform(platform) {}

// ---------------------------------------------------------------------------
// The document

// A launch reads the record and, a moment later, saves its counters; the next
// click reads the file again. When the file still holds the bytes the document
// was parsed from or saved as (same length and digest), and the document is
// unchanged and held by no one else, it is what a new parse would give, and is
// kept instead.
void TBtnSettingXml::ReloadButtonDoc() {
    std::string bytes;
    TFileStamp stamp;
    if (!ReadWholeFile(SettingFileName, bytes, stamp))
        throw EXmlError("Cannot open file \"" + SettingFileName + "\"");
    FDocStamp = stamp;
    FDocStampKnown = true;
    if (IntactButtonDoc() && bytes.size() == FDocSize && BytesDigest(bytes) == FDocDigest) return;
    FIntactDoc.reset();
    XmlDocumentPtr doc = ParseXmlText(bytes, SettingFileName);
    // A damaged file is reported, not read as a document without buttons.
    if (!RootElement(doc)) CheckEmptySettingsDocument(doc, SettingFileName);
    ButtonDoc = doc;
    KeepIntact(bytes);
}

// Between the read at a click's start and the save after the launch the file
// has been written only if its stamp says so; asking costs no read.
void TBtnSettingXml::ReloadButtonDocUnlessUnchanged() {
    TFileStamp now;
    if (IntactButtonDoc() && FDocStampKnown && ReadFileStamp(SettingFileName, now) && now == FDocStamp) return;
    ReloadButtonDoc();
}

bool TBtnSettingXml::IntactButtonDoc() const {
    return ButtonDoc && ButtonDoc.use_count() == 1 && FIntactDoc.lock() == ButtonDoc;
}

void TBtnSettingXml::KeepIntact(const std::string& bytes) {
    FDocSize = bytes.size();
    FDocDigest = BytesDigest(bytes);
    FIntactDoc = ButtonDoc;
}

void TBtnSettingXml::SaveButtonDoc() {
    const std::string bytes = XmlDocumentText(ButtonDoc);
    try {
        WriteFileAtomically(SettingFileName, bytes);
    } catch (const std::exception& e) {
        throw EXmlError(e.what());
    }
    // The file is another one now, with the bytes of the document as it is:
    // the next read of those bytes keeps it.
    FDocStampKnown = false;
    KeepIntact(bytes);
}

XmlElementPtr TBtnSettingXml::ButtonsSection() const {
    if (!ButtonDoc) return nullptr;
    XmlElementPtr root = RootElement(ButtonDoc);
    return root ? ChildElement(root, "Buttons") : nullptr;
}

XmlElementPtr TBtnSettingXml::ObtainButtonsSection() {
    XmlElementPtr root = RootElement(ButtonDoc);
    // An emptied file is not made into a settings document here: its other
    // sections belong to the application settings.
    if (!root) throw EXmlError("File \"" + SettingFileName + "\" holds no settings document");
    XmlElementPtr buttons = ChildElement(root, "Buttons");
    // Only a hand edit removes the section; it comes back at the end of the root.
    return buttons ? buttons : AddChildElement(root, "Buttons");
}

void TBtnSettingXml::WriteItems(const XmlElementPtr& button, size_t first, size_t count) const {
    for (size_t i = first; i < first + count; ++i) {
        XmlElementPtr element = FindItem(button, kItems[i]);
        if (!element) element = AppendItem(button, kItems[i]);
        WriteValue(element, *this, kItems[i]);
    }
}

void TBtnSettingXml::CompleteItems(const XmlElementPtr& button) {
    for (const TButtonItem& item : kItems)
        if (!FindItem(button, item)) WriteDefaultValue(AppendItem(button, item), item);
}

// ---------------------------------------------------------------------------
// Reading

void TBtnSettingXml::LoadButtonsDoc() {
    if (FPlatform.FileExists(SettingFileName)) ReloadButtonDoc();
}

bool TBtnSettingXml::ReadButtonBrief(int32_t id) {
    XmlElementPtr buttons = ButtonsSection();
    XmlElementPtr button = buttons ? ChildByAttr(buttons, "Button", "ID", id) : nullptr;
    if (!button) {
        IconFile.clear();
        IconNumber = 0;
        Description.clear();
        HotKey.clear();
        return false;
    }
    static const size_t kBriefItems[] = {1, 2, 6, 7, 11};  // IconFile .. TotolRunTimes
    for (size_t i : kBriefItems) ReadItem(*this, button, kItems[i]);
    return true;
}

bool TBtnSettingXml::ReadButton(int32_t id) {
    ID = id;
    Empty = false;
    ReloadButtonDoc();
    XmlElementPtr buttons = ButtonsSection();
    return ParseButton(buttons ? ChildByAttr(buttons, "Button", "ID", id) : nullptr, id);
}

bool TBtnSettingXml::ReloadButtons() {
    ReloadButtonDoc();
    return ButtonsSection() != nullptr;
}

bool TBtnSettingXml::ParseStoredButton(int32_t id) {
    XmlElementPtr buttons = ButtonsSection();
    return ParseButton(buttons ? ChildByAttr(buttons, "Button", "ID", id) : nullptr, id);
}

bool TBtnSettingXml::ParseButton(const XmlElementPtr& element, int32_t id) {
    ID = id;
    Empty = false;
    if (!element) {
        Empty = true;
        BtnStyle = -1;
        return false;
    }
    // The whole record is read whatever its style, so that a record which is not
    // launched (an operation button) still moves and copies with all its values.
    for (const TButtonItem& item : kItems) ReadItem(*this, element, item);
    return BtnStyle == 0;
}

// ---------------------------------------------------------------------------
// Writing

void TBtnSettingXml::WriteButton(int32_t id) {
    if (BtnStyle == -1 || Empty) {
        DeleteButton(id);
        return;
    }
    ReloadButtonDoc();
    ChangingButtonDoc();
    XmlElementPtr buttons = ObtainButtonsSection();
    if (XmlElementPtr old = ChildByAttr(buttons, "Button", "ID", id)) RemoveChildNode(buttons, old);
    XmlElementPtr button = AddChildElement(buttons, "Button");
    WriteIntAttr(button, "ID", id);
    for (const TButtonItem& item : kItems) WriteValue(AppendItem(button, item), *this, item);
    SaveButtonDoc();
}

bool TBtnSettingXml::UpdateButtonProperties(int32_t id) {
    ReloadButtonDoc();
    ChangingButtonDoc();
    XmlElementPtr buttons = ObtainButtonsSection();
    XmlElementPtr button = ChildByAttr(buttons, "Button", "ID", id);
    if (!button) {
        button = AddChildElement(buttons, "Button");
        WriteIntAttr(button, "ID", id);
    }
    // Whatever a hand edit removed is appended first, so the element is whole
    // again (a new element gets its counters at zero this way); then the
    // properties are set in place and the counters stay as they are.
    CompleteItems(button);
    WriteItems(button, 0, kPropertyItems);
    SaveButtonDoc();
    return true;
}

bool TBtnSettingXml::DeleteButton(int32_t id) {
    ReloadButtonDoc();
    XmlElementPtr buttons = ButtonsSection();
    XmlElementPtr button = buttons ? ChildByAttr(buttons, "Button", "ID", id) : nullptr;
    if (!button) return false;
    ChangingButtonDoc();
    RemoveChildNode(buttons, button);
    SaveButtonDoc();
    return true;
}

bool TBtnSettingXml::RenumberButtons(const std::vector<TIdMove>& moves) {
    ReloadButtonDoc();
    XmlElementPtr buttons = ButtonsSection();
    if (!buttons) return false;
    std::vector<std::pair<XmlElementPtr, int32_t>> moving;
    std::vector<int32_t> sources;
    for (const TIdMove& move : moves) {
        sources.push_back(move.From);
        if (move.From == move.To) continue;
        if (XmlElementPtr button = ChildByAttr(buttons, "Button", "ID", move.From)) moving.emplace_back(button, move.To);
    }
    // Whatever stays at a target that no move empties gives way.
    std::vector<XmlElementPtr> replaced;
    for (const TIdMove& move : moves) {
        if (move.From == move.To || std::find(sources.begin(), sources.end(), move.To) != sources.end()) continue;
        if (XmlElementPtr button = ChildByAttr(buttons, "Button", "ID", move.To)) replaced.push_back(button);
    }
    if (moving.empty() && replaced.empty()) return false;
    ChangingButtonDoc();
    for (const XmlElementPtr& button : replaced) RemoveChildNode(buttons, button);
    for (const auto& entry : moving) WriteIntAttr(entry.first, "ID", entry.second);
    SaveButtonDoc();
    return true;
}

}  // namespace quorlet
