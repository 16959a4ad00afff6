// The entry window of the t-test and F-test on typed values.
#include "univariate/ui/ttest_manual_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/result_window.h"
#include "numeric/number_text.h"
#include "graphs/dialogs.h"
#include "base/language.h"
#include "worksheet/text_helpers.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TTtestmanual::TTtestmanual(Dialogs& dialogs, ManualMode mode, QWidget* parent)
    : QDialog(parent), m_dialogs(dialogs), m_mode(mode) {
    setObjectName("TTtestmanual");
    setWindowTitle(mode == ManualMode::TTest ? "t-test" : "F-test");
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const bool f = mode == ManualMode::FTest;
    const std::array<QString, 6> captions{WindowCaption("mean 1", "medelv 1"), "s1", "n1",
                                          WindowCaption("mean 2", "medelv 2"), "s2", "n2"};
    for (int i = 0; i < 6; ++i) {
        Labels[i] = new QLabel(captions[i], this);
        Edits[i] = new QLineEdit(this);
        Edits[i]->setObjectName(QString("Edit%1").arg(i + 1));
        const int row = (i / 3) * 2;
        grid->addWidget(Labels[i], row, i % 3);
        grid->addWidget(Edits[i], row + 1, i % 3);
    }
    Labels[kMean1]->setVisible(!f);
    Edits[kMean1]->setVisible(!f);
    Labels[kMean2]->setVisible(!f);
    Edits[kMean2]->setVisible(!f);
    layout->addLayout(grid);

    auto* level_row = new QHBoxLayout;
    level_row->addWidget(new QLabel(WindowCaption("Level (%)", "Nivå (%)"), this));
    LevelEdit = new QLineEdit("5", this);
    LevelEdit->setObjectName("LevelEdit");
    level_row->addWidget(LevelEdit);
    layout->addLayout(level_row);

    TwoSidedLine = new QLabel(this);
    TwoSidedVerdict = new QLabel(this);
    OneSidedLine = new QLabel(this);
    OneSidedVerdict = new QLabel(this);
    for (QLabel* l : {TwoSidedLine, TwoSidedVerdict, OneSidedLine, OneSidedVerdict}) {
        layout->addWidget(l);
    }

    auto* buttons = new QHBoxLayout;
    Berakna = new QPushButton(WindowCaption("Calculate", "Beräkna"), this);
    Rensa = new QPushButton(WindowCaption("Clear", "Rensa"), this);
    SokTwoSided = new QPushButton(WindowCaption("Find lowest level", "Sök lägsta nivå"), this);
    SokOneSided = new QPushButton(WindowCaption("Find lowest level", "Sök lägsta nivå"), this);
    ExitButton = new QPushButton("Exit", this);
    SokTwoSided->setToolTip(WindowCaption("Double sided test", "Dubbelsidigt test"));
    SokOneSided->setToolTip(WindowCaption("Single sided test", "Enkelsidigt test"));
    SokTwoSided->setObjectName("SokTwoSided");
    SokOneSided->setObjectName("SokOneSided");
    for (QPushButton* b : {Berakna, Rensa, SokTwoSided, SokOneSided, ExitButton}) {
        buttons->addWidget(b);
        b->setAutoDefault(false);
    }
    layout->addLayout(buttons);

    connect(Berakna, &QPushButton::clicked, this, [this] { BerakanClick(); });
    connect(Rensa, &QPushButton::clicked, this, [this] { RensaClick(); });
    connect(SokTwoSided, &QPushButton::clicked, this, [this] { SokLagstaClick(TestSides::Two); });
    connect(SokOneSided, &QPushButton::clicked, this, [this] { SokLagstaClick(TestSides::One); });
    connect(ExitButton, &QPushButton::clicked, this, [this] { close(); });
    for (int i : {kMean1, kS1, kMean2, kS2}) {
        QLineEdit* edit = Edits[i];
        connect(edit, &QLineEdit::editingFinished, this, [this, edit] { NormalizeField(edit); });
    }
    for (int i : {kN1, kN2}) {
        connect(Edits[i], &QLineEdit::textEdited, this,
                [this, i](const QString& text) { KeepInteger(i, text); });
    }
    connect(LevelEdit, &QLineEdit::editingFinished, this, [this] { NormalizeField(LevelEdit); });
    RensaClick();
}

