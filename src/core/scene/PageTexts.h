#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// The fixed texts of the browser edition's page: its title, its menu entries with their
// tooltips, the keys that click the test points, and the notes for a page served over plain
// HTTP, where the clipboard and the offline copy are not available.

inline constexpr std::string_view kPageTitle = "Quorvane";
// Browsers keep Ctrl+1 .. Ctrl+8 for their tabs; the page takes Alt+1 .. Alt+8.
inline constexpr std::string_view kPageTestPointModifier = "Alt";
inline constexpr std::string_view kCopyLinkText = "Copy Link";

// As JSON:
// {"title": "...",
//  "menu": {"copyPicture" | "copyData" | "copySetup" | "pasteSetup" | "experiments" |
//           "copyLink": {"text": "...", "tip": "..."}},
//  "testPointModifier": "Alt", "testPointShortcuts": ["Alt+1", ..., "Alt+8"],
//  "notes": {"plainHttp": "...", "copyFallback": "...", "pasteFallback": "...",
//            "pictureFallback": "..."},
//  "buttons": {"ok": "OK", "cancel": "Cancel", "close": "Close"}}
std::string PageTextsJson();

}  // namespace quorvane
