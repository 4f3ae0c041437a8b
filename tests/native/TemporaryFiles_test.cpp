// The temporary files of saves: their names, and those of ended saves removed
// at start while a running save's file and other files stay.
#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "base/FileIo.h"
#include "base/TemporaryFiles.h"
#include "fakes/TempFolder.h"

using namespace quorlet;

TEST(TemporaryFiles, NamesOfASavesTemporaryFile) {
    EXPECT_EQ(TemporaryFileName("C:\\Quorlet\\QL_ann.xml", 1234, 98765), "C:\\Quorlet\\QL_ann.xml.1234-98765.tmp");
    struct Case {
        const char* Candidate;
        bool Matches;
        unsigned long Process;
    } cases[] = {
        {"QL_ann.xml.1234-98765.tmp", true, 1234},
        {"ql_ANN.XML.77-0.TMP", true, 77},          // Windows ignores the letter case
        {"QL_ann.xml.4294967295-1.tmp", true, 4294967295ul},
        {"QL_ann.xml.4294967296-1.tmp", false, 0},  // no such process number
        {"QL_ann.xml.1234.tmp", false, 0},
        {"QL_ann.xml.-5.tmp", false, 0},
        {"QL_ann.xml.12-.tmp", false, 0},
        {"QL_ann.xml.12-3x.tmp", false, 0},
        {"QL_ann.xml.bak", false, 0},
        {"QL_ann.xml", false, 0},
        {"QL_bob.xml.1234-5.tmp", false, 0},         // another user's document
        {"QL_ann.xml.old.1234-5.tmp", false, 0},
    };
    for (const Case& c : cases) {
        unsigned long process = 0;
        EXPECT_EQ(IsTemporaryFileOf("QL_ann.xml", c.Candidate, process), c.Matches) << c.Candidate;
        if (c.Matches) EXPECT_EQ(process, c.Process) << c.Candidate;
    }
}

#ifndef _WIN32
// (The Windows side is checked end to end, with the program's start.)
TEST(TemporaryFiles, ThoseOfEndedSavesAreRemovedAndTheRestStays) {
    TTempFolder folder;
    const std::string target = folder.File("QL_ann.xml");
    WriteFileText(target, "<RKConfig/>");
    // A process that has ended.
    const pid_t child = fork();
    if (child == 0) _exit(0);
    ASSERT_GT(child, 0);
    waitpid(child, nullptr, 0);
    const std::string ended = TemporaryFileName(target, static_cast<unsigned long>(child), 1);
    const std::string never = TemporaryFileName(target, 2147483648ul, 2);
    const std::string running = TemporaryFileName(target, static_cast<unsigned long>(getppid()), 3);
    const std::string own = TemporaryFileName(target, static_cast<unsigned long>(getpid()), 4);
    const std::string other = TemporaryFileName(folder.File("QL_bob.xml"), static_cast<unsigned long>(child), 5);
    const std::string unlike = folder.File("QL_ann.xml.bak.tmp");
    for (const std::string& file : {ended, never, running, own, other, unlike}) WriteFileText(file, "half a document");

    RemoveAbandonedTemporaryFiles(target);
    EXPECT_FALSE(FileExistsOnDisk(ended));
    EXPECT_FALSE(FileExistsOnDisk(never));
    EXPECT_TRUE(FileExistsOnDisk(running));
    EXPECT_TRUE(FileExistsOnDisk(own));
    EXPECT_TRUE(FileExistsOnDisk(other));
    EXPECT_TRUE(FileExistsOnDisk(unlike));
    EXPECT_EQ(ReadFileText(target), "<RKConfig/>");
    // Nothing to do, or no such folder: nothing happens.
    RemoveAbandonedTemporaryFiles(target);
    RemoveAbandonedTemporaryFiles(folder.File("gone/QL_ann.xml"));
}
#endif
