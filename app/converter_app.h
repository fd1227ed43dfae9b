// CConverterApp: start-up. Opens the catalogue, runs the main dialog modally,
// closes the catalogue. A refused catalogue ends the program after its
// message, without the dialog.
#pragma once

#include "platform/message_sink.h"

class CConverterDlg;

class CConverterApp {
public:
    virtual ~CConverterApp() = default;

    // Returns false in every case, as the program ends with it; the process's
    // exit status is ExitCode().
    bool InitInstance();
    int ExitCode() const { return m_exitCode; }

protected:
    // The modal run of the dialog (tests replace it).
    virtual int RunDialog(CConverterDlg& dialog);

private:
    int m_exitCode = 0;
};

// Start-up messages, before any window exists.
class StartupMessages : public platform::MessageSink {
public:
    void ShowMessage(const std::string& text, const std::string& caption,
                     platform::MessageIcon icon) override;
};
