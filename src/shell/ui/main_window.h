// MainWindow: the main window. It owns the worksheet grid, the notes, the menu and the shell's
// state; every menu command is one handler here.
#pragma once

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "shell/app_state.h"
#include "graphs/dialogs.h"
#include "shell/grid_settings.h"

class QAction;
class QMenu;
class QPlainTextEdit;
class QProgressBar;

namespace tabulon {
class Dialogs;
}

namespace tabulon::ui {

class TNumberGrid;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `dialogs` answers every question (real windows or a script); Default.par is looked
    // for in `start_directory`, or in `user_config_directory` when that cannot be written.
    MainWindow(Dialogs& dialogs, std::filesystem::path start_directory,
           std::filesystem::path user_config_directory, QWidget* parent = nullptr);
    ~MainWindow() override;

    TNumberGrid* NumberGrid1() const { return m_grid; }
    QPlainTextEdit* Memo1() const { return m_memo; }
    QProgressBar* ProgressBar1() const { return m_progress; }
    ApplicationState& state() { return m_state; }
    Dialogs& dialogs() { return m_dialogs; }

    // The menu item or submenu of a key of the menu tree ("arkiv.avsluta").
    QAction* action(const std::string& key) const;
    QMenu* menu(const std::string& key) const;
    // Runs the enabling check a top menu makes when it opens.
    void MenuOpened(const std::string& top_key);
    // Triggers a menu command as the user would, through the command dispatcher.
    void Execute(const std::string& key);
    // Wires a menu item to its handler; an item with a handler is shown (see command_table).
    void RegisterCommand(const std::string& key, std::function<void()> handler);
    // Runs a command as the menu does: a refusal's message is shown, nothing else escapes.
    void runCommand(const std::function<void()>& command);

    void SetLanguage(const std::string& name);
    void SaveGridSettings();
    void LoadGridSettings();

    // Menu commands.
    void Avsluta1Click();
    void Raderaallt1Click();
    void Behallrubriker1Click();
    void Oppna1Click();
    // Öppna after its file dialog: reads `file` (asking the text import question for .txt
    // and .csv), or shows why not and leaves the worksheet as it was. `tabulon FILE` too.
    void openFile(const std::string& file);
    void Spara1Click();
    void Sparasom1Click();
    void Visaanteckningar1Click();
    void Angra1Click();
    void Decimaler1Click();
    void Signifikantasiffror1Click();
    void Maxkolumnbredd1Click();
    void Autokolumnbredd1Click();
    void Font1Click();
    void Matrisen1Click();
    void Fixfarg1Click();
    void Markeraallt1Click();
    void Index1Click();
    void OmTabulon1Click();

    // A press on a fixed cell of the worksheet (numbers, captions, corner).
    void NumberGrid1MouseDown(int column, int row, Qt::KeyboardModifiers modifiers);
    // Every column from `first_column` on gets AutoColumnWidth + 4 in the grid font.
    void fitColumns(int first_column);

    // The one-digit code that shows the Extra menu.
    static constexpr const char* kExtraAccessCode = "7";

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void FormShow();
    void buildMenus();
    void bindCommands();
    // The "Spara data?" question and the save it may lead to; false keeps the program open.
    bool confirmDiscardOrSave();
    // Writes the worksheet and notes to `file` (asking the titles question for a text or
    // .csv export); on failure shows why and returns false with DataChanged untouched.
    bool saveTo(const std::string& file);
    // Replaces the sheet by a fresh one as both Nytt commands do.
    void newSheet(bool keep_captions);
    void updateNotesCaption();
    void setSettingsChecks(bool decimals_checked);
    int textWidth(std::string_view text) const;
    std::optional<int> askInteger(const std::string& title, const std::string& prompt, int current,
                                  int low, int high);

    Dialogs& m_dialogs;
    ApplicationState m_state;
    GridSettingsStore m_settings_store;
    TNumberGrid* m_grid;
    QPlainTextEdit* m_memo;
    QProgressBar* m_progress;
    std::map<std::string, QAction*, std::less<>> m_actions;
    std::map<std::string, QMenu*, std::less<>> m_menus;
    std::map<std::string, std::function<void()>, std::less<>> m_handlers;
    bool m_shown_once = false;
    bool m_close_confirmed = false;
    FileDialogSpec m_open_dialog;
    FileDialogSpec m_save_dialog;
};

}  // namespace tabulon::ui
