// Fonts by the names the windows ask for, mapped onto what this system has.
#pragma once

#include <QFont>
#include <QString>

#include "graphs/font_spec.h"

namespace tabulon::ui {

// "Times New Roman" maps to the system's serif font (Liberation Serif, DejaVu Serif, ...)
// when it is not installed; other names fall back to the application font's family.
QFont ResolveFont(const QString& family, int point_size, bool bold = false);

FontSpec ToFontSpec(const QFont& font);
QFont FromFontSpec(const FontSpec& spec);

// 0x00BBGGRR values as the settings file stores colours.
QColor ColorFromBgr(std::uint32_t bgr);
std::uint32_t BgrFromColor(const QColor& color);

}  // namespace tabulon::ui
