// TTtestmanual: the entry window of the t-test and the F-test on typed summary values (mean,
// s, n), with level clamping and the two "Sök lägsta nivå" buttons.
#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "univariate/ftest.h"
#include "univariate/ttest_manual.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace tabulon {
class Dialogs;
}

namespace tabulon::ui {

enum class ManualMode { TTest, FTest };

class TTtestmanual : public QDialog {
    Q_OBJECT
public:
    TTtestmanual(Dialogs& dialogs, ManualMode mode, QWidget* parent = nullptr);

    ManualMode mode() const { return m_mode; }
    // Fills the F-test fields from two columns' s and n.
    void Fill(const ManualFInputs& inputs);

    void BerakanClick();                   // "Beräkna": calculate
    void RensaClick();                     // "Rensa": clear
    void SokLagstaClick(TestSides sides);  // "Sök lägsta nivå", two-sided or one-sided

    // The fields: t-test mode mean 1, s1, n1, mean 2, s2, n2; the F-test hides the means.
    std::array<QLineEdit*, 6> Edits{};
    std::array<QLabel*, 6> Labels{};
    QLineEdit* LevelEdit = nullptr;
    QLabel* TwoSidedLine = nullptr;     // "u=… > … = t(2,5%, 20)"
    QLabel* TwoSidedVerdict = nullptr;  // "Dubbelsidigt test…"
    QLabel* OneSidedLine = nullptr;
    QLabel* OneSidedVerdict = nullptr;
    QPushButton* Berakna = nullptr;
    QPushButton* Rensa = nullptr;
    QPushButton* ExitButton = nullptr;
    QPushButton* SokTwoSided = nullptr;
    QPushButton* SokOneSided = nullptr;

    // Field indices.
    static constexpr int kMean1 = 0, kS1 = 1, kN1 = 2, kMean2 = 3, kS2 = 4, kN2 = 5;

private:
    // Reads the fields and the clamped level and shows both sides; false (after "Fel i
    // indata") when a field cannot be read or the values allow no test.
    // `show_clamped_level` writes a clamped level back into the field.
    bool Calculate(bool show_clamped_level = true);
    void NormalizeField(QLineEdit* edit);
    void KeepInteger(int index, const QString& text);

    Dialogs& m_dialogs;
    ManualMode m_mode;
    std::array<QString, 6> m_last_integer_text;
    Extended m_statistic = 0;  // u or F of the last calculation
    int m_df = 0;
    int m_df_den = 0;
};

}  // namespace tabulon::ui
