// MainWindow: construction, start-up, the menu tree, language, enabling and Exit.
#include "shell/ui/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

#include "numeric/number_text.h"
#include "graphs/dialogs.h"
#include "base/language.h"
#include "shell/menu_tree.h"
#include "shell/ui/command_table.h"
#include "graphs/ui/fonts.h"
#include "worksheet/ui/number_grid.h"
#include "worksheet/ui/worksheet_model.h"

namespace tabulon::ui {

MainWindow::MainWindow(Dialogs& dialogs, std::filesystem::path start_directory,
               std::filesystem::path user_config_directory, QWidget* parent)
    : QMainWindow(parent),
      m_dialogs(dialogs),
      m_settings_store(start_directory, std::move(user_config_directory)),
      m_grid(new TNumberGrid),
      m_memo(new QPlainTextEdit),
      m_progress(new QProgressBar) {
    m_state.StartDirectory = std::move(start_directory);
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_memo);
    layout->addWidget(m_grid, 1);
    setCentralWidget(central);
    m_progress->setRange(0, 100);
    m_progress->hide();
    statusBar()->addPermanentWidget(m_progress, 1);
    statusBar()->hide();
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->hide();

    m_grid->setMessageSink([this](const std::string& text) { m_dialogs.ShowMessage(text); });
    m_grid->setFixedColor(Qt::yellow);
    m_grid->setDecimals(2);
    m_grid->setSignificantDig(0);
    m_grid->setUndoMemory(100);
    m_grid->setExtendedSelect(true);
    m_grid->setNewLineOnReturn(true);
    connect(m_grid->sheetModel(), &WorksheetModel::contentsEdited, this,
            [this] { m_state.DataChanged = true; });
    connect(m_grid, &TNumberGrid::fixedCellPressed, this,
            [this](int column, int row, Qt::KeyboardModifiers modifiers) {
                runCommand([=, this] { NumberGrid1MouseDown(column, row, modifiers); });
            });
    buildMenus();
    bindCommands();
}

MainWindow::~MainWindow() = default;

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown_once) {
        m_shown_once = true;
        FormShow();
    }
}

void MainWindow::FormShow() {
    m_state.StartCaption = kStartCaption;
    setWindowTitle(QString::fromStdString(m_state.StartCaption));
    m_grid->editSheet([](Worksheet& sheet) { sheet.renumber(); });
    m_grid->setGridFont(ResolveFont("Times New Roman", 12, true));
    m_grid->setColumnWidthPixels(0, textWidth("100") + 4);
    m_state.MaxColumnWidth = 100;
    m_memo->hide();
    m_memo->clear();
    LoadGridSettings();
    m_state.DataChanged = false;
    action("arkiv.spara")->setEnabled(false);
    action("language.swedish")->setChecked(true);
    action("language.english")->setChecked(false);
    m_open_dialog = {"Open Tabulon file",
                     "Textfiler (*.txt)|*.TXT|Tabulon (*.tbn)|*.TBN|CSV (*.csv)|*.csv|"
                     "Alla filtyper|*.*",
                     2, ""};
    m_save_dialog = {"Save Tabulon file",
                     "Tabulon (*.tbn)|*.tbn|Text (*.txt)|*.txt|CSV (*.csv)|*.csv|Alla filer|*.*", 1,
                     "tbn"};
    CurrentTextSettings().language = Language::Swedish;
}

QAction* MainWindow::action(const std::string& key) const {
    auto it = m_actions.find(key);
    return it == m_actions.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const std::string& key) const {
    auto it = m_menus.find(key);
    return it == m_menus.end() ? nullptr : it->second;
}

void MainWindow::buildMenus() {
    const auto tree = MenuTree();
    auto has_children = [&](std::string_view key) {
        for (const MenuItemDef& item : tree) {
            if (MenuParentKey(item.key) == key) return true;
        }
        return false;
    };
    for (const MenuItemDef& item : tree) {
        const QString caption = QString::fromUtf8(item.caption.data(),
                                                  static_cast<int>(item.caption.size()));
        const std::string key(item.key);
        const std::string parent(MenuParentKey(item.key));
        QAction* act = nullptr;
        if (parent.empty() || has_children(item.key)) {
            QMenu* m = parent.empty() ? menuBar()->addMenu(caption) : m_menus[parent]->addMenu(caption);
            m_menus[key] = m;
            act = m->menuAction();
            if (parent.empty()) {
                connect(m, &QMenu::aboutToShow, this, [this, key] { MenuOpened(key); });
            }
        } else {
            act = m_menus[parent]->addAction(caption);
            if (item.shortcut) act->setShortcut(QKeySequence(QString("Ctrl+") + item.shortcut));
            connect(act, &QAction::triggered, this, [this, key] { Execute(key); });
        }
        if (item.never_visible) act->setVisible(false);
        m_actions[key] = act;
    }
    for (const char* key : {"installningar.decimaler", "installningar.signifikanta",
                            "language.swedish", "language.english"}) {
        action(key)->setCheckable(true);
    }
}

void MainWindow::RegisterCommand(const std::string& key, std::function<void()> handler) {
    m_handlers[key] = std::move(handler);
}

