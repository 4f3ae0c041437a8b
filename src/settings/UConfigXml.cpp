#include "settings/UConfigXml.h"

#include <stdexcept>

#include "base/AppPaths.h"

namespace quorlet {

namespace {
TAppConfig* g_appConfig = nullptr;
}

TAppConfig& AppConfig() {
    if (!g_appConfig) throw std::logic_error("The configuration index has not been created");
    return *g_appConfig;
}

void SetAppConfig(TAppConfig* config) { g_appConfig = config; }

TAppConfig::TAppConfig(IPlatform& platform) : FPlatform(platform) {
    UserName = FPlatform.UserName();
}

std::string TAppConfig::DefaultCurXml() const { return "QL_" + UserName + ".xml"; }

XmlElementPtr TAppConfig::AddUserItem(const XmlElementPtr& section, const std::string& restoreXml) {
    XmlElementPtr item = AddChildElement(section, "Item");
    WriteStrAttr(item, "Name", UserName);
    WriteStrAttr(item, "CurXml", DefaultCurXml());
    WriteStrAttr(item, "RestoreXml", restoreXml);
    return item;
}

void TAppConfig::CreateDefaultConfig() {
    XmlDocumentPtr doc = NewXmlDocument("Config", "1.0", "");
    XmlElementPtr section = AddChildElement(RootElement(doc), "UserConfig");
    AddUserItem(section, "");
    SaveXmlFile(doc, ConfigFileName);
}

XmlElementPtr TAppConfig::LoadUserSection() {
    if (!FPlatform.FileExists(ConfigFileName)) CreateDefaultConfig();
    ConfigDoc = LoadXmlFile(ConfigFileName);
    XmlElementPtr root = RootElement(ConfigDoc);
    if (!root) {
        // An index emptied by hand holds no entries worth keeping: start it afresh.
        CreateDefaultConfig();
        ConfigDoc = LoadXmlFile(ConfigFileName);
        root = RootElement(ConfigDoc);
    }
    XmlElementPtr section = ChildElement(root, "UserConfig");
    if (!section) section = AddChildElement(root, "UserConfig");
    return section;
}

std::string TAppConfig::LoadUserConfig() {
    XmlElementPtr section = LoadUserSection();
    XmlElementPtr item = ChildByAttr(section, "Item", "Name", UserName);
    const std::string programFolder = ExtractFilePath(ConfigFileName);
    if (item) {
        CurXml = ReadStrAttr(item, "CurXml", "");
        RestoreXml = ReadStrAttr(item, "RestoreXml", "");
        const std::string current = programFolder + CurXml;
        // The document a restore replaces stays beside it, so the restore can
        // be undone by hand; without that copy the restore waits.
        if (!RestoreXml.empty() && RestoreXml != CurXml && FPlatform.FileExists(RestoreXml) &&
            (!FPlatform.FileExists(current) || FPlatform.CopyFileOver(current, current + ".bak")) &&
            FPlatform.CopyFileOver(RestoreXml, current)) {
            RestoreXml.clear();
            WriteStrAttr(item, "RestoreXml", "");
            SaveXmlFile(ConfigDoc, ConfigFileName);
        }
    } else {
        AddUserItem(section, "");
        CurXml = DefaultCurXml();
        RestoreXml.clear();
        SaveXmlFile(ConfigDoc, ConfigFileName);
    }
    return programFolder + CurXml;
}

void TAppConfig::SetRestoreXml(const std::string& path) {
    XmlElementPtr section = LoadUserSection();
    XmlElementPtr item = ChildByAttr(section, "Item", "Name", UserName);
    if (item)
        WriteStrAttr(item, "RestoreXml", path);
    else
        AddUserItem(section, path);
    SaveXmlFile(ConfigDoc, ConfigFileName);
}

}  // namespace quorlet
