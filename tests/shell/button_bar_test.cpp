#include "commands/speed_menu.h"
#include "shell/button_bar.h"

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace pelquin;

namespace {

// The mean saturation and opacity of the picture's visible pixels.
struct Looks {
    double saturation = 0;
    double alpha = 0;
};

Looks looksOf(const QPixmap &pixmap)
{
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    Looks looks;
    int counted = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor colour = image.pixelColor(x, y);
            if (colour.alpha() == 0)
                continue;
            looks.saturation += colour.hsvSaturationF();
            looks.alpha += colour.alphaF();
            ++counted;
        }
    }
    if (counted > 0) {
        looks.saturation /= counted;
        looks.alpha /= counted;
    }
    return looks;
}

TEST(ButtonBar, EveryButtonIsMutedUntilHotAndGreyWhenDisabled)
{
    SpeedMenu menu;
    ButtonBar bar;
    bar.showCommands(menu);
    ASSERT_EQ(bar.count(), 12);
    const QSize size = bar.iconSize();
    for (int index = 1; index <= bar.count(); ++index) {
        SCOPED_TRACE(bar.button(index)->text().toStdString());
        const QIcon icon = bar.button(index)->icon();
        const QPixmap hot = icon.pixmap(size, QIcon::Active);
        const QPixmap normal = icon.pixmap(size, QIcon::Normal);
        const QPixmap disabled = icon.pixmap(size, QIcon::Disabled);
        ASSERT_FALSE(hot.isNull());
        EXPECT_EQ(normal.size(), hot.size());
        const Looks h = looksOf(hot), n = looksOf(normal), d = looksOf(disabled);
        EXPECT_GT(h.alpha, 0.0);
        EXPECT_LE(n.saturation, h.saturation);     // muted: half way to grey
        EXPECT_NEAR(n.alpha, h.alpha, 1e-9);
        EXPECT_LT(d.saturation, 0.01);             // grey
        EXPECT_LT(d.alpha, h.alpha * 0.6);         // and faint
    }
}

TEST(ButtonBar, AButtonShowsItsCommandsMenuItemAndOnlyAsksToRunIt)
{
    SpeedMenu menu;
    ButtonBar bar;
    bar.showCommands(menu);
    EXPECT_EQ(bar.button(1), menu.backItem);
    EXPECT_EQ(bar.button(11)->iconText(), QStringLiteral("Goto Tab"));
    int triggered = 0;
    QList<int> clicked;
    QObject::connect(menu.backItem, &QAction::triggered, [&] { ++triggered; });
    QObject::connect(&bar, &ButtonBar::buttonClicked, [&](int index) { clicked << index; });
    auto *button = qobject_cast<QToolButton *>(bar.widgetForAction(bar.actions().at(0)));
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(clicked, QList<int>{1});
    EXPECT_EQ(triggered, 0);  // the command decides, not the button
    menu.backItem->setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    bar.setVisibleAt(1, false);
    EXPECT_TRUE(menu.backItem->isVisible()) << "hiding a button keeps its menu item";
}

}  // namespace
