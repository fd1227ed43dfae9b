// Shared set-up of the widget tests: the one QApplication, a palette with
// distinct button colours, generated icons and synthetic mouse events.
#pragma once

#include <QApplication>
#include <QIcon>
#include <QImage>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace widgets_test {

inline QApplication& EnsureQtApp() {
    static int argc = 1;
    static char name[] = "widgets_tests";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Button colours no style would pick, so every painted pixel says where it came from.
inline const QColor kFace(200, 190, 180);
inline const QColor kText(10, 20, 30);
inline const QColor kShadow(90, 80, 70);
inline const QColor kHighlight(250, 245, 240);

inline QPalette TestPalette() {
    QPalette palette = QApplication::palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Button, kFace);
        palette.setColor(group, QPalette::ButtonText, kText);
        palette.setColor(group, QPalette::Dark, kShadow);
        palette.setColor(group, QPalette::Light, kHighlight);
        palette.setColor(group, QPalette::Window, QColor(1, 2, 3));
    }
    return palette;
}

inline QImage SolidImage(QSize size, QColor color) {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    return image;
}

inline QIcon SolidIcon(QSize size, QColor color) {
    return QIcon(QPixmap::fromImage(SolidImage(size, color)));
}

inline void SendMouseMove(QWidget* widget, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void SendMouse(QWidget* widget, QEvent::Type type, QPoint pos, Qt::MouseButtons buttons) {
    QMouseEvent event(type, pos, widget->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace widgets_test
