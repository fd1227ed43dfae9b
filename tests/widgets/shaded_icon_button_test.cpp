#include "widgets/shaded_icon_button.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QDir>
#include <QHBoxLayout>
#include <QTest>
#include <cstdint>

#include "platform/crt_rand.h"
#include "tests/widgets/widget_test_support.h"
#include "widgets/texture.h"

using widgets::CIconButton;
using widgets::CShadedIconButton;
using namespace widgets_test;

namespace {

widgets::PaletteColor ToPalette(const QColor& c) {
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

class ShadedButton : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureQtApp();
        button.setPalette(TestPalette());
        button.setGeometry(0, 0, 40, 30);
        button.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    }

    QApplication& app = EnsureQtApp();  // before any widget
    CShadedIconButton button;
};

TEST_F(ShadedButton, TextureUsesTheSharedSequenceAndThePaletteColours) {
    platform::ResetCrtRand();
    button.SetTexture(8, 8, 10, 0, 0);

    std::uint32_t state = 1;
    const widgets::TextureColors colors{ToPalette(kShadow), ToPalette(kFace),
                                        ToPalette(kHighlight)};
    widgets::CPaletteImage normal, hover;
    ASSERT_TRUE(widgets::BuildShadedTextures(
        40, 30, {}, colors, [&] { return platform::CrtRandStep(state); }, normal, hover));
    EXPECT_EQ(button.NormalImage().Block(), normal.Block());
    EXPECT_EQ(button.HoverImage().Block(), hover.Block());
    EXPECT_EQ(button.NormalImage().PaletteEntry(0).red, kShadow.red());
    EXPECT_EQ(button.NormalImage().PaletteEntry(255).blue, kHighlight.blue());
}

TEST_F(ShadedButton, BackgroundIsTheNormalImageHoverImageOrHoverImageShiftedWhenPressed) {
    button.SetTexture(8, 8, 10, 0, 0);
    const QImage normal = button.NormalImage().Image();
    const QImage hover = button.HoverImage().Image();
    ASSERT_NE(normal, hover);

    const QImage plain = Grab(button);
    EXPECT_EQ(plain, normal.convertToFormat(QImage::Format_RGB32));

    // Keyboard press without the mouse over it: still the normal image.
    button.setDown(true);
    const QImage keyPressed = Grab(button);
    button.setDown(false);
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 39; ++x)
            ASSERT_EQ(keyPressed.pixel(x, y), normal.pixel(x, y)) << x << "," << y;

    SendMouseMove(&button, QPoint(20, 15));
    const QImage hovered = Grab(button);
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 39; ++x)
            ASSERT_EQ(hovered.pixel(x, y), hover.pixel(x, y)) << x << "," << y;

    button.setDown(true);
    const QImage pressed = Grab(button);
    button.setDown(false);
    for (int y = 1; y < 29; ++y)
        for (int x = 1; x < 39; ++x)
            ASSERT_EQ(pressed.pixel(x, y), hover.pixel(x - 1, y - 1)) << x << "," << y;
    // The sunken border is drawn over the texture.
    EXPECT_EQ(pressed.pixel(0, 0), kShadow.rgb());
}

TEST_F(ShadedButton, EmptyButtonGetsNoTextureDrawsNoValueAndPaintsTheFlatFace) {
    button.resize(0, 0);
    platform::ResetCrtRand();
    button.SetTexture(8, 8, 10, 0, 0);
    EXPECT_EQ(platform::CrtRand(), 41);  // still the first value of the sequence
    EXPECT_TRUE(button.NormalImage().IsEmpty());
    EXPECT_TRUE(button.HoverImage().IsEmpty());
    button.resize(40, 30);
    const QImage image = Grab(button);
    EXPECT_EQ(image.pixel(0, 0), kFace.rgb());
    EXPECT_EQ(image.pixel(20, 15), kFace.rgb());
}

TEST_F(ShadedButton, UnknownKindKeepsTheFlatFace) {
    button.SetTexture(3, 8, 10, 0, 0);
    EXPECT_TRUE(button.NormalImage().IsEmpty());
    EXPECT_EQ(Grab(button).pixel(20, 15), kFace.rgb());
}

// Each state of a dialog button, as the dialog sets it up. With
// KELVARON_WIDGET_SNAPSHOTS=<dir> the pictures are also written there.
TEST(ShadedButtonStates, EveryStateLooksDifferentExceptTheDefaultMark) {
    EnsureQtApp();
    QDialog dialog;
    auto* layout = new QHBoxLayout(&dialog);
    auto* button = new CShadedIconButton(QStringLiteral("Конвертировать"), &dialog);
    auto* other = new CShadedIconButton(QStringLiteral("Выход"), &dialog);
    layout->addWidget(button);
    layout->addWidget(other);
    button->setFixedSize(170, 32);
    other->setFixedSize(90, 32);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QImage iconPicture(32, 32, QImage::Format_ARGB32);
    iconPicture.fill(Qt::transparent);
    for (int y = 4; y < 28; ++y)
        for (int x = 4; x < 28; ++x)
            iconPicture.setPixel(x, y, (x + y) % 8 < 4 ? qRgb(0, 120, 255) : qRgb(255, 160, 0));
    const QIcon icon(QPixmap::fromImage(iconPicture));
    for (CShadedIconButton* b : {button, other}) {
        b->SetIcon(icon, CIconButton::GrayCopy{});
        b->SetTexture(8, 8, 10, 0, 0);
    }
    other->setFocus();

    const QImage normal = Grab(*button);
    SendMouseMove(button, button->rect().center());
    const QImage hovered = Grab(*button);
    button->setDown(true);
    const QImage pressed = Grab(*button);
    button->setDown(false);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    button->setDefault(true);
    const QImage isDefault = Grab(*button);
    button->setDefault(false);
    button->setEnabled(false);
    const QImage disabled = Grab(*button);

    EXPECT_NE(normal, hovered);
    EXPECT_NE(hovered, pressed);
    EXPECT_NE(normal, disabled);
    EXPECT_EQ(normal, isDefault);  // the default mark is not drawn

    const QString dir = qEnvironmentVariable("KELVARON_WIDGET_SNAPSHOTS");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        const std::pair<const char*, const QImage*> shots[] = {{"normal", &normal},
                                                               {"hovered", &hovered},
                                                               {"pressed", &pressed},
                                                               {"default", &isDefault},
                                                               {"disabled", &disabled}};
        for (const auto& [name, image] : shots)
            image->scaled(image->size() * 4).save(dir + "/button-" + name + ".png");
    }
}

}  // namespace
