// Start-up: the catalogue first, the dialog only when it is open.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <string>

#include "app/converter_app.h"
#include "app/converter_dlg.h"
#include "catalog/catalogue.h"
#include "tests/app/dialogs/dialog_environment.h"
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

// Notes how the C library prints and reads a fraction while the dialog runs.
class NumberFormatApp : public CConverterApp {
public:
    std::string printed;
    double scanned = 0;

protected:
    int RunDialog(CConverterDlg&) override {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", 50.5);
        printed = text;
        std::sscanf("12.25", "%lf", &scanned);
        return 0;
    }
};

// A locale whose decimal separator is a comma, as the operators' own is;
// empty when none is installed.
std::string CommaLocale() {
    for (const char* name : {"ru_RU.UTF-8", "ru_RU.utf8", "de_DE.UTF-8", "de_DE.utf8"}) {
        if (std::setlocale(LC_NUMERIC, name) &&
            std::string(std::localeconv()->decimal_point) == ",")
            return name;
    }
    return {};
}

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

// The window system's library takes the operator's locale from the
// environment; recorder times, rates, trace headers and catalogue filters
// still need a decimal point.
TEST_P(StartupTest, NumbersKeepTheirDecimalPointUnderTheOperatorsLocale) {
    const std::string old = std::setlocale(LC_ALL, nullptr);
    const std::string comma = CommaLocale();
    if (comma.empty()) {
        std::setlocale(LC_ALL, old.c_str());
        GTEST_SKIP() << "no locale with a decimal comma is installed";
    }
    std::setlocale(LC_ALL, comma.c_str());
    app_testing::DialogEnvironment env(backend().Login());
    theDatabase.Close();
    NumberFormatApp app;
    app.InitInstance();
    std::setlocale(LC_ALL, old.c_str());
    EXPECT_EQ(app.printed, "50.500");
    EXPECT_EQ(app.scanned, 12.25);
}

KELVARON_ON_ALL_CATALOGUE_BACKENDS(StartupTest);

}  // namespace
