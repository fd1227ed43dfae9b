#include "app/converter_app.h"

#include <clocale>

#include "app/converter_dlg.h"
#include "app/ui_hooks.h"
#include "catalog/catalogue.h"
#include "ui/text_8bit.h"

void StartupMessages::ShowMessage(const std::string& text, const std::string& caption,
                                  platform::MessageIcon icon) {
    app::ShowMessageBox(nullptr, app::FromText8(text), app::FromText8(caption), icon);
}

bool CConverterApp::InitInstance() {
    // The window system's library has taken the locale of the environment;
    // recorder texts, trace headers and catalogue filters are read and
    // written with a decimal point whatever the operator's language.
    std::setlocale(LC_NUMERIC, "C");
    StartupMessages messages;
    if (!OpenCatalogue(theDatabase, messages)) {
        m_exitCode = 1;
        return false;
    }
    {
        CConverterDlg dialog(theDatabase);
        RunDialog(dialog);
    }
    theDatabase.Close();
    m_exitCode = 0;
    return false;
}

int CConverterApp::RunDialog(CConverterDlg& dialog) { return dialog.DoModal(); }
