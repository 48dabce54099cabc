#include "ui/font.h"

#include <QFontDatabase>
#include <QStringList>

namespace ui {

QFont hebrewFont() {
  QFont f;
  f.setFamilies(QStringList{kHebrewFont, "Culmus", "David CLM", "DejaVu Sans", "FreeSans"});
  f.setPointSize(9);
  return f;
}

QFont fontNamed(const std::string& name) {
  if (name.empty() || name == "Miriam" || name == kHebrewFont) return hebrewFont();
  QFont f = hebrewFont();
  QStringList fam{QString::fromStdString(name)};
  fam << f.families();
  f.setFamilies(fam);
  return f;
}

}  // namespace ui
