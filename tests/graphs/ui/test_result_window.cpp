// The result window base: its menu in both languages, the level control, and one
// RenderGraph reaching the screen, the clipboard, the printer and files alike.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <cmath>

#include "base/language.h"
#include "graphs/recording_canvas.h"
#include "graphs/ui/level_control.h"
#include "graphs/ui/paint_box.h"
#include "graphs/ui/sample_result_window.h"
#include "shell/scripted_dialogs.h"

namespace tabulon::testing {
namespace {

using ui::GraphTarget;

TEST(ResultWindowMenu, CaptionsFollowTheLanguageWhenTheWindowIsBuilt) {
    const struct {
        Language language;
        const char *arkiv, *kopiera, *grafik, *skriv_ut, *spara, *stang;
    } cases[] = {
        {Language::Swedish, "Arkiv", "Kopiera", "Grafik", "Skriv ut", "Spara grafik…", "Stäng"},
        {Language::English, "File", "Copy", "Graphics", "Print", "Save graphics…", "Close"},
        // before a language is chosen the program speaks Swedish
        {Language::None, "Arkiv", "Kopiera", "Grafik", "Skriv ut", "Spara grafik…", "Stäng"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arkiv);
        ScopedTextSettings settings(c.language, ',');
        ScriptedDialogs dialogs;
        SampleResultWindow window(dialogs);
        EXPECT_EQ(window.Arkiv1->title(), QString::fromUtf8(c.arkiv));
        EXPECT_EQ(window.Kopiera1->title(), QString::fromUtf8(c.kopiera));
        EXPECT_EQ(window.Text1->text(), "Text");
        EXPECT_EQ(window.Grafik1->text(), QString::fromUtf8(c.grafik));
        EXPECT_EQ(window.Skrivut1->title(), QString::fromUtf8(c.skriv_ut));
        EXPECT_EQ(window.Text2->text(), "Text");
        EXPECT_EQ(window.Grafik2->text(), QString::fromUtf8(c.grafik));
        EXPECT_EQ(window.Sparagrafik1->text(), QString::fromUtf8(c.spara));
        EXPECT_EQ(window.Stang1->text(), QString::fromUtf8(c.stang));
        EXPECT_EQ(window.Stang1->shortcut(), QKeySequence("Ctrl+X"));
        // Kopiera and Skriv ut hang under Arkiv, Text and Grafik under each of them.
        EXPECT_EQ(window.Kopiera1->actions().size(), 2);
        EXPECT_EQ(window.Skrivut1->actions().size(), 2);
    }
}

class ResultWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        window.resize(900, 480);
        window.show();
        QApplication::processEvents();
    }
    QString Path(const char* name) const { return dir.filePath(name); }

    ScopedTextSettings settings{Language::Swedish, ','};
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    SampleResultWindow window{dialogs};
};

TEST_F(ResultWindowTest, LevelButtonsAndArrowsClampRecomputeAndRedraw) {
    ui::TLevelControl* level = window.enableLevelControl(ConfidenceLevelRules());
    ASSERT_EQ(level->fixedButtons().size(), 3u);
    EXPECT_EQ(level->levelText(), "95,00%");

    level->fixedButtons()[2]->click();  // "99.9%"
    EXPECT_EQ(level->level(), 99.9L);
    EXPECT_EQ(window.recomputed, 1);
    EXPECT_TRUE(window.Memo1->toPlainText().contains("Antal = 1"));  // text refreshed

    auto* small_up = level->findChild<QToolButton*>("SmallUp");
    auto* large_down = level->findChild<QToolButton*>("LargeDown");
    ASSERT_TRUE(small_up && large_down);
    for (int i = 0; i < 5; ++i) small_up->click();
    EXPECT_EQ(level->level(), 99.99L);  // held at the top
    EXPECT_EQ(level->levelText(), "99,99%");
    for (int i = 0; i < 30; ++i) large_down->click();
    EXPECT_EQ(level->level(), 80);  // held at the bottom
    EXPECT_EQ(window.recomputed, 1 + 5 + 30);
}

// The control steps by the rules it was given, not by one window's rules.
TEST_F(ResultWindowTest, SignificanceArrowsStopAtTheirLimits) {
    ui::TLevelControl* level = window.enableLevelControl(SignificanceLevelRules());
    for (int i = 0; i < 10; ++i) level->press(LevelArrow::LargeDown);
    EXPECT_NEAR(double(level->level()), 0.01, 1e-15);  // worked by hand: 5 - 5 -> 0.01
}

