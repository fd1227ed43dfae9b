// What every dialog test needs: a private working directory (for
// ./kelvaron.ini), a tvx.ini with a data directory, the message boxes and the
// file dialog answered by the test, and a dialog that records how the engine
// locked its controls.
#pragma once

#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/converter_dlg.h"
#include "app/ui_hooks.h"
#include "catalog/connection_string.h"
#include "controls/error_box.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace app_testing {

struct Message {
    std::string text;
    std::string caption;
    platform::MessageIcon icon;
    std::string detail;
};

// A dialog that logs every EnableControl call.
class SpyDialog : public CConverterDlg {
public:
    using CConverterDlg::CConverterDlg;
    void EnableControl(int id, bool enable) override;
    std::vector<std::pair<int, bool>> EnableLog();

private:
    std::mutex mutex_;
    std::vector<std::pair<int, bool>> log_;
};

class DialogEnvironment {
public:
    // login: the catalogue tvx.ini names (the dialog only needs it open).
    explicit DialogEnvironment(const catalog::CatalogueLogin& login = {"TVX", "TVX", "QZK"});
    ~DialogEnvironment();

    const testing_support::TempDir& dir() const { return dir_; }
    const std::string& dataDir() const { return dataDir_; }
    void WriteKelvaronIni(const std::string& text) const;
    std::string KelvaronIni() const;

    // Shown (and visible) dialog; OnInitDialog has run.
    SpyDialog& OpenDialog();
    SpyDialog& dialog() { return *dialog_; }
    void CloseDialog();

    std::vector<Message> messages;
    // Questions whether to stop a run after a repeated failure, and the answer.
    std::vector<Message> questions;
    bool stopWhenAsked = true;
    // What the file dialog answers; nullopt cancels. The directories it was opened in.
    std::optional<QStringList> filesToPick;
    std::vector<QString> fileDialogDirs;

private:
    testing_support::TempDir dir_;
    std::string oldCwd_;
    std::string dataDir_;
    std::unique_ptr<testing_support::ScopedEnv> tvxIni_;
    app::MessageBoxHandler oldMessages_;
    app::FileDialogHandler oldFiles_;
    app::StopQuestionHandler oldQuestions_;
    controls::ErrorBoxHandler oldErrors_;
    std::unique_ptr<SpyDialog> dialog_;
};

// Processes events until done() or the timeout; false on timeout.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 30000);
// Clicks entry `row` of the station list as the operator would (modifiers
// as given: Ctrl adds to the selection).
void ClickStation(CConverterDlg& dialog, int row, Qt::KeyboardModifiers modifiers = {});
QStringList StationTexts(CConverterDlg& dialog);
QStringList SelectedStationTexts(CConverterDlg& dialog);

}  // namespace app_testing
