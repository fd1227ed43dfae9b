#include "app/run_report_window.h"

#include <QCoreApplication>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "platform/operator_texts.h"

namespace app {

RunReportWindow::RunReportWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("runReport"));
    setWindowTitle(QCoreApplication::translate("CConverterDlg", platform::texts::kReportTitle));
    m_text = new QPlainTextEdit(this);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    resize(760, 420);
}

void RunReportWindow::SetReport(const QString& summary, const QStringList& lines) {
    m_text->setPlainText(summary + QStringLiteral("\n\n") + lines.join(QLatin1Char('\n')));
}

QString RunReportWindow::Text() const { return m_text->toPlainText(); }

}  // namespace app