void MainWindow::bindCommands() {
    m_handlers = {
        {"arkiv.avsluta", [this] { Avsluta1Click(); }},
        {"arkiv.nytt.radera_allt", [this] { Raderaallt1Click(); }},
        {"arkiv.nytt.behall_rubriker", [this] { Behallrubriker1Click(); }},
        {"arkiv.oppna", [this] { Oppna1Click(); }},
        {"arkiv.spara", [this] { Spara1Click(); }},
        {"arkiv.spara_som", [this] { Sparasom1Click(); }},
        {"redigera.visa_anteckningar", [this] { Visaanteckningar1Click(); }},
        {"redigera.angra", [this] { Angra1Click(); }},
        {"redigera.decimaler", [this] { Decimaler1Click(); }},
        {"redigera.font", [this] { Font1Click(); }},
        {"redigera.farg.matrisen", [this] { Matrisen1Click(); }},
        {"redigera.farg.fixfarg", [this] { Fixfarg1Click(); }},
        {"redigera.kolumner.max_kolumnbredd", [this] { Maxkolumnbredd1Click(); }},
        {"redigera.kolumner.auto_kolumnbredd", [this] { Autokolumnbredd1Click(); }},
        {"redigera.markera_allt", [this] { Markeraallt1Click(); }},
        {"installningar.decimaler", [this] { Decimaler1Click(); }},
        {"installningar.signifikanta", [this] { Signifikantasiffror1Click(); }},
        {"installningar.font", [this] { Font1Click(); }},
        {"installningar.farg.matrisen", [this] { Matrisen1Click(); }},
        {"installningar.farg.fixfarg", [this] { Fixfarg1Click(); }},
        {"hjalp.index", [this] { Index1Click(); }},
        {"hjalp.om", [this] { OmTabulon1Click(); }},
        {"language.swedish", [this] { SetLanguage("Swedish"); }},
        {"language.english", [this] { SetLanguage("English"); }},
    };
    RegisterAllCommands(*this);
    // Commands built later stay in the tree with their captions but out of sight; a
    // submenu shows while any of its items does.
    const auto tree = MenuTree();
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) {
        const std::string key(it->key);
        QAction* act = m_actions[key];
        if (auto m = m_menus.find(key); m != m_menus.end()) {
            bool any = false;
            for (QAction* child : m->second->actions()) any = any || child->isVisible();
            act->setVisible(any && !it->never_visible);
        } else {
            act->setVisible(m_handlers.count(key) > 0 && !it->never_visible);
        }
    }
    action("extra")->setVisible(false);
}

void MainWindow::Execute(const std::string& key) {
    auto it = m_handlers.find(key);
    if (it == m_handlers.end()) return;
    runCommand(it->second);
}

void MainWindow::runCommand(const std::function<void()>& command) {
    // The one place where a refused command's message reaches the user.
    try {
        command();
    } catch (const std::exception& e) {
        m_dialogs.ShowMessage(e.what());
    }
}

void MainWindow::MenuOpened(const std::string& top_key) {
    for (const MenuSwitch& s : EnablingOnOpen(top_key, m_grid->sheet(), m_state.ModelPresent)) {
        if (QAction* a = action(std::string(s.key))) a->setEnabled(s.enabled);
    }
}

void MainWindow::SetLanguage(const std::string& name) {
    if (name == "Swedish" || name == "English") {
        const bool swedish = name == "Swedish";
        CurrentTextSettings().language = swedish ? Language::Swedish : Language::English;
        action("language.swedish")->setChecked(swedish);
        action("language.english")->setChecked(!swedish);
    }
    const Language language = CurrentLanguage();
    for (const MenuItemDef& item : MenuTree()) {
        const std::string_view caption = MenuCaption(item, language);
        const QString text = QString::fromUtf8(caption.data(), static_cast<int>(caption.size()));
        QAction* act = action(std::string(item.key));
        act->setText(text);
        if (QMenu* m = menu(std::string(item.key))) m->setTitle(text);
    }
    updateNotesCaption();
    m_open_dialog.title = ChooseText("Open Tabulon fil", "Öppna Tabulonfil");
    m_open_dialog.filter = ChooseText(
        "Textfiles (*.txt)|*.TXT|Tabulon (*.tbn)|*.TBN|CSV (*.csv)|*.csv|all file types|*.*",
        "Textfil (*.txt)|*.TXT|Tabulon (*.tbn)|*.TBN|CSV (*.csv)|*.csv|alla filtyper|*.*");
    m_save_dialog.title = ChooseText("Save Tabulon file", "Spara Tabulonfil");
    m_save_dialog.filter =
        ChooseText("Tabulon (*.tbn)|*.tbn|Text (*.txt)|*.txt|CSV (*.csv)|*.csv|All files|*.*",
                   "Tabulon (*.tbn)|*.tbn|Text (*.txt)|*.txt|CSV (*.csv)|*.csv|Alla filer|*.*");
}

void MainWindow::Avsluta1Click() { close(); }

void MainWindow::closeEvent(QCloseEvent* event) {
    // Exit and the window's close box take the same path, so unsaved data is never lost
    // without the question.
    if (!m_close_confirmed && !confirmDiscardOrSave()) {
        event->ignore();
        return;
    }
    m_close_confirmed = true;
    event->accept();
}

bool MainWindow::confirmDiscardOrSave() {
    if (!m_state.DataChanged) return true;
    // The main window's yes/no box always has Swedish buttons; the question follows Language.
    if (!m_dialogs.YesNo(ChooseText("Save data?", "Spara data?"), Language::Swedish)) return true;
    auto file = m_dialogs.SaveFileName(m_save_dialog);
    if (!file) return false;  // cancelling the save dialog goes back to the program
    if (!saveTo(*file)) return false;  // nothing saved: stay, with the data as it was
    setWindowTitle(QString::fromStdString(m_state.CurrentFileName));
    action("arkiv.spara")->setEnabled(true);
    return true;
}

}  // namespace tabulon::ui
