#include "app/fit_text.h"

#include <gtest/gtest.h>

namespace {

// Every character 5 pixels wide: "..." is 15.
int Monospace(const QString& s) { return 5 * static_cast<int>(s.size()); }

struct FitCase {
    const char* name;
    QString text;
    int room;
    QString expected;
};

TEST(FitTextToWidth, ShortensWithEllipsisOnlyWhenACutFits) {
    const QString text = QStringLiteral("ABCDEFGHIJ");  // 50 px
    const FitCase cases[] = {
        {"fits exactly", text, 50, text},
        {"wider room", text, 80, text},
        {"one pixel short", text, 49, QStringLiteral("ABCDEF...")},
        {"room for three and dots", text, 30, QStringLiteral("ABC...")},
        {"room for three and dots plus slack", text, 34, QStringLiteral("ABC...")},
        {"room for dots alone", text, 15, QStringLiteral("...")},
        {"too narrow for dots alone", text, 14, text},
        {"zero room", text, 0, text},
        {"cell narrower than its margins", text, -1, text},
        {"cell far narrower than its margins", text, -4, text},
        {"empty text", QString(), 0, QString()},
        {"cyrillic", QStringLiteral("Канал длинный"), 40, QStringLiteral("Канал...")},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(app::FitTextToWidth(c.text, c.room, Monospace), c.expected);
    }
}

TEST(FitTextToWidth, CutsByMeasuredWidthNotByCharacterCount) {
    // 'W' is wide, the rest narrow.
    const auto proportional = [](const QString& s) {
        int w = 0;
        for (QChar ch : s) w += ch == QLatin1Char('W') ? 12 : 3;
        return w;
    };
    // "..." is 9 wide: "iiW..." needs 27, "ii..." 15.
    EXPECT_EQ(app::FitTextToWidth(QStringLiteral("iiWWii"), 25, proportional),
              QStringLiteral("ii..."));
    EXPECT_EQ(app::FitTextToWidth(QStringLiteral("iiWWii"), 27, proportional),
              QStringLiteral("iiW..."));
}

TEST(FitTextToWidth, LeavesTheTextWhenItCannotBeMeasured) {
    const auto broken = [](const QString&) { return -1; };
    EXPECT_EQ(app::FitTextToWidth(QStringLiteral("ABCDEFGHIJ"), 20, broken),
              QStringLiteral("ABCDEFGHIJ"));
    const auto dotsUnmeasurable = [](const QString& s) {
        return s == QStringLiteral("...") ? -1 : 5 * static_cast<int>(s.size());
    };
    EXPECT_EQ(app::FitTextToWidth(QStringLiteral("ABCDEFGHIJ"), 20, dotsUnmeasurable),
              QStringLiteral("ABCDEFGHIJ"));
}

TEST(FitTextToWidth, ResultStaysWithinTheWorkingBuffer) {
    const QString longText(400, QLatin1Char('x'));
    // Every cut fits the room; only the buffer limits the head (252 + "..." + NUL = 256).
    const QString fitted = app::FitTextToWidth(longText, 1999, Monospace);
    EXPECT_EQ(fitted, QString(252, QLatin1Char('x')) + QStringLiteral("..."));
}

}  // namespace
