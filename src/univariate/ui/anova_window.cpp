// The analysis of variance window.
#include "univariate/ui/anova_window.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "graphs/ui/level_control.h"
#include "univariate/ui/bonferroni_window.h"

namespace tabulon::ui {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QLineEdit* ReadOnlyField(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    return edit;
}

}  // namespace

AnovaWindow::AnovaWindow(Dialogs& dialogs, std::vector<AnovaGroup> groups, QWidget* parent)
    : TResultWindow(dialogs, parent), m_groups(std::move(groups)) {
    setObjectName("AnovaWindow");
    setWindowTitle(Q(AnovaCaption()));

    const auto rows = AnovaTableRows(m_groups);
    const auto headings = AnovaTableHeadings();
    GroupTable = new QTableWidget(static_cast<int>(rows.size()), static_cast<int>(headings.size()),
                                  this);
    GroupTable->setObjectName("GroupTable");
    QStringList labels;
    for (const std::string& h : headings) labels << Q(h);
    GroupTable->setHorizontalHeaderLabels(labels);
    for (int r = 0; r < GroupTable->rowCount(); ++r) {
        for (int c = 0; c < GroupTable->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(Q(rows[static_cast<std::size_t>(r)]
                                                    [static_cast<std::size_t>(c)]));
            if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            GroupTable->setItem(r, c, item);
        }
    }
    GroupTable->verticalHeader()->hide();
    GroupTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GroupTable->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < GroupTable->columnCount(); ++c) {
        GroupTable->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }

    auto* squares = new QGroupBox(WindowCaption("Sum of squares", "Kvadratsummor"), this);
    auto* form = new QFormLayout(squares);
    MellanEdit = ReadOnlyField(squares, "MellanEdit");
    InomEdit = ReadOnlyField(squares, "InomEdit");
    form->addRow(WindowCaption("Between columns", "Mellan kolumner"), MellanEdit);
    form->addRow(WindowCaption("Within columns", "Inom kolumner"), InomEdit);

    FLabel = new QLabel(this);
    FLabel->setObjectName("FLabel");
    auto* significance = new QGroupBox(WindowCaption("Significance", "Signifikans"), this);
    VerdictLabel = new QLabel(significance);
    VerdictLabel->setObjectName("VerdictLabel");
    VerdictLabel->setWordWrap(true);
    (new QVBoxLayout(significance))->addWidget(VerdictLabel);
    BonferroniButton = new QPushButton("Bonferroni", this);
    BonferroniButton->setObjectName("BonferroniButton");
    connect(BonferroniButton, &QPushButton::clicked, this, [this] { BonferroniClick(); });

    auto* side = new QVBoxLayout;
    side->addWidget(squares);
    side->addWidget(FLabel);
    side->addWidget(significance);
    side->addWidget(BonferroniButton, 0, Qt::AlignLeft);
    side->addStretch(1);
    auto* row = new QHBoxLayout;
    row->addWidget(GroupTable, 3);
    row->addLayout(side, 2);
    topLayout()->addLayout(row);

    // The text of Kopiera > Text only restates the fields above: the graph takes the width.
    Memo1->hide();
    enableLevelControl(SignificanceLevelRules());
    addExitButton();
    resize(900, 720);
    Recompute();
}

void AnovaWindow::Recompute() {
    m_result = ComputeAnova(m_groups, levelControl() ? levelControl()->level() : Extended(5));
    MellanEdit->setText(Q(MeanSquareText(m_result.ms_between)));
    InomEdit->setText(Q(MeanSquareText(m_result.ms_within)));
    FLabel->setText(Q(AnovaFLine(m_result)));
    VerdictLabel->setText(Q(AnovaVerdict(m_result)));
    BonferroniButton->setVisible(m_result.significant);
}

std::string AnovaWindow::ResultText() {
    std::string text;
    for (const std::string& line : AnovaResultLines(m_groups, m_result)) text += line + '\r';
    // The clipboard takes at most 64000 bytes; a hundred long names stay far below it.
    if (text.size() > 64000) text.resize(64000);
    return text;
}

void AnovaWindow::RenderGraph(Canvas& canvas, int width, int height) {
    RenderAnovaGraph(canvas, width, height, m_groups);
}

BonferroniWindow* AnovaWindow::BonferroniClick() {
    auto* window = new BonferroniWindow(dialogs(), m_groups, m_result, this);
    ShowModal(window);
    return window;
}

}  // namespace tabulon::ui
