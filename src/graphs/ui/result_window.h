// TResultWindow: the base of the result windows. It carries the shared menu (Arkiv > Kopiera
// > Text / Grafik, Skriv ut > Text / Grafik, Spara grafik…, Stäng), the text pane, the graph
// paint box and, on request, the level control; a window supplies its text and RenderGraph.
#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "graphs/level_steps.h"
#include "graphs/text_measure.h"
#include "graphs/ui/graph_output.h"

class QAction;
class QHBoxLayout;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QVBoxLayout;

namespace tabulon {
class Dialogs;
}

namespace tabulon::ui {

class TPaintBox;
class TLevelControl;

// Where a RenderGraph call draws.
enum class GraphTarget { Screen, Clipboard, Printer, File };

class TResultWindow : public QDialog {
    Q_OBJECT
public:
    explicit TResultWindow(Dialogs& dialogs, QWidget* parent = nullptr);
    ~TResultWindow() override;

    // What Kopiera > Text puts on the clipboard.
    virtual std::string ResultText() = 0;
    // What the text pane shows; by default the result text with its line ends made plain.
    virtual std::string DisplayText();
    // What Skriv ut > Text prints, one entry a line; by default the lines of DisplayText().
    virtual std::vector<std::string> PrintLines();
    // The one routine that draws the window's graph, for every target.
    virtual void RenderGraph(Canvas& canvas, int width, int height) = 0;
    // A window without a graph hides the paint box and disables the Grafik entries.
    virtual bool HasGraph() const { return true; }
    // Called on every change of the level before the texts and the graph are refreshed.
    virtual void Recompute() {}

    // Shows the current text and repaints the graph.
    void Refresh();

    // Adds the level control above the text and graph; every change recomputes and redraws.
    TLevelControl* enableLevelControl(LevelRules rules);
    TLevelControl* levelControl() const { return m_level; }

    // Text sizes for RenderGraph: on the target canvas, or scaled from the paint box when
    // the target cannot measure.
    TextMeasurer MeasurerFor(Canvas& target, int width, int height);

    // The menu commands.
    void Text1Click();         // Arkiv > Kopiera > Text
    void Grafik1Click();       // Arkiv > Kopiera > Grafik
    void Text2Click();         // Arkiv > Skriv ut > Text
    void Grafik2Click();       // Arkiv > Skriv ut > Grafik
    void Sparagrafik1Click();  // Arkiv > Spara grafik…
    void Stang1Click();        // Arkiv > Stäng

    // The print dialog; null puts back the real one.
    void setPrinterChooser(PrinterChooser* chooser);
    // Every RenderGraph call for `target` also draws on `echo` (tests record it).
    void setEcho(GraphTarget target, Canvas* echo);

    // A length given in screen pixels, for a graph drawn `width` pixels wide: marker radii and
    // gaps keep their on-screen proportion on a printed page. At least 1.
    int ScaledPixels(int screen_pixels, int width) const;

    QSize graphSize() const;
    int screenFontDpi() const;

    QMenuBar* MainMenu1 = nullptr;
    QMenu* Arkiv1 = nullptr;
    QMenu* Kopiera1 = nullptr;
    QMenu* Skrivut1 = nullptr;
    QAction* Text1 = nullptr;
    QAction* Grafik1 = nullptr;
    QAction* Text2 = nullptr;
    QAction* Grafik2 = nullptr;
    QAction* Sparagrafik1 = nullptr;
    QAction* Stang1 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    TPaintBox* PaintBox1 = nullptr;

protected:
    Dialogs& dialogs() { return m_dialogs; }
    // Rows for a window's own controls: above the text and graph, and below them.
    QVBoxLayout* topLayout() const { return m_top; }
    QVBoxLayout* bottomLayout() const { return m_bottom; }
    // The windows' "Exit" button: closes the window as Arkiv > Stäng does. The caller places it.
    QPushButton* makeExitButton();
    // The same button placed at the bottom right.
    QPushButton* addExitButton();
    void showEvent(QShowEvent* event) override;

private:
    void BuildMenu();
    RenderFunction RenderFor(GraphTarget target);

    Dialogs& m_dialogs;
    QVBoxLayout* m_top = nullptr;
    QVBoxLayout* m_bottom = nullptr;
    QSplitter* m_splitter = nullptr;
    TLevelControl* m_level = nullptr;
    std::unique_ptr<PrinterChooser> m_own_chooser;
    PrinterChooser* m_chooser = nullptr;
    std::array<Canvas*, 4> m_echo{};
    struct ScreenMeasure;
    std::unique_ptr<ScreenMeasure> m_screen_measure;
};

// A caption in the current language; Swedish while none has been chosen yet, since that is
// the language the program starts in.
QString WindowCaption(std::string_view english, std::string_view swedish);

// Shows a result window modal to the whole program without a nested event loop: the command
// that opened it ends at once and the window frees itself when closed.
void ShowModal(QWidget* window, bool maximized = false);

}  // namespace tabulon::ui
