// The report of the dialog's last run: the summary line whole, then each
// message and each recording converted, partly converted, not converted or
// skipped with its reason, as `kelvaron-batch -v` prints them. Read-only,
// beside the dialog; opened by a click on status pane 0 after a run.
#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;

namespace app {

class RunReportWindow final : public QDialog {
    Q_OBJECT

public:
    explicit RunReportWindow(QWidget* parent);
    void SetReport(const QString& summary, const QStringList& lines);
    QString Text() const;

private:
    QPlainTextEdit* m_text = nullptr;
};

}  // namespace app
