#pragma once
// The status bar (StatusBar1): panel 0 is the hint line, which shows the hint
// of what the pointer is over after the prefix of the modifier keys; panel 1
// shows the counts of the last launched button.

#include <functional>
#include <string>

#include <windows.h>

#include "launcher/DpiScale.h"
#include "win32/ControlPicture.h"

namespace quorlet {

class TStatusLine {
public:
    // scale: the main window's density, followed as it changes.
    explicit TStatusLine(const TDpiScale& scale);

    // Height of the status bar in pixels, borders included.
    int Height() const { return FScale.Px(18); }
    // Width of panel 0, the hint line.
    int HintPanelWidth() const { return FScale.Px(260); }

    void Create(HINSTANCE instance, HWND parent);
    HWND Handle() const { return FHandle; }
    // Puts the bar at this top edge, as wide as the parent's client area.
    void Place(int top, int width);
    // The density changed: the panels take their new widths, the text the
    // font (null: the bar's own).
    void Rescale(HFONT font);

    void SetPanel(int panel, const std::string& text);
    std::string PanelText(int panel) const;

    // The pointer is over source, whose hint is hint (possibly empty).
    void ShowHint(const void* source, const std::string& hint);
    // The pointer left source: the hint line clears, unless it shows the hint
    // of another source by now (a late "left" must not clear the next hint).
    void SourceLeft(const void* source);
    // The pointer is over something without a hint of its own.
    void ClearHint() { ShowHint(nullptr, std::string()); }
    // The text before the hint, asked for each time the hint line is written.
    void SetHintPrefix(std::function<std::string()> prefix) { FPrefix = std::move(prefix); }
    // Writes the hint line again (after the prefix changed).
    void ShowHintInStatus();

    // Runs change, which may show several hints in turn, and writes the hint
    // line once afterwards: each write repaints the bar there and then, and
    // only the last hint would be seen.
    template <typename TChange>
    void WriteOnceAround(TChange change) {
        ++FHeld;
        try {
            change();
        } catch (...) {
            --FHeld;
            throw;
        }
        if (--FHeld == 0 && FHeldWrite) ShowHintInStatus();
    }

private:
    void SetParts();
    static LRESULT CALLBACK BarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void DrawBar(HDC dc);

    const TDpiScale& FScale;
    HWND FHandle = nullptr;
    WNDPROC FBarProc = nullptr;  // the bar's own procedure
    // What each panel shows: a text it shows already is not set again (each
    // activation writes the hint line), so the bar's picture stays.
    std::string FPanels[2];
    TControlPicture FPicture;
    const void* FHintSource = nullptr;
    std::string FHint;
    std::string FLine;
    std::function<std::string()> FPrefix;
    int FHeld = 0;            // WriteOnceAround calls running
    bool FHeldWrite = false;  // a write waits for the last of them
};

}  // namespace quorlet
