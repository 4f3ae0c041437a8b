// Loading and saving real files: byte-exact round trips and failed saves that
// leave the old file as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "fakes/TempFolder.h"
#include "settings/XmlDoc.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#endif

using namespace quorlet;

namespace {

const std::string kDecl = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>";

std::vector<std::string> FolderEntries(const TTempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(folder.Path())))
        names.push_back(entry.path().filename().string());
    return names;
}

// A settings document as the program writes it, with some awkward values.
XmlDocumentPtr SettingsLikeDocument(int buttons) {
    XmlDocumentPtr doc = NewXmlDocument("RKConfig");
    XmlElementPtr root = RootElement(doc);
    XmlElementPtr app = AddChildElement(root, "Application");
    XmlElementPtr item = AddChildElement(app, "Item");
    WriteStrAttr(item, "Name", "FavoriteGroup");
    WriteStrAttr(item, "Value", "\xC8\xE7\xE1\xF0\xE0\xED\xED\xEE\xE5 & \"quoted\" <tab> it's");
    item = AddChildElement(app, "Item");
    WriteStrAttr(item, "Name", "LastChecking");
    TDateTime dt;
    dt.Year = 2024;
    dt.Month = 12;
    dt.Day = 31;
    dt.Hour = 23;
    dt.Minute = 59;
    dt.Second = 59;
    dt.Millisecond = 700;
    WriteDateTimeAttr(item, "Value", dt);
    XmlElementPtr groups = AddChildElement(root, "Groups");
    WriteIntAttr(groups, "Count", 1);
    item = AddChildElement(groups, "Item");
    WriteIntAttr(item, "ID", 1);
    WriteStrAttr(item, "Value", "Tabsheet 1");
    XmlElementPtr section = AddChildElement(root, "Buttons");
    for (int b = 0; b < buttons; ++b) {
        XmlElementPtr button = AddChildElement(section, "Button");
        WriteIntAttr(button, "ID", 101 + b);
        for (int i = 0; i < 26; ++i) {
            item = AddChildElement(button, "Item");
            WriteStrAttr(item, "Name", "Field" + std::to_string(i));
            if (i % 3 == 0)
                WriteBoolAttr(item, "Value", i % 2 == 0);
            else if (i % 3 == 1)
                WriteIntAttr(item, "Value", i * 1000 - b);
            else
                WriteStrAttr(item, "Value", "C:\\Program Files\\Tool " + std::to_string(b) + "\\tool.exe");
        }
    }
    return doc;
}

}  // namespace

TEST(XmlFiles, LoadAndSaveReproduceTheFileByteForByte) {
    TTempFolder folder;
    XmlDocumentPtr doc = SettingsLikeDocument(3);
    SaveXmlFile(doc, folder.File("first.xml"));
    const std::string written = ReadFileText(folder.File("first.xml"));
    EXPECT_EQ(written, XmlDocumentText(doc));
    EXPECT_EQ(written.compare(0, kDecl.size(), kDecl), 0);
    EXPECT_EQ(written.substr(written.size() - 11), "</RKConfig>");  // no line break at the end

    XmlDocumentPtr loaded = LoadXmlFile(folder.File("first.xml"));
    SaveXmlFile(loaded, folder.File("second.xml"));
    EXPECT_EQ(ReadFileText(folder.File("second.xml")), written);
    XmlElementPtr app = ChildElement(RootElement(loaded), "Application");
    EXPECT_EQ(ReadStrAttr(ChildByAttr(app, "Item", "Name", "FavoriteGroup"), "Value", ""),
              "\xC8\xE7\xE1\xF0\xE0\xED\xED\xEE\xE5 & \"quoted\" <tab> it's");
    TDateTime dt = ReadDateTimeAttr(ChildByAttr(app, "Item", "Name", "LastChecking"), "Value", TDateTime());
    EXPECT_EQ(dt.Second, 59);
    EXPECT_EQ(dt.Millisecond, 0);
}

