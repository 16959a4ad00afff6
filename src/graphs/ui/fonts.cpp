// Font resolution and colour conversions.
#include "graphs/ui/fonts.h"

#include <QColor>
#include <QFontDatabase>

namespace tabulon::ui {

QFont ResolveFont(const QString& family, int point_size, bool bold) {
    const QStringList installed = QFontDatabase::families();
    QString chosen = family;
    if (!installed.contains(family)) {
        chosen.clear();
        if (family == QLatin1String("Times New Roman")) {
            for (const char* serif : {"Liberation Serif", "DejaVu Serif", "Nimbus Roman",
                                      "FreeSerif"}) {
                if (installed.contains(QLatin1String(serif))) {
                    chosen = QLatin1String(serif);
                    break;
                }
            }
        }
    }
    QFont font;
    if (!chosen.isEmpty()) {
        font.setFamily(chosen);
    } else if (family == QLatin1String("Times New Roman")) {
        font.setStyleHint(QFont::Serif);
        font.setFamily(QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
    }
    font.setPointSize(point_size);
    font.setBold(bold);
    return font;
}

FontSpec ToFontSpec(const QFont& font) {
    FontSpec spec;
    spec.family = font.family().toStdString();
    spec.point_size = font.pointSize();
    spec.bold = font.bold();
    spec.italic = font.italic();
    spec.underline = font.underline();
    spec.strikeout = font.strikeOut();
    return spec;
}

QFont FromFontSpec(const FontSpec& spec) {
    QFont font(QString::fromStdString(spec.family));
    font.setPointSize(spec.point_size);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    font.setUnderline(spec.underline);
    font.setStrikeOut(spec.strikeout);
    return font;
}

QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

std::uint32_t BgrFromColor(const QColor& color) {
    return static_cast<std::uint32_t>(color.red()) |
           (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}

}  // namespace tabulon::ui
