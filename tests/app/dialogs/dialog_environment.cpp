#include "tests/app/dialogs/dialog_environment.h"

#include <QListWidget>
#include <QTest>
#include <filesystem>

#include "catalog/catalogue.h"
#include "tests/support/catalogue_backends.h"

namespace app_testing {

void SpyDialog::EnableControl(int id, bool enable) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        log_.emplace_back(id, enable);
    }
    CConverterDlg::EnableControl(id, enable);
}

std::vector<std::pair<int, bool>> SpyDialog::EnableLog() {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
}

DialogEnvironment::DialogEnvironment(const catalog::CatalogueLogin& login) {
    oldCwd_ = std::filesystem::current_path().string();
    std::filesystem::current_path(dir_.path());
    dataDir_ = dir_.File("data");
    std::filesystem::create_directory(dataDir_);
    testing_support::WriteTvxIni(dir_.File("tvx.ini"), login, dataDir_);
    tvxIni_ = std::make_unique<testing_support::ScopedEnv>("TVX_INI", dir_.File("tvx.ini"));
    oldMessages_ = app::SetMessageBoxHandler([this](QWidget*, const QString& text,
                                                    const QString& caption,
                                                    platform::MessageIcon icon,
                                                    const QString& detail) {
        messages.push_back({text.toStdString(), caption.toStdString(), icon, detail.toStdString()});
    });
    oldQuestions_ = app::SetStopQuestionHandler(
        [this](QWidget*, const QString& text, const QString& caption, const QString& detail) {
            questions.push_back({text.toStdString(), caption.toStdString(),
                                 platform::MessageIcon::Error, detail.toStdString()});
            return stopWhenAsked;
        });
    oldErrors_ =
        controls::SetErrorBoxHandler([this](QWidget*, const QString& text, const QString& caption) {
            messages.push_back(
                {text.toStdString(), caption.toStdString(), platform::MessageIcon::Error, {}});
        });
    oldFiles_ = app::SetFileDialogHandler([this](QWidget*, const QString& initialDir) {
        fileDialogDirs.push_back(initialDir);
        return filesToPick;
    });
}

DialogEnvironment::~DialogEnvironment() {
    CloseDialog();
    app::SetMessageBoxHandler(std::move(oldMessages_));
    app::SetFileDialogHandler(std::move(oldFiles_));
    app::SetStopQuestionHandler(std::move(oldQuestions_));
    controls::SetErrorBoxHandler(std::move(oldErrors_));
    std::filesystem::current_path(oldCwd_);
}

void DialogEnvironment::WriteKelvaronIni(const std::string& text) const {
    dir_.Write("kelvaron.ini", text);
}

std::string DialogEnvironment::KelvaronIni() const {
    return testing_support::ReadFileBytes(dir_.File("kelvaron.ini"));
}

SpyDialog& DialogEnvironment::OpenDialog() {
    dialog_ = std::make_unique<SpyDialog>(theDatabase);
    dialog_->show();
    (void)QTest::qWaitForWindowExposed(dialog_.get());
    return *dialog_;
}

void DialogEnvironment::CloseDialog() {
    if (!dialog_) return;
    if (dialog_->isVisible()) dialog_->close();
    dialog_.reset();
}

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

static QListWidget* Stations(CConverterDlg& dialog) {
    return static_cast<QListWidget*>(dialog.GetDlgItem(1000));
}

void ClickStation(CConverterDlg& dialog, int row, Qt::KeyboardModifiers modifiers) {
    QListWidget* list = Stations(dialog);
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, r.center());
}

QStringList StationTexts(CConverterDlg& dialog) {
    QStringList texts;
    QListWidget* list = Stations(dialog);
    for (int i = 0; i < list->count(); ++i) texts << list->item(i)->text();
    return texts;
}

QStringList SelectedStationTexts(CConverterDlg& dialog) {
    QStringList texts;
    QListWidget* list = Stations(dialog);
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) texts << list->item(i)->text();
    return texts;
}

}  // namespace app_testing