TEST(XmlFiles, HandFormattedFileIsRewrittenInTheOneForm) {
    TTempFolder folder;
    const std::string file = folder.File("hand.xml");
    WriteFileText(file,
                  "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n"
                  "<Config>\n"
                  "    <UserConfig>\n"
                  "        <Item Name='bob' CurXml='QL_bob.xml' RestoreXml=''></Item>\n"
                  "    </UserConfig>\n"
                  "</Config>\n");
    SaveXmlFile(LoadXmlFile(file), file);
    EXPECT_EQ(ReadFileText(file), kDecl +
                                      "\r\n<Config>"
                                      "\r\n\t<UserConfig>"
                                      "\r\n\t\t<Item Name=\"bob\" CurXml=\"QL_bob.xml\" RestoreXml=\"\"/>"
                                      "\r\n\t</UserConfig>"
                                      "\r\n</Config>");
}

TEST(XmlFiles, LoadFailures) {
    TTempFolder folder;
    EXPECT_THROW(LoadXmlFile(folder.File("missing.xml")), EXmlError);
    EXPECT_THROW(LoadXmlFile(folder.Path()), EXmlError);  // a folder

    const std::string broken = folder.File("broken.xml");
    const std::string content = kDecl + "\r\n<RKConfig>\r\n\t<Application>\r\n</RKConfig>";
    WriteFileText(broken, content);
    try {
        LoadXmlFile(broken);
        ADD_FAILURE() << "accepted";
    } catch (const EXmlError& e) {
        EXPECT_NE(std::string(e.what()).find("broken.xml"), std::string::npos) << e.what();
    }
    EXPECT_EQ(ReadFileText(broken), content);

    WriteFileText(broken, kDecl + "\r\n<RKConfig>\r\n\t<Item Name=\"x");  // ends inside a start tag
    EXPECT_THROW(LoadXmlFile(broken), EXmlError);

    WriteFileText(folder.File("empty.xml"), "");
    XmlDocumentPtr empty = LoadXmlFile(folder.File("empty.xml"));
    EXPECT_EQ(empty->ChildCount(), 0u);
    EXPECT_FALSE(RootElement(empty));
}

