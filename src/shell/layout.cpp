#include "shell/layout.h"

#include "platform/twips.h"

namespace pelquin {

namespace {
const QString kShown = QStringLiteral("0");
const QString kHidden = QStringLiteral("1");
}  // namespace

bool BarTags::allHidden() const
{
    return buttons == kHidden && address == kHidden && status == kHidden;
}

bool BarTags::anyShown() const
{
    return buttons == kShown || address == kShown || status == kShown;
}

namespace layout {

TabPlacement fixpositions(const BarTags &tags, double W)
{
    TabPlacement placement;
    const Box dropdownAt{kDropdownLeft, 0, dropdownWidth(W), 0};
    if (tags.address == kShown && tags.buttons == kHidden) {
        placement.dropdown = dropdownAt;
        placement.dropdown->top = 440;
        placement.browserTop = 840;
    }
    if (tags.address == kShown && tags.buttons == kShown) {
        placement.dropdown = dropdownAt;
        placement.dropdown->top = 1100;
        placement.browserTop = 1500;
    }
    if (tags.address == kHidden && tags.buttons == kShown)
        placement.browserTop = 1185;
    if (tags.address == kHidden && tags.buttons == kHidden)
        placement.browserTop = 350;
    return placement;
}

std::optional<double> fixwebheight(const BarTags &tags, double browserTop, double H)
{
    const double margin = tags.status == kShown ? 800 : 400;
    const double b = roundHalfEven(browserTop + margin);
    if (H - b > 0)
        return H - b;
    return std::nullopt;
}

double tabStripWidth(double W) { return W - 150; }

Box statusBar(double W, double H) { return {0, H - 745, W * 0.8, 335}; }

double statusPanelMinWidth(double W) { return W * 0.8; }

Box padlock(double W, double H) { return {W * 0.81, H - 720, 240, 240}; }

Box progressBar(double W, double H) { return {W * 0.84, H - 720, W * 0.13, 255}; }

double dropdownWidth(double W) { return W - 230; }

double browserWidth(double W) { return W * 0.9; }

double selectedBrowserWidth(double W) { return W - 225; }

}  // namespace layout
}  // namespace pelquin
