// The operator's error message box: modal, owned by a widget, error icon and
// an OK button. Tests replace the box so that they do not block on it.
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace controls {

void ShowErrorBox(QWidget* owner, const QString& text, const QString& caption);

using ErrorBoxHandler =
    std::function<void(QWidget* owner, const QString& text, const QString& caption)>;
// Routes ShowErrorBox to handler (an empty handler restores the modal box);
// returns the handler it replaces.
ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler);

}  // namespace controls
