// MainWindow: the Arkiv commands on worksheet files (Nytt, Öppna, Spara, Spara som) and the notes.
#include <QAction>
#include <QPlainTextEdit>

#include "graphs/dialogs.h"
#include "base/language.h"
#include "shell/ui/main_window.h"
#include "worksheet/ui/number_grid.h"
#include "worksheet/ui/worksheet_model.h"
#include "worksheet/worksheet_file.h"

namespace tabulon::ui {

bool MainWindow::saveTo(const std::string& file) {
    bool titles = false;
    if (SaveKindOf(file) != WorksheetFileKind::Worksheet) {
        const std::string answer =
            m_dialogs.InputBox(ChooseText("Column and row titles", "Kolumn- och radrubriker"),
                               ChooseText("Save column and row titles (Y/N)?",
                                          "Spara kolumn- och radrubriker (J/N)?"),
                               "");
        titles = answer == "Y" || answer == "y" || answer == "J" || answer == "j";
    }
    m_grid->sheetModel()->setNotes(m_memo->toPlainText().toStdString());
    const SaveResult saved = SaveWorksheet(m_grid->sheet(), file, titles);
    if (!saved.ok) {
        m_dialogs.ShowMessage(saved.error);
        return false;
    }
    m_state.CurrentFileName = saved.file_name;
    m_state.DataChanged = false;
    return true;
}

void MainWindow::newSheet(bool keep_captions) {
    // Nytt throws the sheet away: unsaved work gets the same question as Exit.
    if (!confirmDiscardOrSave()) return;
    const bool changed = m_state.DataChanged;  // Nytt neither sets nor clears it
    m_grid->editSheet([keep_captions](Worksheet& sheet) {
        if (keep_captions) {
            ClearWorksheetData(sheet, Worksheet::kStartColumns - 1, Worksheet::kStartRows - 1);
        } else {
            ResetWorksheet(sheet, Worksheet::kStartColumns - 1, Worksheet::kStartRows - 1);
        }
        sheet.setNotes({});
    });
    m_grid->clearUndo();
    m_memo->clear();
    m_state.DataChanged = changed;
    setWindowTitle(QString::fromStdString(m_state.StartCaption));
    action("arkiv.spara")->setEnabled(false);
}

void MainWindow::Raderaallt1Click() { newSheet(false); }

void MainWindow::Behallrubriker1Click() { newSheet(true); }

void MainWindow::Oppna1Click() {
    if (!confirmDiscardOrSave()) return;
    const auto file = m_dialogs.OpenFileName(m_open_dialog);
    if (file) openFile(*file);
}

void MainWindow::openFile(const std::string& file) {
    TextImportOptions import;
    const WorksheetFileKind kind = LoadKindOf(file);
    if (kind == WorksheetFileKind::Text || kind == WorksheetFileKind::Csv) {
        const auto chosen = m_dialogs.AskTextImport();
        if (!chosen) {
            m_dialogs.ShowMessage(std::string(kFileFormatError));
            return;
        }
        import = *chosen;
    }
    // The file is read into a sheet of its own; the worksheet changes only on success.
    LoadResult loaded = LoadWorksheet(file, import);
    if (!loaded.ok) {
        m_dialogs.ShowMessage(loaded.error);
        return;
    }
    const std::string notes = loaded.sheet.notes();
    m_grid->setSheet(std::move(loaded.sheet));
    // The old sheet's edits would write into the file just read.
    m_grid->clearUndo();
    m_memo->setPlainText(QString::fromStdString(notes));
    m_state.CurrentFileName = file;
    m_state.DataChanged = false;
    setWindowTitle(QString::fromStdString(file));
    m_grid->setCursorCell(2, 2);
    action("arkiv.spara")->setEnabled(true);
}

void MainWindow::Spara1Click() {
    if (m_state.CurrentFileName.empty()) {
        Sparasom1Click();
        return;
    }
    saveTo(m_state.CurrentFileName);
}

void MainWindow::Sparasom1Click() {
    const auto file = m_dialogs.SaveFileName(m_save_dialog);
    if (!file || !saveTo(*file)) return;
    setWindowTitle(QString::fromStdString(m_state.CurrentFileName));
    action("arkiv.spara")->setEnabled(true);
}

void MainWindow::Visaanteckningar1Click() {
    m_memo->setVisible(!m_memo->isVisible());
    updateNotesCaption();
}

void MainWindow::updateNotesCaption() {
    const bool shown = m_memo->isVisible();
    action("redigera.visa_anteckningar")
        ->setText(QString::fromStdString(shown ? ChooseText("Hide notes", "Göm anteckningar")
                                               : ChooseText("Show notes", "Visa anteckningar")));
}

}  // namespace tabulon::ui
