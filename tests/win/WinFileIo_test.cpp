// Saves on Windows replace the file in one step; a save that cannot replace it leaves it intact.
#include <gtest/gtest.h>

#include "fakes/TempFolder.h"
#include "platform/WinHandles.h"
#include "settings/XmlDoc.h"

using namespace quorlet;

TEST(WindowsSave, LockedOrReadOnlyTargetKeepsItsContent) {
    TTempFolder folder;
    const std::string target = folder.File("QL_alice.xml");
    XmlDocumentPtr doc = NewXmlDocument("Config");
    WriteStrAttr(AddChildElement(RootElement(doc), "Item"), "Name", "new");

    WriteFileText(target, "old content");
    {
        // Another program holds the file open without sharing.
        TUniqueHandle lock(CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(lock);
        EXPECT_THROW(SaveXmlFile(doc, target), EXmlError);
    }
    EXPECT_EQ(ReadFileText(target), "old content");

    ASSERT_TRUE(SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_THROW(SaveXmlFile(doc, target), EXmlError);
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileText(target), "old content");

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
