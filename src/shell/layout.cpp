#include "shell/layout.h"

#include "platform/twips.h"

namespace pelquin {

namespace layout {

TabPlacement placeForBars(const BarVisibility &bars, double w)
{
    TabPlacement placement;
    const Box addressBoxAt{kAddressBoxLeft, 0, addressBoxWidth(w), 0};
    if (!bars.addressHidden && bars.buttonsHidden) {
        placement.addressBox = addressBoxAt;
        placement.addressBox->top = 440;
        placement.browserTop = 840;
    }
    if (!bars.addressHidden && !bars.buttonsHidden) {
        placement.addressBox = addressBoxAt;
        placement.addressBox->top = 1100;
        placement.browserTop = 1500;
    }
    if (bars.addressHidden && !bars.buttonsHidden)
        placement.browserTop = 1185;
    if (bars.addressHidden && bars.buttonsHidden)
        placement.browserTop = 350;
    return placement;
}

std::optional<double> fitBrowserHeight(const BarVisibility &bars, double browserTop, double h)
{
    const double margin = bars.statusHidden ? 400 : 800;
    const double b = roundHalfEven(browserTop + margin);
    if (h - b > 0)
        return h - b;
    return std::nullopt;
}

double tabStripWidth(double w) { return w - 150; }

Box statusBar(double w, double h) { return {0, h - 745, w * 0.8, 335}; }

double statusPanelMinWidth(double w) { return w * 0.8; }

Box padlock(double w, double h) { return {w * 0.81, h - 720, 240, 240}; }

Box progressBar(double w, double h) { return {w * 0.84, h - 720, w * 0.13, 255}; }

double addressBoxWidth(double w) { return w - 230; }

double selectedBrowserWidth(double w) { return w - 225; }

}  // namespace layout
}  // namespace pelquin
