#include "controls/error_box.h"

#include <QMessageBox>
#include <utility>

namespace controls {
namespace {

ErrorBoxHandler& Handler() {
    static ErrorBoxHandler handler;
    return handler;
}

}  // namespace

void ShowErrorBox(QWidget* owner, const QString& text, const QString& caption) {
    if (Handler()) {
        Handler()(owner, text, caption);
        return;
    }
    QMessageBox::critical(owner, caption, text, QMessageBox::Ok);
}

ErrorBoxHandler SetErrorBoxHandler(ErrorBoxHandler handler) {
    return std::exchange(Handler(), std::move(handler));
}

}  // namespace controls
