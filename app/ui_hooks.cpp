#include "app/ui_hooks.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <utility>

#include "platform/message_catalogue.h"

namespace app {
namespace {

MessageBoxHandler& MessageHandler() {
    static MessageBoxHandler handler;
    return handler;
}

FileDialogHandler& FileHandler() {
    static FileDialogHandler handler;
    return handler;
}

}  // namespace

void ShowMessageBox(QWidget* owner, const QString& russianText, const QString& russianCaption,
                    platform::MessageIcon icon) {
    // Every operator message passes here: the engine's in the interface language.
    const auto translate = [](const QString& t) {
        return QString::fromStdString(platform::TranslateMessage(t.toStdString()));
    };
    const QString text = translate(russianText), caption = translate(russianCaption);
    if (MessageHandler()) {
        MessageHandler()(owner, text, caption, icon);
        return;
    }
    QMessageBox box(
        icon == platform::MessageIcon::Error ? QMessageBox::Critical : QMessageBox::NoIcon, caption,
        text, QMessageBox::Ok, owner);
    box.exec();
}

MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(MessageHandler(), std::move(handler));
}

std::optional<QStringList> ShowOpenFilesDialog(QWidget* owner, const QString& initialDir) {
    if (FileHandler()) return FileHandler()(owner, initialDir);
    QFileDialog dialog(owner, QString(), initialDir);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // "*" is this platform's every-file pattern (a dot is not required).
    dialog.setNameFilter(QCoreApplication::translate("CConverterDlg", "Все файлы (*)"));
    dialog.setWindowModality(Qt::WindowModal);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.selectedFiles();
}

FileDialogHandler SetFileDialogHandler(FileDialogHandler handler) {
    return std::exchange(FileHandler(), std::move(handler));
}

}  // namespace app
