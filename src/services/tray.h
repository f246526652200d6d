// The notification-area icon.
#pragma once

#include <array>
#include <cstdint>

namespace morvex::services {

// The icon's registration record, field for field as the shell's first,
// ANSI form of its icon record lays it out. `size` is that form's size on
// this platform (88 bytes in a 32-bit build).
struct TrayIconRecord {
  std::uint32_t size = 0;
  std::uintptr_t window = 0;
  std::uint32_t id = 0;
  std::uint32_t flags = 0;
  std::uint32_t callbackMessage = 0;
  std::uintptr_t icon = 0;
  std::array<char, 64> tip{};
};

enum TrayMessage : int { kTrayAdd = 0, kTrayDelete = 2 };

class Tray {
 public:
  virtual ~Tray() = default;
  // The size of the record's first form on this platform.
  virtual std::uint32_t RecordSize() const = 0;
  // Hands the record to the shell; the result is not examined.
  virtual void Notify(int message, const TrayIconRecord& record) = 0;
};

}  // namespace morvex::services
