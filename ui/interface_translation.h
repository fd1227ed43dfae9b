// Puts the chosen interface language into effect for a Qt application: our
// own catalogue (the source texts are Russian, so only English needs one) and
// Qt's own catalogues, so that the file dialog, the edit fields' menus and the
// standard buttons speak the same language as the rest.
#pragma once

#include "platform/interface_language.h"

class QCoreApplication;

namespace app {

// Installs the translators on `application` (they live as long as it does)
// and makes the language the default locale. Returns false when one of the
// catalogues could not be loaded (the texts then stay as they are).
bool InstallInterfaceTranslators(QCoreApplication& application,
                                 platform::InterfaceLanguage language);
bool InstallInterfaceTranslators(QCoreApplication& application);
// Takes them out again (a language switch, the tests).
void RemoveInterfaceTranslators(QCoreApplication& application);

}  // namespace app
