#include "app/ui_hooks.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <utility>

#include "platform/message_catalogue.h"
#include "platform/operator_texts.h"

namespace app {
namespace {

QString Translated(const QString& russian) {
    return QString::fromStdString(platform::TranslateMessage(russian.toStdString()));
}

template <typename Handler>
Handler& Installed() {
    static Handler handler;
    return handler;
}

}  // namespace

void ShowMessageBox(QWidget* owner, const QString& russianText, const QString& russianCaption,
                    platform::MessageIcon icon, const QString& detail) {
    // Every operator message passes here: the engine's in the interface language.
    const auto translate = Translated;
    const QString text = translate(russianText), caption = translate(russianCaption);
    const QString said = translate(detail);
    if (auto& handler = Installed<MessageBoxHandler>()) {
        handler(owner, text, caption, icon, said);
        return;
    }
    QMessageBox box(icon == platform::MessageIcon::Error     ? QMessageBox::Critical
                    : icon == platform::MessageIcon::Warning ? QMessageBox::Warning
                                                             : QMessageBox::NoIcon,
                    caption, text, QMessageBox::Ok, owner);
    if (!said.isEmpty()) box.setDetailedText(said);
    box.exec();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(Installed<MessageBoxHandler>(), std::move(handler));
}

bool AskToStopRun(QWidget* owner, const QString& russianText, const QString& russianCaption,
                  const QString& russianDetail) {
    const QString text = Translated(russianText), caption = Translated(russianCaption),
                  detail = Translated(russianDetail);
    if (auto& handler = Installed<StopQuestionHandler>())
        return handler(owner, text, caption, detail);
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setInformativeText(
        Translated(QString::fromUtf8(platform::texts::kStopAfterRepeatedFailure)));
    if (!detail.isEmpty()) box.setDetailedText(detail);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

StopQuestionHandler SetStopQuestionHandler(StopQuestionHandler handler) {
    return std::exchange(Installed<StopQuestionHandler>(), std::move(handler));
}

bool AskToStop(QWidget* owner, const QString& question) {
    const QString caption = QString::fromLatin1(platform::kApplicationTitle);
    const QString text = Translated(question);
    if (auto& handler = Installed<StopQuestionHandler>())
        return handler(owner, text, caption, QString());
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QStringList> ShowOpenFilesDialog(QWidget* owner, const QString& initialDir) {
    if (auto& handler = Installed<FileDialogHandler>()) return handler(owner, initialDir);
    QFileDialog dialog(owner, QString(), initialDir);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // "*" is this platform's every-file pattern (a dot is not required).
    dialog.setNameFilter(
        QCoreApplication::translate("CConverterDlg", platform::texts::kAllFilesFilter));
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFiles();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(Installed<FileDialogHandler>(), std::move(handler));
}

}  // namespace app
