#include "launcher/FindSources.h"

#include <algorithm>

#include "base/AppPaths.h"
#include "launcher/ButtonGrid.h"
#include "launcher/TopButtons.h"

namespace quorlet {

namespace {

// The elements named name among node's children, in document order.
template <typename TVisit>
void ForEachChildElement(const XmlNodePtr& node, const std::string& name, TVisit visit) {
    for (size_t i = 0, n = node->ChildCount(); i < n; ++i) {
        XmlNodePtr child = node->Child(i);
        if (child->NodeType() == xntElement && child->NodeName() == name)
            visit(std::static_pointer_cast<IXmlElement>(child));
    }
}

// The values a find reads from a `Button` element. A missing item, or one
// without a Value, reads as empty text or 0, as the button store reads it.
struct TRecordValues {
    int32_t BtnStyle = 0;
    TFindItem Item;
};

XmlElementPtr FindItem(const XmlElementPtr& button, const char* name) {
    return ChildByAttr(button, "Item", "Name", std::string(name));
}

std::string ItemText(const XmlElementPtr& button, const char* name) {
    const XmlElementPtr item = FindItem(button, name);
    return item ? ReadStrAttr(item, "Value", "") : std::string();
}

int32_t ItemInt(const XmlElementPtr& button, const char* name) {
    const XmlElementPtr item = FindItem(button, name);
    return item ? ReadIntAttr(item, "Value", 0) : 0;
}

TRecordValues ReadRecord(const XmlElementPtr& button) {
    TRecordValues values;
    values.BtnStyle = ItemInt(button, "BtnStyle");
    if (values.BtnStyle != 0) return values;
    TFindItem& item = values.Item;
    item.Name = ItemText(button, "Description");
    item.HotKey = ItemText(button, "HotKey");
    item.Command = ItemText(button, "Command");
    item.IconFile = ItemText(button, "IconFile");
    item.IconNumber = ItemInt(button, "IconNumber");
    item.TotolRunTimes = ItemInt(button, "TotolRunTimes");
    return values;
}

// The record's identifier; false when the attribute is missing or not a number,
// as no cell ever finds such a record.
bool RecordId(const XmlElementPtr& button, int32_t& id) {
    if (!button->HasAttr("ID")) return false;
    try {
        id = ReadIntAttr(button, "ID", 0);
        return true;
    } catch (const EXmlError&) {
        return false;
    }
}

// 1 for the first entry of the recent list, 0 when id is not in it.
int RecentRankOf(const std::vector<std::string>& recentButtons, int32_t id) {
    for (size_t i = 0; i < recentButtons.size(); ++i) {
        int32_t entry = 0;
        if (ParseDecimalInt(recentButtons[i], entry) && entry == id) return static_cast<int>(i + 1);
    }
    return 0;
}

}  // namespace

TFindButtons FindButtonsOf(const XmlDocumentPtr& doc, const std::vector<std::string>& groupNames,
                           const std::vector<std::string>& recentButtons) {
    TFindButtons buttons;
    buttons.SheetNames = groupNames;
    XmlElementPtr root = doc ? RootElement(doc) : nullptr;
    XmlElementPtr section = root ? ChildElement(root, "Buttons") : nullptr;
    if (!section) return buttons;
    const int sheetCount = static_cast<int>(groupNames.size());
    ForEachChildElement(section, "Button", [&](const XmlElementPtr& button) {
        int32_t id = 0;
        if (!RecordId(button, id) || !IsButtonId(id) || ButtonSheet(id) > sheetCount) return;
        const auto place = std::lower_bound(buttons.OccupiedIds.begin(), buttons.OccupiedIds.end(), id);
        if (place != buttons.OccupiedIds.end() && *place == id) return;
        buttons.OccupiedIds.insert(place, id);
        TRecordValues values = ReadRecord(button);
        if (values.BtnStyle != 0) return;
        TFindItem& item = values.Item;
        item.Kind = fiButton;
        item.ButtonId = id;
        item.SheetName = groupNames[static_cast<size_t>(ButtonSheet(id) - 1)];
        item.RecentRank = RecentRankOf(recentButtons, id);
        buttons.Items.push_back(std::move(item));
    });
    return buttons;
}

TStartMenuEntry StartMenuEntryOf(const std::string& linkPath, const std::string& target) {
    const std::string fileName = ExtractFileName(linkPath);
    const std::string extension = ExtractFileExt(fileName);
    return {fileName.substr(0, fileName.size() - extension.size()), linkPath, target};
}

TFindItem StartMenuItemOf(const TStartMenuEntry& entry) {
    TFindItem item;
    item.Kind = fiStartMenu;
    item.Name = entry.Name;
    item.LinkPath = entry.LinkPath;
    item.Target = entry.Target;
    item.IconFile = entry.IconFile;
    item.IconNumber = entry.IconNumber;
    return item;
}

}  // namespace quorlet