// The paint box, the clipboard copy (SVG and PNG), the file and the printer all draw through
// the one RenderGraph: the recorded primitives agree, the printer's scaled to the page.
TEST_F(ResultWindowTest, TheSameDrawingOnScreenClipboardFileAndPrinter) {
    RecordingCanvas screen, clipboard, file, printer;
    window.setEcho(GraphTarget::Screen, &screen);
    window.setEcho(GraphTarget::Clipboard, &clipboard);
    window.setEcho(GraphTarget::File, &file);
    window.setEcho(GraphTarget::Printer, &printer);

    const QSize box = window.graphSize();
    window.PaintBox1->grab();  // paints once
    ASSERT_FALSE(screen.primitives().empty());
    const auto& drawn = screen.primitives();

    window.Grafik1Click();  // the SVG and the PNG are both drawn
    ASSERT_EQ(clipboard.primitives().size(), 2 * drawn.size());
    EXPECT_EQ(std::vector<Primitive>(clipboard.primitives().begin(),
                                     clipboard.primitives().begin() + long(drawn.size())),
              drawn);
    EXPECT_EQ(std::vector<Primitive>(clipboard.primitives().begin() + long(drawn.size()),
                                     clipboard.primitives().end()),
              drawn);

    dialogs.saveFile(Path("graph.svg").toStdString());
    window.Sparagrafik1Click();
    EXPECT_EQ(file.primitives(), drawn);

    ui::PdfFilePrinterChooser chooser(Path("graph.pdf"));
    window.setPrinterChooser(&chooser);
    window.Grafik2Click();
    ASSERT_EQ(chooser.timesAsked(), 1);
    QFile pdf(Path("graph.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));

    const auto& paper = printer.primitives();
    ASSERT_EQ(paper.size(), drawn.size());
    // The page is much wider than the paint box; coordinates scale by that factor, up to
    // pixel rounding and the tick lengths and label offsets, which follow the text height.
    const auto widest = [](const std::vector<Primitive>& primitives) {
        int width = 0;
        for (const Primitive& p : primitives) {
            for (const Point& pt : p.points) width = std::max(width, pt.x);
        }
        return width;
    };
    const double factor = double(widest(paper)) / widest(drawn);
    EXPECT_GT(factor, 5.0);
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(::testing::PrintToString(drawn[i]));
        ASSERT_EQ(paper[i].kind, drawn[i].kind);
        EXPECT_EQ(paper[i].text, drawn[i].text);
        EXPECT_EQ(paper[i].pen, drawn[i].pen);
        const double tolerance = drawn[i].kind == PrimitiveKind::Text ? 12.0 : 3.0;
        ASSERT_EQ(paper[i].points.size(), drawn[i].points.size());
        for (std::size_t k = 0; k < drawn[i].points.size(); ++k) {
            EXPECT_NEAR(paper[i].points[k].x / factor, drawn[i].points[k].x, tolerance);
            EXPECT_NEAR(paper[i].points[k].y / factor, drawn[i].points[k].y, tolerance);
        }
        // Marker centres scale; so do their radii, through ScaledPixels.
        EXPECT_NEAR((paper[i].box.left + paper[i].box.right) / 2 / factor,
                    (drawn[i].box.left + drawn[i].box.right) / 2, 3.0);
        EXPECT_NEAR((paper[i].box.top + paper[i].box.bottom) / 2 / factor,
                    (drawn[i].box.top + drawn[i].box.bottom) / 2, 3.0);
    }
    EXPECT_EQ(window.graphSize(), box);  // printing leaves the screen picture alone
}

TEST_F(ResultWindowTest, ScaledPixelsKeepTheOnScreenProportion) {
    const int box = window.graphSize().width();
    EXPECT_EQ(window.ScaledPixels(4, box), 4);
    EXPECT_EQ(window.ScaledPixels(4, 10 * box), 40);
    EXPECT_EQ(window.ScaledPixels(5, 3 * box), 15);
    EXPECT_EQ(window.ScaledPixels(1, box / 10), 1);  // never below one pixel
}

TEST_F(ResultWindowTest, CopiesTheResultTextAndTheGraphAsSvgAndPngAtTheOnScreenSize) {
    window.Text1Click();
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime && mime->hasText());
    EXPECT_EQ(mime->text().toStdString(), window.ResultText());

    window.Grafik1Click();
    mime = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(mime);
    ASSERT_TRUE(mime->hasFormat("image/svg+xml"));
    ASSERT_TRUE(mime->hasFormat("image/png"));
    EXPECT_TRUE(mime->data("image/svg+xml").contains("<svg"));
    QImage png;
    ASSERT_TRUE(png.loadFromData(mime->data("image/png"), "PNG"));
    EXPECT_EQ(png.size(), window.graphSize());
    // Not a blank picture: the black axes and the red point markers are in it.
    int dark = 0;
    int red = 0;
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            const QColor c = png.pixelColor(x, y);
            dark += qGray(c.rgb()) < 64;
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
        }
    }
    EXPECT_GT(dark, png.width());
    EXPECT_GT(red, 0);
}

