#pragma once
// The Hebrew font of every window: "Miriam CLM" (from Debian's culmus) where the windows ask for Miriam,
// falling back to another font with Hebrew letters.

#include <QFont>
#include <string>

namespace ui {

inline constexpr const char* kHebrewFont = "Miriam CLM";
QFont hebrewFont();
// A font by the name a window gives; "Miriam" means the Hebrew font.
QFont fontNamed(const std::string& name);

}  // namespace ui
