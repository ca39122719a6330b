#pragma once

#include "platform/twips.h"

#include <QString>

#include <optional>

namespace pelquin {

// Which of the three bars the user (or a page script) has hidden.
struct BarVisibility {
    bool buttonsHidden = false;
    bool addressHidden = false;
    bool statusHidden = false;

    bool allHidden() const { return buttonsHidden && addressHidden && statusHidden; }
    bool anyShown() const { return !buttonsHidden || !addressHidden || !statusHidden; }
};

// All measures in twips; w and h are the main window's outer width and height.
namespace layout {

inline constexpr double kMinWidth = 9195;
inline constexpr double kToolbarLeft = 120;
inline constexpr double kToolbarTop = 360;
inline constexpr double kToolbarWidth = 11055;
inline constexpr double kToolbarHeight = 660;
inline constexpr double kBrowserLeft = 20;
inline constexpr double kAddressBoxLeft = 20;

using Box = TwipsBox;

// The address box's box and the browser's top for a tab, by the bars shown; what is not
// changed in that case is empty.
struct TabPlacement {
    std::optional<Box> addressBox;  // its height is left to the box itself
    std::optional<double> browserTop;
};
TabPlacement placeForBars(const BarVisibility &bars, double w);

// The browser's new height, or empty when the window is too short to give it one.
std::optional<double> fitBrowserHeight(const BarVisibility &bars, double browserTop, double h);

double tabStripWidth(double w);
Box statusBar(double w, double h);
double statusPanelMinWidth(double w);
Box padlock(double w, double h);
Box progressBar(double w, double h);
double addressBoxWidth(double w);
// Every tab's browser, the selected one's and the hidden ones' alike.
double selectedBrowserWidth(double w);

}  // namespace layout
}  // namespace pelquin
