// The test-against-a-constant window.
#include "univariate/ui/ktest_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "graphs/ui/level_control.h"
#include "numeric/number_text.h"
#include "graphs/dialogs.h"
#include "base/language.h"

namespace tabulon::ui {

TKTest::TKTest(Dialogs& dialogs, KTestSample sample, QWidget* parent)
    : TResultWindow(dialogs, parent), m_sample(std::move(sample)) {
    setObjectName("TKTest");
    setWindowTitle(QString::fromStdString(KTestCaption(m_sample.name)));
    auto* row = new QHBoxLayout;
    NyKonstant = new QPushButton(WindowCaption("New constant", "Ny konstant"), this);
    NyKonstant->setObjectName("NyKonstant");
    ExitButton = makeExitButton();
    row->addWidget(NyKonstant);
    row->addStretch(1);
    row->addWidget(ExitButton);
    bottomLayout()->addLayout(row);
    connect(NyKonstant, &QPushButton::clicked, this, [this] { NyKonstantClick(); });
    enableLevelControl(ConstantTestLevelRules());
    Recompute();
}

double& TKTest::LastConstant() {
    static double constant = 0;
    return constant;
}

void TKTest::AskConstant() {
    const KXAnswer answer = dialogs().KXDialog(ChooseText("Value of constant", "Konstantens värde"),
                                               FormatShortest(LastConstant(), DecimalSeparator()));
    if (answer.ok) {
        LastConstant() = static_cast<double>(StrToNumber(answer.answer, DecimalSeparator()));
    }
    Recompute();
    Refresh();
}

void TKTest::NyKonstantClick() {
    try {
        AskConstant();
    } catch (const ConversionError& e) {
        dialogs().ShowMessage(e.what());
    }
}

void TKTest::Recompute() {
    m_result = ComputeKTest(m_sample, LastConstant(), levelControl()->level());
}

std::string TKTest::ResultText() {
    std::string text;
    for (const std::string& line : KTestResultLines(m_sample, m_result)) text += line + '\r';
    return text;
}

std::string TKTest::DisplayText() {
    std::string text;
    for (const std::string& line : KTestLines(m_sample, m_result)) text += line + '\n';
    return text;
}

void TKTest::RenderGraph(Canvas& canvas, int width, int height) {
    RenderKTestGraph(canvas, width, height, m_sample, m_result);
}

}  // namespace tabulon::ui
