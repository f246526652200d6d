// Texts that several parts of the program show.
#pragma once

#include <string>

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

// Why the homepage was not opened where the program runs as administrator
// and the desktop's shell could not open it for the user logged on there.
inline std::string HomepageNotOpenedText(const std::string& reason) {
  return std::string("Morvex läuft als Administrator und öffnet die Homepage darum über den Desktop des "
                     "angemeldeten Benutzers, nicht mit Administratorrechten. Das ist nicht gelungen: ") +
         reason + "\n\nBitte die Homepage selbst im Browser öffnen: " + kWebAddress;
}

}  // namespace morvex::forms
