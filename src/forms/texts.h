// Texts that several parts of the program show.
#pragma once

namespace morvex::forms {

// The homepage opened by the credit line and "Homepage besuchen", the web
// address named in the About message, and the host named by the tray icon's
// message-box mode.
inline constexpr const char* kHomepage = "https://morvex.example.org/";
inline constexpr const char* kWebAddress = "www.morvex.example.org";
inline constexpr const char* kHomepageHost = "morvex.example.org";
// The title of message boxes that have none of their own.
inline constexpr const char* kAppTitle = "morvex";
// The title of the boxes that tell of a file that could not be saved (the
// kill list, the settings).
inline constexpr const char* kNotSavedTitle = "Fehler beim Speichern";

}  // namespace morvex::forms
