// The dialog's modal boxes go through here so that tests can answer them:
// operator messages, the question whether to stop a run, and the open-file
// dialog. Without a handler the real boxes are shown.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "platform/message_sink.h"

class QWidget;

namespace app {

using MessageBoxHandler =
    std::function<void(QWidget* owner, const QString& text, const QString& caption,
                       platform::MessageIcon icon, const QString& detail)>;
// Modal message box with an OK button, owned by owner (none when null); a
// detail that is not empty is the box's detailed text. Text and caption are
// put into the interface language on the way.
void ShowMessageBox(QWidget* owner, const QString& text, const QString& caption,
                    platform::MessageIcon icon, const QString& detail = {});
// Routes ShowMessageBox to handler (empty: the real box); returns the old one.
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

using StopQuestionHandler = std::function<bool(QWidget* owner, const QString& text,
                                               const QString& caption, const QString& detail)>;
// A failure shown with the question whether to stop the run (Yes / No);
// true for Yes.
bool AskToStopRun(QWidget* owner, const QString& text, const QString& caption,
                  const QString& detail);
StopQuestionHandler SetStopQuestionHandler(StopQuestionHandler handler);
// The question alone (stop the run? quit during it?), through the same
// handler with the application's title as caption; true for Yes.
bool AskToStop(QWidget* owner, const QString& question);

using FileDialogHandler =
    std::function<std::optional<QStringList>(QWidget* owner, const QString& initialDir)>;
// The open-file dialog, several files at once, starting in initialDir. Full
// paths in the dialog's order; nullopt when cancelled.
std::optional<QStringList> ShowOpenFilesDialog(QWidget* owner, const QString& initialDir);
FileDialogHandler SetFileDialogHandler(FileDialogHandler handler);

}  // namespace app
