#include "QuorletWithDocument.h"

#include <windows.h>

#include "BenchDocuments.h"

namespace quorlet {
namespace startupbench {

TQuorletWithDocument::TQuorletWithDocument(const std::string& quorletExe)
    : Folder("quorlet-startup"),
      Program{Folder.CopyIn(quorletExe, "Quorlet.exe"), Folder.Path(), "TfrmQuorlet", "Quorlet", std::string()} {
    // Buttons for a document, a subfolder and the program folder besides the system's files.
    const std::string notes = Folder.WriteText("Notes.txt", "Shopping list\r\n");
    const std::string documents = Folder.File("Documents");
    CreateDirectoryA(documents.c_str(), nullptr);
    const std::string programFolder = Folder.Path().substr(0, Folder.Path().size() - 1);
    Files = FindTargetFiles({notes, documents, programFolder});
    Targets = ButtonTargets(Files, kTabSheets * kButtonsPerSheet);
    SettingsFile = WriteBenchDocuments(Program.Exe, Targets);
}

}  // namespace startupbench
}  // namespace quorlet
