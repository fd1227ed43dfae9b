// Start-up: the catalogue first, the dialog only when it is open.
#include <gtest/gtest.h>

#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "catalog/catalogue.h"
#include "tests/app/dialog_environment.h"
#include "tests/support/catalogue_backends.h"

namespace {

class CountingApp : public CConverterApp {
public:
    int dialogs = 0;
    bool catalogueOpenDuringDialog = false;

protected:
    int RunDialog(CConverterDlg& dialog) override {
        ++dialogs;
        catalogueOpenDuringDialog = theDatabase.IsOpen();
        dialog.show();
        dialog.close();
        return 0;
    }
};

class StartupTest : public testing_support::CatalogueTest {};

TEST_P(StartupTest, ARefusedCatalogueEndsTheProgramAfterItsMessageWithoutTheDialog) {
    const catalog::CatalogueLogin refused = backend().RefusedLogin();
    app_testing::DialogEnvironment env(refused);
    theDatabase.Close();
    CountingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.dialogs, 0);
    EXPECT_EQ(app.ExitCode(), 1);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].caption, "kelvaron");
    EXPECT_EQ(env.messages[0].icon, platform::MessageIcon::Error);
    EXPECT_NE(env.messages[0].text.find("DSN=" + refused.dsn + ";"), std::string::npos)
        << env.messages[0].text;
    EXPECT_FALSE(theDatabase.IsOpen());
}

TEST_P(StartupTest, AnOpenCatalogueRunsTheDialogAndIsClosedAfterIt) {
    app_testing::DialogEnvironment env(backend().Login());
    theDatabase.Close();
    CountingApp app;
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.dialogs, 1);
    EXPECT_TRUE(app.catalogueOpenDuringDialog);
    EXPECT_EQ(app.ExitCode(), 0);
    EXPECT_TRUE(env.messages.empty());
    EXPECT_FALSE(theDatabase.IsOpen());
    // The dialog was left: its window was saved.
    EXPECT_NE(env.KelvaronIni().find("TIMEQTY=000 00:30:00"), std::string::npos);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(StartupTest);

}  // namespace
