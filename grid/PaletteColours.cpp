#include "grid/PaletteColours.h"

#include <QPalette>

#include <cmath>

namespace {

constexpr double kStrongTextContrast = 7.0;

double LinearChannel(double value) {
    return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

QColor Mix(const QColor& from, const QColor& to, double t) {
    const auto channel = [t](int a, int b) {
        return static_cast<int>(std::lround(a + (b - a) * t));
    };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

} // namespace

double RelativeLuminance(const QColor& colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * LinearChannel(rgb.redF()) + 0.7152 * LinearChannel(rgb.greenF()) +
           0.0722 * LinearChannel(rgb.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& colour, const QColor& background, double minRatio) {
    if (ContrastRatio(colour, background) >= minRatio) {
        return colour;
    }
    const double bk = RelativeLuminance(background);
    const QColor black(0, 0, 0);
    const QColor white(255, 255, 255);
    QColor target = RelativeLuminance(colour) <= bk ? black : white;
    if (ContrastRatio(target, background) < minRatio) {
        target = target == black ? white : black;
    }
    const bool darker = target == black;
    // On the way to the target the luminance moves one way only, so the colours that reach
    // the ratio on the target's side of the background are one stretch at its end.
    const auto meets = [&](const QColor& c) {
        const double l = RelativeLuminance(c);
        return (darker ? l < bk : l > bk) && ContrastRatio(c, background) >= minRatio;
    };
    double lo = 0.0;
    double hi = 1.0;
    for (int i = 0; i < 12; ++i) {
        const double mid = (lo + hi) / 2;
        (meets(Mix(colour, target, mid)) ? hi : lo) = mid;
    }
    const QColor found = Mix(colour, target, hi);
    return meets(found) ? found : target;
}

bool IsDarkPalette(const QPalette& palette) {
    return RelativeLuminance(palette.color(QPalette::Base)) <
           RelativeLuminance(palette.color(QPalette::Text));
}

SGridColours GridColours(const QPalette& pal) {
    SGridColours c;
    c.cellBk = pal.color(QPalette::Base);
    c.fixedBk = pal.color(QPalette::Button);
    c.outerBk = pal.color(QPalette::Dark);
    // Text that falls short goes further than greyed text must, so the two stay apart.
    const QColor text = pal.color(QPalette::Text);
    c.text = ContrastRatio(text, c.cellBk) >= kTextContrast
                 ? text
                 : ReadableOn(text, c.cellBk, kStrongTextContrast);
    c.fixedText = ReadableOn(pal.color(QPalette::WindowText), c.fixedBk, kTextContrast);
    c.gridLines = ReadableOn(pal.color(QPalette::Dark), c.cellBk, kLineContrast);
    c.focusFrame = c.text;
    c.greyText = ReadableOn(pal.color(QPalette::Disabled, QPalette::Text), c.cellBk, kTextContrast);
    c.highlight = pal.color(QPalette::Highlight);
    c.highlightText = ReadableOn(pal.color(QPalette::HighlightedText), c.highlight, kTextContrast);
    c.light = pal.color(QPalette::Light);
    c.midlight = pal.color(QPalette::Midlight);
    c.dark = pal.color(QPalette::Dark);
    c.shadow = pal.color(QPalette::Shadow);
    return c;
}
