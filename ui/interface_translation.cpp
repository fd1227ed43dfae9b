#include "ui/interface_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "platform/message_catalogue.h"

namespace app {

namespace {

bool Install(QCoreApplication& application, const QString& name, const QString& dir) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(name, dir)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

}  // namespace

bool InstallInterfaceTranslators(QCoreApplication& application,
                                 platform::InterfaceLanguage language) {
    platform::SetMessageLanguage(language);
    const QString qtDir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (language == platform::InterfaceLanguage::English) {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        return Install(application, QStringLiteral("kelvaron_en"), QStringLiteral(":/i18n"));
    }
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    return Install(application, QStringLiteral("qtbase_ru"), qtDir);
}

void RemoveInterfaceTranslators(QCoreApplication& application) {
    for (QTranslator* t : application.findChildren<QTranslator*>(Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(t);
        delete t;
    }
    QLocale::setDefault(QLocale::system());
    platform::SetMessageLanguage(platform::InterfaceLanguage::Russian);
}

bool InstallInterfaceTranslators(QCoreApplication& application) {
    return InstallInterfaceTranslators(application, platform::CurrentInterfaceLanguage());
}

}  // namespace app
