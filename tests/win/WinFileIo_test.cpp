// Saves on Windows replace the file in one step; a save that cannot replace it leaves it intact.
#include <gtest/gtest.h>

#include <windows.h>

#include "fakes/TempFolder.h"
#include "settings/XmlDoc.h"

using namespace quorlet;

TEST(WindowsSave, ReadOnlyTargetOrFolderKeepsItsContent) {
    TTempFolder folder;
    const std::string target = folder.File("QL_alice.xml");
    XmlDocumentPtr doc = NewXmlDocument("Config");
    WriteStrAttr(AddChildElement(RootElement(doc), "Item"), "Name", "new");

    WriteFileText(target, "old content");
    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(SaveXmlFile(doc, target), EXmlError);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileText(target), "old content");

    // A folder in the way of the target is left alone too.
    const std::string folderTarget = folder.File("sub");
    ASSERT_TRUE(CreateDirectoryA(folderTarget.c_str(), nullptr));
    EXPECT_THROW(SaveXmlFile(doc, folderTarget), EXmlError);
    EXPECT_TRUE(GetFileAttributesA(folderTarget.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
    RemoveDirectoryA(folderTarget.c_str());

    // No temporary files are left behind.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*").c_str(), &found);
    int files = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++files;
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    EXPECT_EQ(files, 1);

    SaveXmlFile(doc, target);
    EXPECT_EQ(ReadFileText(target),
              "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<Config>\r\n\t<Item Name=\"new\"/>\r\n</Config>");
}

TEST(WindowsSave, ReplacesByAnyNameAndLeavesAFileHeldOpenByOthersIntact) {
    TTempFolder folder;
    XmlDocumentPtr doc = NewXmlDocument("Config");
    const std::string expected = "<?xml version=\"1.0\" encoding=\"windows-1251\"?>\r\n<Config/>";

    // A name outside ASCII, and a name relative to the current folder.
    const std::string accented = folder.File("r\xE9sum\xE9.xml");
    WriteFileText(accented, "old");
    SaveXmlFile(doc, accented);
    EXPECT_EQ(ReadFileText(accented), expected);

    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.Path().c_str()));
    WriteFileText("relative.xml", "old");
    SaveXmlFile(doc, "relative.xml");
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(ReadFileText(folder.File("relative.xml")), expected);

    // Another program holding the file open without letting it be deleted keeps it as it was.
    const std::string held = folder.File("held.xml");
    WriteFileText(held, "old content");
    HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    EXPECT_THROW(SaveXmlFile(doc, held), EXmlError);
    CloseHandle(other);
    EXPECT_EQ(ReadFileText(held), "old content");
    SaveXmlFile(doc, held);
    EXPECT_EQ(ReadFileText(held), expected);

    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(folder.File("*.tmp").c_str(), &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE) << "left behind: " << found.cFileName;
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}
