// The dialog in either language: our captions from the catalogue, Qt's own
// texts (edit menus, the file dialog) from Qt's catalogues.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/channel_list.h"
#include "app/ui_hooks.h"
#include "controls/date_time_edit.h"
#include "tests/app/dialogs/dialog_environment.h"
#include "ui/interface_translation.h"

namespace {

bool HasCyrillic(const QString& text) {
    for (QChar c : text)
        if (c.unicode() >= 0x0400 && c.unicode() <= 0x04FF) return true;
    return false;
}

// Every text Qt itself puts on the start field's context menu and on its
// file dialog's buttons and labels.
QStringList QtTexts(CConverterDlg& dialog) {
    QStringList texts;
    auto* edit = static_cast<QLineEdit*>(dialog.GetDlgItem(1016));
    std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
    for (const QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text();
    // The dialog's own file dialog, read while it is up and then cancelled.
    const app::FileDialogHandler tests = app::SetFileDialogHandler({});
    QTimer::singleShot(0, [&texts] {
        auto* files = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!files) return;
        texts << files->windowTitle();
        for (const QPushButton* b : files->findChildren<QPushButton*>())
            if (!b->text().isEmpty()) texts << b->text();
        for (const QLabel* l : files->findChildren<QLabel*>())
            if (!l->text().isEmpty()) texts << l->text();
        for (const QComboBox* c : files->findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i)
                if (c->itemText(i).contains(QLatin1Char('*'))) texts << c->itemText(i);
        files->reject();
    });
    app::ShowOpenFilesDialog(&dialog, QString());
    app::SetFileDialogHandler(tests);
    return texts;
}

class DialogLanguage : public ::testing::Test {
protected:
    ~DialogLanguage() override { app::RemoveInterfaceTranslators(*qApp); }
};

TEST_F(DialogLanguage, CaptionsMessagesAndQtTextsFollowTheChosenLanguage) {
    const struct {
        platform::InterfaceLanguage language;
        const char* convert;
        const char* convertFile;
        const char* exit;
        const char* channels;
        const char* channelColumn;
        const char* rateColumn;
        const char* gain;
        const char* badTime;
        const char* errorCaption;
        const char* writeError;
        bool cyrillicQt;
    } cases[] = {
        {platform::InterfaceLanguage::Russian, "Конвертировать", "Конв. файл", "Выход", "Каналы",
         "Канал", "отс./с.", "Используется коэффициент усиления ", "Введено ошибочное время",
         "Ошибка", "Ошибка записи файла /1429112007/x.SHZ", true},
        {platform::InterfaceLanguage::English, "Convert", "Convert file", "Exit", "Channels",
         "Channel", "samples/s", "Gain factor is used ", "Invalid time entered", "Error",
         "Cannot write file /1429112007/x.SHZ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.convert);
        app::RemoveInterfaceTranslators(*qApp);
        ASSERT_TRUE(app::InstallInterfaceTranslators(*qApp, c.language));
        app_testing::DialogEnvironment env;
        env.WriteKelvaronIni("[KELVARON]\nTIME=12:00:00 29/02/2007\n");  // no such day
        CConverterDlg& d = env.OpenDialog();
        const auto text = [&](int id) {
            return static_cast<QAbstractButton*>(d.GetDlgItem(id))->text().toStdString();
        };
        EXPECT_EQ(text(1), c.convert);
        EXPECT_EQ(text(1020), c.convertFile);
        EXPECT_EQ(text(2), c.exit);
        EXPECT_EQ(text(1023), c.gain);
        EXPECT_EQ(d.findChild<QGroupBox*>()->title().toStdString(), c.channels);
        auto* channels = static_cast<app::ChannelListView*>(d.GetDlgItem(1024));
        EXPECT_EQ(channels->model()->headerData(0, Qt::Horizontal).toString().toStdString(),
                  c.channelColumn);
        EXPECT_EQ(channels->model()->headerData(1, Qt::Horizontal).toString().toStdString(),
                  c.rateColumn);

        d.UpdateData(true);
        ASSERT_EQ(env.messages.size(), 1u);
        EXPECT_EQ(env.messages[0].text, c.badTime);
        EXPECT_EQ(env.messages[0].caption, c.errorCaption);
        // An engine message, on its way to the screen as a worker's are.
        app::ShowMessageBox(&d, QString::fromUtf8("Ошибка записи файла /1429112007/x.SHZ"),
                            QString::fromUtf8("Ошибка"), platform::MessageIcon::Error, {});
        ASSERT_EQ(env.messages.size(), 2u);
        EXPECT_EQ(env.messages[1].text, c.writeError);
        EXPECT_EQ(env.messages[1].caption, c.errorCaption);

        const QStringList qtTexts = QtTexts(d);
        ASSERT_GT(qtTexts.size(), 8);
        EXPECT_EQ(qtTexts.filter(QStringLiteral("(*)")).size(), 1);
        for (const QString& t : qtTexts) EXPECT_EQ(HasCyrillic(t), c.cyrillicQt) << t.toStdString();
    }
}

}  // namespace
