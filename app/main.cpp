// kelvaron: the operator's converter. No command-line options.
#include <QApplication>

#include "app/converter_app.h"
#include "platform/message_sink.h"
#include "ui/interface_translation.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(platform::kApplicationTitle));
    app::InstallInterfaceTranslators(application);
    CConverterApp theApp;
    theApp.InitInstance();
    return theApp.ExitCode();
}
