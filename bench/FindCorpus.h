#pragma once
// The names type-to-find is timed over: programs a user has installed, and
// the 500 Start Menu shortcuts they bring (each program with its companions:
// uninstall, help, readme, settings, web site). Shared by the native find
// benchmark and the one that types into the real program under Wine.

#include <cstddef>
#include <string>
#include <vector>

namespace quorlet {
namespace findcorpus {

struct TProgram {
    const char* Vendor;
    const char* Product;
    const char* Exe;
};

const TProgram kPrograms[] = {
    {"Microsoft", "Word", "WINWORD.EXE"},          {"Microsoft", "Excel", "EXCEL.EXE"},
    {"Microsoft", "PowerPoint", "POWERPNT.EXE"},   {"Microsoft", "Outlook", "OUTLOOK.EXE"},
    {"Microsoft", "OneNote", "ONENOTE.EXE"},       {"Microsoft", "Access", "MSACCESS.EXE"},
    {"Microsoft", "Visual Studio Code", "Code.exe"}, {"Microsoft", "Edge", "msedge.exe"},
    {"Microsoft", "Teams", "Teams.exe"},           {"Mozilla", "Firefox", "firefox.exe"},
    {"Mozilla", "Thunderbird", "thunderbird.exe"}, {"Google", "Chrome", "chrome.exe"},
    {"Don Ho", "Notepad++", "notepad++.exe"},      {"Igor Pavlov", "7-Zip File Manager", "7zFM.exe"},
    {"VideoLAN", "VLC media player", "vlc.exe"},   {"Adobe", "Acrobat Reader DC", "AcroRd32.exe"},
    {"Adobe", "Photoshop 2021", "Photoshop.exe"},  {"Adobe", "Illustrator", "Illustrator.exe"},
    {"GIMP", "GIMP 2.10", "gimp-2.10.exe"},        {"Inkscape", "Inkscape", "inkscape.exe"},
    {"LibreOffice", "LibreOffice Writer", "swriter.exe"}, {"LibreOffice", "LibreOffice Calc", "scalc.exe"},
    {"Oracle", "VirtualBox", "VirtualBox.exe"},    {"JetBrains", "IntelliJ IDEA", "idea64.exe"},
    {"JetBrains", "PyCharm", "pycharm64.exe"},     {"Python", "IDLE (Python 3.11)", "pythonw.exe"},
    {"Git", "Git Bash", "git-bash.exe"},           {"PuTTY", "PuTTY", "putty.exe"},
    {"WinSCP", "WinSCP", "WinSCP.exe"},            {"FileZilla", "FileZilla Client", "filezilla.exe"},
    {"Valve", "Steam", "steam.exe"},               {"Spotify", "Spotify", "Spotify.exe"},
    {"Audacity", "Audacity", "audacity.exe"},      {"OBS Project", "OBS Studio", "obs64.exe"},
    {"KeePass", "KeePass Password Safe 2", "KeePass.exe"}, {"Sysinternals", "Process Explorer", "procexp.exe"},
    {"Windows", "Paint", "mspaint.exe"},           {"Windows", "Calculator", "calc.exe"},
    {"Windows", "Command Prompt", "cmd.exe"},      {"Windows", "Snipping Tool", "SnippingTool.exe"},
    {"Windows", "Remote Desktop Connection", "mstsc.exe"}, {"Windows", "Task Manager", "Taskmgr.exe"},
    {"Far Group", "Far Manager", "Far.exe"},       {"Total Commander", "Total Commander", "TOTALCMD.EXE"},
    {"Skype", "Skype", "Skype.exe"},               {"Zoom", "Zoom", "Zoom.exe"},
    {"Slack", "Slack", "slack.exe"},               {"Telegram", "Telegram Desktop", "Telegram.exe"},
    {"IrfanView", "IrfanView 64", "i_view64.exe"}, {"Paint.NET", "paint.net", "paintdotnet.exe"},
};
const size_t kProgramCount = sizeof kPrograms / sizeof kPrograms[0];

const size_t kStartMenuShortcuts = 500;

// A shortcut: its name (the file name without ".lnk"), the vendor's folder it
// stands in, and whether the shared Programs folder holds it (every other one).
struct TShortcutName {
    std::string Name;
    std::string Vendor;
    bool Shared;
};

// The 500 shortcuts, no two of the same name.
inline std::vector<TShortcutName> StartMenuNames() {
    const char* const companions[] = {"", "Uninstall ", "", " Help", " Readme", " Settings", " Website", " (Safe Mode)",
                                      " Release Notes", " Command Line"};
    std::vector<TShortcutName> names;
    for (size_t i = 0; names.size() < kStartMenuShortcuts; ++i) {
        const TProgram& p = kPrograms[i % kProgramCount];
        const std::string companion = companions[i / kProgramCount % 10];
        std::string name = companion == "Uninstall " ? companion + p.Product : p.Product + companion;
        if (i / kProgramCount % 10 == 2) name = std::string(p.Vendor) + " " + p.Product;
        names.push_back({name, p.Vendor, i % 2 != 0});
    }
    return names;
}

}  // namespace findcorpus
}  // namespace quorlet
