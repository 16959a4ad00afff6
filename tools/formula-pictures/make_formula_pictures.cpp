// Typesets the distribution functions shown in the t, χ² and F table windows and writes them
// as PNG pictures: a few boxes (text, raised and lowered text, fractions, roots, an integral
// with limits) laid out on baselines and painted with the system's serif font.
// Usage: make_formula_pictures OUTPUT_FOLDER (run through tools/make-formula-pictures).
#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>
#include <iostream>
#include <vector>

namespace {

constexpr double kSize = 22;  // pixel size of the ordinary text

struct Box {
    double width = 0;
    double ascent = 0;
    double descent = 0;
    std::function<void(QPainter&, double x, double baseline)> paint;
};

QString Serif() {
    for (const QString& family : {QString("DejaVu Serif"), QString("Liberation Serif")}) {
        if (QFontDatabase::families().contains(family)) return family;
    }
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
}

QFont Font(double size, bool italic) {
    QFont font(Serif());
    font.setPixelSize(static_cast<int>(size));
    font.setItalic(italic);
    return font;
}

Box Text(const QString& text, double size = kSize, bool italic = false) {
    const QFont font = Font(size, italic);
    const QFontMetricsF m(font);
    Box b{m.horizontalAdvance(text), m.ascent() * 0.8, m.descent() * 0.6, {}};
    b.paint = [font, text](QPainter& p, double x, double y) {
        p.setFont(font);
        p.drawText(QPointF(x, y), text);
    };
    return b;
}
Box Var(const QString& text, double size = kSize) {
    return Text(text, size, true);
}

Box Row(std::vector<Box> parts, double gap = 0) {
    Box b;
    for (const Box& part : parts) {
        b.width += part.width + gap;
        b.ascent = std::max(b.ascent, part.ascent);
        b.descent = std::max(b.descent, part.descent);
    }
    b.paint = [parts, gap](QPainter& p, double x, double y) {
        for (const Box& part : parts) {
            part.paint(p, x, y);
            x += part.width + gap;
        }
    };
    return b;
}

// `base` with `exponent` raised beside it.
Box Raised(const Box& base, const Box& exponent) {
    const double rise = base.ascent * 0.55;
    Box b{base.width + exponent.width + 1,
          std::max(base.ascent, rise + exponent.ascent),
          base.descent,
          {}};
    b.paint = [base, exponent, rise](QPainter& p, double x, double y) {
        base.paint(p, x, y);
        exponent.paint(p, x + base.width + 1, y - rise);
    };
    return b;
}

Box Fraction(const Box& top, const Box& bottom) {
    const double axis = kSize * 0.3;  // the bar's height above the baseline
    const double width = std::max(top.width, bottom.width) + 8;
    Box b{
        width, axis + 3 + top.descent + top.ascent, bottom.ascent + bottom.descent + 3 - axis, {}};
    b.paint = [top, bottom, width, axis](QPainter& p, double x, double y) {
        const double bar = y - axis;
        top.paint(p, x + (width - top.width) / 2, bar - 3 - top.descent);
        bottom.paint(p, x + (width - bottom.width) / 2, bar + 3 + bottom.ascent);
        p.setPen(QPen(Qt::black, 1.2));
        p.drawLine(QPointF(x + 1, bar), QPointF(x + width - 1, bar));
    };
    return b;
}

// `inner` between parentheses as tall as it is, drawn as thin arcs.
Box Paren(const Box& inner) {
    const double ascent = inner.ascent + 2;
    const double descent = inner.descent + 2;
    const double bow = (ascent + descent) * 0.16 + 2;
    Box b{inner.width + 2 * bow + 4, ascent, descent, {}};
    b.paint = [inner, ascent, descent, bow](QPainter& p, double x, double y) {
        p.setPen(QPen(Qt::black, 1.3));
        p.setBrush(Qt::NoBrush);
        QPainterPath open;
        open.moveTo(x + bow, y - ascent);
        open.quadTo(x - bow * 0.4, y + (descent - ascent) / 2, x + bow, y + descent);
        const double right = x + inner.width + 2 * bow + 4;
        QPainterPath close;
        close.moveTo(right - bow, y - ascent);
        close.quadTo(right + bow * 0.4, y + (descent - ascent) / 2, right - bow, y + descent);
        p.drawPath(open);
        p.drawPath(close);
        inner.paint(p, x + bow + 2, y);
    };
    return b;
}

Box Root(const Box& inner) {
    const double hook = inner.ascent * 0.6 + 4;
    Box b{inner.width + hook + 3, inner.ascent + 4, inner.descent + 1, {}};
    b.paint = [inner, hook](QPainter& p, double x, double y) {
        const double top = y - inner.ascent - 3;
        QPainterPath path;
        path.moveTo(x, y - inner.ascent * 0.35);
        path.lineTo(x + hook * 0.3, y - inner.ascent * 0.45);
        path.lineTo(x + hook * 0.6, y + inner.descent);
        path.lineTo(x + hook, top);
        path.lineTo(x + hook + inner.width + 2, top);
        p.setPen(QPen(Qt::black, 1.2));
        p.drawPath(path);
        inner.paint(p, x + hook + 1, y);
    };
    return b;
}

Box Integral(const Box& lower, const Box& upper) {
    const Box sign = Text(QString::fromUtf8("∫"), kSize * 2.1);
    const double limits = std::max(lower.width, upper.width);
    Box b{sign.width + limits + 2,
          sign.ascent + upper.ascent * 0.3,
          sign.descent + lower.descent + 4,
          {}};
    b.paint = [sign, lower, upper](QPainter& p, double x, double y) {
        sign.paint(p, x, y + sign.ascent * 0.28);
        upper.paint(p, x + sign.width, y - sign.ascent * 0.75);
        lower.paint(p, x + sign.width - 4, y + sign.ascent * 0.4);
    };
    return b;
}

Box Small(const QString& text, bool italic = true) {
    return Text(text, kSize * 0.68, italic);
}

bool Write(const Box& formula, const QString& path) {
    const int margin = 8;
    QImage image(static_cast<int>(formula.width) + 2 * margin,
                 static_cast<int>(formula.ascent + formula.descent) + 2 * margin,
                 QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    formula.paint(painter, margin, margin + formula.ascent);
    painter.end();
    return image.save(path, "PNG");
}

const QString kMinus = QString::fromUtf8("−");

// t: the lower tail from −∞ to x.
Box TFormula() {
    const Box constant = Fraction(
        Row({Text("Γ"), Paren(Fraction(Row({Var("n"), Text("+1")}), Text("2")))}),
        Row({Root(Row({Var("n"), Text("π")})), Text(" Γ"), Paren(Fraction(Var("n"), Text("2")))}));
    const Box kernel =
        Raised(Paren(Row({Text("1 + "), Fraction(Raised(Var("t"), Small("2", false)), Var("n"))})),
               Small(kMinus + "(n+1)/2"));
    return Row({Var("F"), Text("("), Var("x"), Text(") = "), constant, Text(" "),
                Integral(Small(kMinus + QString::fromUtf8("∞"), false), Small("x")), kernel,
                Text(" d"), Var("t")});
}

// χ²: from 0 to x.
Box ChiSquareFormula() {
    const Box constant = Fraction(Text("1"), Row({Raised(Text("2"), Small("n/2")), Text(" Γ"),
                                                  Paren(Fraction(Var("n"), Text("2")))}));
    return Row({Var("F"), Text("("), Var("x"), Text(") = "), constant, Text(" "),
                Integral(Small("0", false), Small("x")),
                Raised(Var("t"), Small("n/2" + kMinus + "1")), Text(" "),
                Raised(Var("e"), Small(kMinus + "t/2")), Text(" d"), Var("t")});
}

// F: the upper tail from x to ∞.
Box FFormula() {
    const Box constant =
        Fraction(Row({Raised(Var("m"), Small("m/2")), Text(" "), Raised(Var("n"), Small("n/2"))}),
                 Row({Text("B"), Paren(Row({Fraction(Var("m"), Text("2")), Text(", "),
                                            Fraction(Var("n"), Text("2"))}))}));
    const Box kernel =
        Fraction(Raised(Var("t"), Small("m/2" + kMinus + "1")),
                 Raised(Row({Text("("), Var("n"), Text(" + "), Var("m"), Var("t"), Text(")")}),
                        Small("(m+n)/2")));
    return Row({Var("P"), Text("("), Var("F"), Text(" > "), Var("x"), Text(") = "), constant,
                Text(" "), Integral(Small("x"), Small(QString::fromUtf8("∞"), false)), kernel,
                Text(" d"), Var("t")});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: make_formula_pictures OUTPUT_FOLDER\n";
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = Write(TFormula(), folder + "/t_distribution.png") &&
                    Write(ChiSquareFormula(), folder + "/chi_square_distribution.png") &&
                    Write(FFormula(), folder + "/f_distribution.png");
    if (!ok) std::cerr << "could not write the pictures into " << argv[1] << '\n';
    return ok ? 0 : 1;
}
