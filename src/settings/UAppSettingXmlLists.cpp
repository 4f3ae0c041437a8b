// The application settings store: the tab sheet names (section Groups) and the
// recent-buttons list (section Last6Buttons).
#include <algorithm>
#include <stdexcept>

#include "base/AppPaths.h"
#include "settings/UAppSettingXml.h"

namespace quorlet {

namespace {

// More groups than this are not read from a hand-edited Count: every group is
// a tab sheet, and a runaway count would build millions of them.
const int32_t kMaxGroupCount = 1000;

const int kRecentCount = 6;
const int32_t kButtonsPerGroup = 20;

// The first entry equal to the button's decimal text, or -1.
int RecentIndex(const std::vector<std::string>& list, int32_t id) {
    auto it = std::find(list.begin(), list.end(), std::to_string(id));
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

// Gives every Button element with ID from the ID to; to 0 removes them instead.
void MoveButtons(const XmlElementPtr& buttons, int32_t from, int32_t to) {
    while (XmlElementPtr button = ChildByAttr(buttons, "Button", "ID", from)) {
        if (to == 0)
            RemoveChildNode(buttons, button);
        else
            WriteIntAttr(button, "ID", to);
    }
}

}  // namespace

void TAppSettingXml::WriteGroupsSection(const XmlElementPtr& groups, const std::vector<std::string>& names) {
    WriteIntAttr(groups, "Count", static_cast<int32_t>(names.size()));
    ClearChildNodes(groups);
    for (size_t k = 1; k <= names.size(); ++k) {
        XmlElementPtr item = AddChildElement(groups, "Item");
        WriteIntAttr(item, "ID", static_cast<int32_t>(k));
        WriteStrAttr(item, "Value", names[k - 1]);
    }
}

void TAppSettingXml::LoadGroups() {
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    XmlElementPtr groups = ChildElement(root, "Groups");
    if (!groups) {
        // The groups of a new document; the section is written by the next change.
        GroupCount = 2;
        GroupNames.push_back("Tabsheet 1");
        GroupNames.push_back("Tabsheet 2");
        return;
    }
    GroupCount = std::min(std::max(ReadIntAttr(groups, "Count", 0), int32_t(0)), kMaxGroupCount);
    for (int32_t k = 1; k <= GroupCount; ++k) {
        XmlElementPtr item = ChildByAttr(groups, "Item", "ID", k);
        GroupNames.push_back(item ? ReadStrAttr(item, "Value", "") : std::string());
    }
}

void TAppSettingXml::SaveGroups() {
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    WriteGroupsSection(SectionForWriting(root, "Groups"), GroupNames);
    GroupCount = static_cast<int32_t>(GroupNames.size());
    SaveXmlFile(doc, SettingFileName);
}

void TAppSettingXml::SetGroupName(int32_t k, const std::string& name) {
    const int32_t count = static_cast<int32_t>(GroupNames.size());
    if (k < 1 || k > count) throw std::out_of_range("No group " + std::to_string(k) + " to rename");
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    GroupNames[k - 1] = name;
    XmlElementPtr groups = ChildElement(root, "Groups");
    if (!groups) {
        // Without the section the other names would be lost: write them all.
        WriteGroupsSection(AddChildElement(root, "Groups"), GroupNames);
    } else {
        WriteIntAttr(groups, "Count", count);
        XmlElementPtr item = ChildByAttr(groups, "Item", "ID", k);
        if (!item) {
            item = AddChildElement(groups, "Item");
            WriteIntAttr(item, "ID", k);
        }
        WriteStrAttr(item, "Value", name);
    }
    GroupCount = count;
    SaveXmlFile(doc, SettingFileName);
}

void TAppSettingXml::AddGroup(const std::string& name) {
    GroupNames.push_back(name);
    SetGroupName(static_cast<int32_t>(GroupNames.size()), name);
}

bool TAppSettingXml::DeleteGroup(int32_t k) {
    const int32_t count = static_cast<int32_t>(GroupNames.size());
    if (k < 1 || k > count) return false;
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    if (XmlElementPtr buttons = ChildElement(root, "Buttons")) {
        for (int32_t p = 1; p <= kButtonsPerGroup; ++p) MoveButtons(buttons, k * 100 + p, 0);
        for (int32_t a = k + 1; a <= count; ++a)
            for (int32_t p = 1; p <= kButtonsPerGroup; ++p) MoveButtons(buttons, a * 100 + p, (a - 1) * 100 + p);
    }
    // Buttons and groups go to the file in one save, so a failed save changes neither.
    std::vector<std::string> names = GroupNames;
    names.erase(names.begin() + (k - 1));
    WriteGroupsSection(SectionForWriting(root, "Groups"), names);
    SaveXmlFile(doc, SettingFileName);
    GroupNames = std::move(names);
    GroupCount = static_cast<int32_t>(GroupNames.size());
    return true;
}

void TAppSettingXml::LoadRecentButtons() {
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    XmlElementPtr recent = ChildElement(root, "Last6Buttons");
    RecentButtons.clear();
    if (recent) {
        // Missing items and empty values are empty places.
        for (int32_t id = 1; id <= kRecentCount; ++id) {
            XmlElementPtr item = ChildByAttr(recent, "Item", "ID", id);
            std::string value = item ? ReadStrAttr(item, "Value", "") : std::string();
            RecentButtons.push_back(value.empty() ? "0" : value);
        }
        return;
    }
    recent = AddChildElement(root, "Last6Buttons");
    for (int32_t id = 1; id <= kRecentCount; ++id) {
        XmlElementPtr item = AddChildElement(recent, "Item");
        WriteIntAttr(item, "ID", id);
        WriteIntAttr(item, "Value", 0);
        RecentButtons.push_back("0");
    }
    SaveXmlFile(doc, SettingFileName);
}

void TAppSettingXml::WriteRecentSection(const XmlElementPtr& root) const {
    XmlElementPtr recent = SectionForWriting(root, "Last6Buttons");
    ClearChildNodes(recent);
    for (int32_t id = 1; id <= kRecentCount; ++id) {
        XmlElementPtr item = AddChildElement(recent, "Item");
        WriteIntAttr(item, "ID", id);
        WriteStrAttr(item, "Value", static_cast<size_t>(id) <= RecentButtons.size() ? RecentButtons[id - 1] : "0");
    }
}

void TAppSettingXml::SaveRecentButtons() {
    XmlDocumentPtr doc;
    XmlElementPtr root = ReloadRoot(doc);
    WriteRecentSection(root);
    SaveXmlFile(doc, SettingFileName);
}

void TAppSettingXml::MoveRecentToFront(int32_t id) {
    const int found = RecentIndex(RecentButtons, id);
    if (found >= 0) RecentButtons.erase(RecentButtons.begin() + found);
    RecentButtons.insert(RecentButtons.begin(), std::to_string(id));
    if (RecentButtons.size() > static_cast<size_t>(kRecentCount)) RecentButtons.resize(kRecentCount);
}

void TAppSettingXml::PushRecentButton(int32_t id) {
    MoveRecentToFront(id);
    SaveRecentButtons();
}

void TAppSettingXml::PushRecentButton(int32_t id, const XmlElementPtr& root) {
    MoveRecentToFront(id);
    WriteRecentSection(root);
}

bool TAppSettingXml::RemoveRecentButton(int32_t id) {
    const int found = RecentIndex(RecentButtons, id);
    if (found < 0) return false;
    RecentButtons.erase(RecentButtons.begin() + found);
    RecentButtons.push_back("0");
    SaveRecentButtons();
    return true;
}

bool TAppSettingXml::ExchangeRecentButtons(int32_t a, int32_t b) {
    const int foundA = RecentIndex(RecentButtons, a);
    const int foundB = RecentIndex(RecentButtons, b);
    if (foundA < 0 && foundB < 0) return false;
    if (foundA >= 0) RecentButtons[static_cast<size_t>(foundA)] = std::to_string(b);
    if (foundB >= 0) RecentButtons[static_cast<size_t>(foundB)] = std::to_string(a);
    SaveRecentButtons();
    return true;
}

}  // namespace quorlet