// The type follows the extension; anything else is refused with a message and no file.
TEST_F(ResultWindowTest, SavesTheTypeTheExtensionNamesOrSaysWhyNot) {
    const struct {
        const char* name;
        QByteArray start;     // how the file begins; empty: not written
        std::string message;  // empty: saved
    } cases[] = {
        {"a.svg", "<svg", ""},
        {"a.SVG", "<svg", ""},
        {"a.pdf", "%PDF", ""},
        {"a.png", "\x89PNG", ""},
        {"a.bmp", "", "Filnamnet måste sluta på .svg, .pdf eller .png"},
        {"no/a.png", "", "Kunde inte skriva " + Path("no/a.png").toStdString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t messages = dialogs.messages().size();
        const std::size_t asked = dialogs.asked().size();
        dialogs.saveFile(Path(c.name).toStdString());
        window.Sparagrafik1Click();
        ASSERT_GT(dialogs.asked().size(), asked);
        EXPECT_EQ(dialogs.asked()[asked].title, "Spara grafik");
        EXPECT_EQ(dialogs.asked()[asked].text,
                  "SVG (*.svg)|*.svg|PDF (*.pdf)|*.pdf|PNG (*.png)|*.png");
        QFile file(Path(c.name));
        if (c.message.empty()) {
            EXPECT_EQ(dialogs.messages().size(), messages);
            ASSERT_TRUE(file.open(QIODevice::ReadOnly));
            const QByteArray head = file.read(64);
            EXPECT_TRUE(head.contains(c.start)) << head.toStdString();
            continue;
        }
        ASSERT_EQ(dialogs.messages().size(), messages + 1);
        EXPECT_EQ(dialogs.messages().back(), c.message);
        EXPECT_FALSE(file.exists());
    }
}

TEST_F(ResultWindowTest, ACancelledSaveOrPrintDoesNothing) {
    dialogs.saveFile(std::nullopt);
    window.Sparagrafik1Click();
    ui::PdfFilePrinterChooser chooser(Path("cancelled.pdf"), false);
    window.setPrinterChooser(&chooser);
    window.Grafik2Click();
    window.Text2Click();
    EXPECT_EQ(chooser.timesAsked(), 2);
    EXPECT_TRUE(dialogs.messages().empty());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(ResultWindowTest, PrintsTheTextLines) {
    ui::PdfFilePrinterChooser chooser(Path("text.pdf"));
    window.setPrinterChooser(&chooser);
    EXPECT_EQ(window.PrintLines(),
              (std::vector<std::string>{"Prov", "Medelvärde = 3.5", " Antal = 0"}));
    window.Text2Click();
    QFile pdf(Path("text.pdf"));
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5).startsWith("%PDF"));
}

TEST(ResultWindowWithoutGraph, HidesThePaintBoxAndDisablesTheGraphCommands) {
    ScopedTextSettings settings(Language::English, '.');
    ScriptedDialogs dialogs;
    SampleResultWindow window(dialogs, false);
    window.show();
    QApplication::processEvents();
    EXPECT_FALSE(window.PaintBox1->isVisible());
    EXPECT_FALSE(window.Grafik1->isEnabled());
    EXPECT_FALSE(window.Grafik2->isEnabled());
    EXPECT_FALSE(window.Sparagrafik1->isEnabled());
    EXPECT_TRUE(window.Text1->isEnabled());
    EXPECT_EQ(window.Memo1->toPlainText(), "Prov\nMedelvärde = 3.5\n Antal = 0\n");
}

}  // namespace
}  // namespace tabulon::testing