// A value that cannot be read names where it is, in the form of the parse
// errors: the file, the line and the element.
TEST(XmlFiles, ValueErrorsNameTheFileTheLineAndTheElement) {
    TTempFolder folder;
    const std::string file = folder.File("QL_alice.xml");
    const std::string content = kDecl +
                                "\r\n<RKConfig>"
                                "\r\n\t<Application>"
                                "\r\n\t\t<Item Name=\"X\" Value=\"2147483648\"/>"
                                "\r\n\t\t<Item Name=\"AlwaysOnTop\" Value=\"yes\"/>"
                                "\r\n\t\t<Item Name=\"LastChecking\" Value=\"2025-02-30T10-00-00\"/>"
                                "\r\n\t</Application>"
                                "\r\n</RKConfig>";
    WriteFileText(file, content);
    struct Case {
        const char* name;
        std::function<void(const XmlElementPtr&)> read;
        std::string message;  // after the place
    };
    const Case cases[] = {
        {"X", [](const XmlElementPtr& e) { ReadIntAttr(e, "Value", 0); },
         "line 4 (element <Item>): Attribute \"Value\": \"2147483648\" is not a valid integer value"},
        {"AlwaysOnTop", [](const XmlElementPtr& e) { ReadBoolAttr(e, "Value", false); },
         "line 5 (element <Item>): Attribute \"Value\": \"yes\" is not a valid boolean value"},
        {"LastChecking", [](const XmlElementPtr& e) { ReadDateTimeAttr(e, "Value", TDateTime()); },
         "line 6 (element <Item>): Attribute \"Value\": \"2025-02-30T10-00-00\" is not a valid date-time value"},
    };
    auto messageOf = [](const std::function<void()>& read) {
        try {
            read();
        } catch (const EXmlError& e) {
            return std::string(e.what());
        }
        return std::string("(no error)");
    };
    const std::string named = "File \"" + file + "\": XML error at ";
    const std::pair<XmlDocumentPtr, std::string> documents[] = {
        {LoadXmlFile(file), named},
        {ParseXmlText(content, file), named},
        {ParseXmlText(content), "XML error at "},  // bytes from nowhere in particular
    };
    for (const auto& [doc, place] : documents) {
        XmlElementPtr app = ChildElement(RootElement(doc), "Application");
        for (const Case& c : cases) {
            XmlElementPtr item = ChildByAttr(app, "Item", "Name", std::string(c.name));
            EXPECT_EQ(messageOf([&] { c.read(item); }), place + c.message);
        }
    }

    // An element made in memory has no line; one taken out of its document
    // no longer belongs to the file.
    XmlDocumentPtr doc = LoadXmlFile(file);
    XmlElementPtr app = ChildElement(RootElement(doc), "Application");
    XmlElementPtr added = AddChildElement(app, "Item");
    WriteStrAttr(added, "Value", "x");
    EXPECT_EQ(messageOf([&] { ReadIntAttr(added, "Value", 0); }),
              "File \"" + file + "\": XML error (element <Item>): Attribute \"Value\": \"x\" is not a valid integer value");
    XmlElementPtr removed = ChildByAttr(app, "Item", "Name", "X");
    RemoveChildNode(app, removed);
    EXPECT_EQ(messageOf([&] { ReadIntAttr(removed, "Value", 0); }), "XML error at " + cases[0].message);
    EXPECT_EQ(ReadFileText(file), content);
}

TEST(XmlFiles, SaveReplacesAnExistingFile) {
    TTempFolder folder;
    const std::string file = folder.File("s.xml");
    WriteFileText(file, std::string(10000, 'x'));
    SaveXmlFile(NewXmlDocument("Config"), file);
    EXPECT_EQ(ReadFileText(file), kDecl + "\r\n<Config/>");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"s.xml"});
    EXPECT_THROW(SaveXmlFile(nullptr, file), EXmlError);
}

TEST(XmlFiles, FailedSaveRaisesAndLeavesNoTemporaryFile) {
    TTempFolder folder;
    // the target is an existing folder: the final replacement fails
    std::filesystem::create_directory(std::filesystem::path(folder.File("target.xml")));
    EXPECT_THROW(SaveXmlFile(NewXmlDocument("Config"), folder.File("target.xml")), EXmlError);
    EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(folder.File("target.xml"))));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"target.xml"});
    // the folder does not exist: nothing can be created
    EXPECT_THROW(SaveXmlFile(NewXmlDocument("Config"), folder.File("no-such-folder/x.xml")), EXmlError);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"target.xml"});
}

#ifndef _WIN32
// Writing stops half way (the file size limit, which stops root as well as
// anyone): the old file keeps its content and the partial temporary file goes.
TEST(XmlFiles, WriteFailingHalfWayKeepsTheOldFile) {
    TTempFolder folder;
    const std::string file = folder.File("settings.xml");
    SaveXmlFile(SettingsLikeDocument(1), file);
    const std::string old = ReadFileText(file);
    XmlDocumentPtr big = SettingsLikeDocument(40);
    ASSERT_GT(XmlDocumentText(big).size(), 16384u);

    struct rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limited = saved;
    limited.rlim_cur = 16384;
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    bool raised = false;
    try {
        SaveXmlFile(big, file);
    } catch (const EXmlError&) {
        raised = true;
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(raised);
    EXPECT_EQ(ReadFileText(file), old);
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"settings.xml"});
    // with the limit lifted the same save goes through
    SaveXmlFile(big, file);
    EXPECT_EQ(ReadFileText(file), XmlDocumentText(big));
}
#endif