void TTtestmanual::Fill(const ManualFInputs& in) {
    const char sep = DecimalSeparator();
    Edits[kS1]->setText(Q(FormatShortest(in.s1, sep)));
    Edits[kS2]->setText(Q(FormatShortest(in.s2, sep)));
    Edits[kN1]->setText(QString::number(in.n1));
    Edits[kN2]->setText(QString::number(in.n2));
    m_last_integer_text[kN1] = Edits[kN1]->text();
    m_last_integer_text[kN2] = Edits[kN2]->text();
}

void TTtestmanual::NormalizeField(QLineEdit* edit) {
    // A typed point or comma becomes the separator in use; what is no number stays as typed
    // for Beräkna to report.
    const std::string text = edit->text().toStdString();
    if (text.empty()) return;
    try {
        edit->setText(Q(NormalizeDecimalSeparator(text)));
    } catch (const ConversionError&) {
    }
}

void TTtestmanual::KeepInteger(int index, const QString& text) {
    // Counts take whole numbers only: a keystroke that would make anything else is undone.
    if (text.isEmpty() || ParseInteger(text.toStdString())) {
        m_last_integer_text[static_cast<std::size_t>(index)] = text;
    } else {
        Edits[static_cast<std::size_t>(index)]->setText(
            m_last_integer_text[static_cast<std::size_t>(index)]);
    }
}

void TTtestmanual::RensaClick() {
    for (QLineEdit* e : Edits) e->clear();
    m_last_integer_text = {};
    TwoSidedLine->clear();
    OneSidedLine->clear();
    TwoSidedVerdict->setText(WindowCaption("Double sided test", "Dubbelsidigt test"));
    OneSidedVerdict->setText(WindowCaption("Single sided test", "Enkelsidigt test"));
}

bool TTtestmanual::Calculate(bool show_clamped_level) {
    const char sep = DecimalSeparator();
    auto number = [&](int i) {
        return ParseNumber(Edits[static_cast<std::size_t>(i)]->text().toStdString(), sep);
    };
    auto count = [&](int i) {
        return ParseInteger(Edits[static_cast<std::size_t>(i)]->text().toStdString());
    };
    auto fail = [&] {
        m_dialogs.ShowInfo(ChooseText("Error in data", "Fel i indata"));
        return false;
    };
    const auto typed_level = ParseNumber(LevelEdit->text().toStdString(), sep);
    if (!typed_level) return fail();
    const ClampedLevel level = ClampManualLevel(*typed_level, sep);
    if (show_clamped_level && !level.field_text.empty()) LevelEdit->setText(Q(level.field_text));

    const auto s1 = number(kS1), s2 = number(kS2);
    const auto n1 = count(kN1), n2 = count(kN2);
    if (!s1 || !s2 || !n1 || !n2) return fail();
    if (m_mode == ManualMode::TTest) {
        const auto m1 = number(kMean1), m2 = number(kMean2);
        if (!m1 || !m2) return fail();
        const auto r = ComputeManualTTest({*m1, *s1, *n1, *m2, *s2, *n2}, level.level);
        if (!r) return fail();
        m_statistic = r->u;
        m_df = r->df;
        TwoSidedLine->setText(Q(ManualTTestLine(*r, TestSides::Two)));
        OneSidedLine->setText(Q(ManualTTestLine(*r, TestSides::One)));
        TwoSidedVerdict->setText(Q(ManualVerdict(TestSides::Two, r->two.significant)));
        OneSidedVerdict->setText(Q(ManualVerdict(TestSides::One, r->one.significant)));
    } else {
        const auto r = ComputeFTest({*s1, *s2, *n1, *n2}, level.level);
        if (!r) return fail();
        m_statistic = r->F;
        m_df = r->df_num;
        m_df_den = r->df_den;
        TwoSidedLine->setText(Q(FTestLine(*r, TestSides::Two)));
        OneSidedLine->setText(Q(FTestLine(*r, TestSides::One)));
        TwoSidedVerdict->setText(Q(ManualVerdict(TestSides::Two, r->two.significant)));
        OneSidedVerdict->setText(Q(ManualVerdict(TestSides::One, r->one.significant)));
    }
    return true;
}

void TTtestmanual::BerakanClick() {
    Calculate();
}

void TTtestmanual::SokLagstaClick(TestSides sides) {
    if (!Calculate()) return;
    const Extended level = m_mode == ManualMode::TTest
                               ? FindLowestManualTLevel(m_statistic, m_df, sides)
                               : FindLowestFLevel(m_statistic, m_df, m_df_den, sides);
    // 20.01 (20.05) says "not significant at 20 %"; the field keeps it while the test is
    // shown at 20 %.
    LevelEdit->setText(Q(FormatFixed(level, 2, DecimalSeparator())));
    Calculate(false);
}

}  // namespace tabulon::ui
