#pragma once

#include <QString>

#include <optional>

namespace pelquin {

// The three bar markers: "0" while the bar is shown, "1" while it is hidden.
struct BarTags {
    QString buttons = QStringLiteral("0");
    QString address = QStringLiteral("0");
    QString status = QStringLiteral("0");

    bool allHidden() const;
    bool anyShown() const;
};

// All measures in twips. W and H are the main window's outer width and height.
namespace layout {

inline constexpr double kMinWidth = 9195;
inline constexpr double kToolbarLeft = 120;
inline constexpr double kToolbarTop = 360;
inline constexpr double kToolbarWidth = 11055;
inline constexpr double kToolbarHeight = 660;
inline constexpr double kBrowserLeft = 20;
inline constexpr double kDropdownLeft = 20;

struct Box {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// The dropdown's box and the browser's top for a tab, by the bar markers; what is not
// changed in that case is empty.
struct TabPlacement {
    std::optional<Box> dropdown;  // height is left to the dropdown itself
    std::optional<double> browserTop;
};
TabPlacement fixpositions(const BarTags &tags, double W);

// The browser's new height, or empty when the window is too short to give it one.
std::optional<double> fixwebheight(const BarTags &tags, double browserTop, double H);

double tabStripWidth(double W);
Box statusBar(double W, double H);
double statusPanelMinWidth(double W);
Box padlock(double W, double H);
Box progressBar(double W, double H);
double dropdownWidth(double W);
double browserWidth(double W);          // the browsers of unselected tabs
double selectedBrowserWidth(double W);  // the selected tab's browser

}  // namespace layout
}  // namespace pelquin
