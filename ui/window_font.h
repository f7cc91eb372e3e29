#pragma once

#include <QFont>

namespace kw {

// The font of every window: "MS Sans Serif", 11 pixels high, or the nearest sans serif.
inline QFont WindowFont() {
  QFont font;
  font.setFamilies({QStringLiteral("Microsoft Sans Serif"), QStringLiteral("DejaVu Sans")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(11);
  return font;
}

}  // namespace kw
