#include "contrast.h"

#include <algorithm>
#include <cmath>

namespace tessal {

namespace {

constexpr double kReadable = 4.5;

double luminance(const QColor& colour) {
    auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

} // namespace

double contrastRatio(const QColor& one, const QColor& other) {
    const double a = luminance(one), b = luminance(other);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor readableAgainst(const QColor& fixed, const QColor& platform) {
    return contrastRatio(fixed, platform) >= kReadable ? platform : starkAgainst(fixed);
}

QColor starkAgainst(const QColor& ground) {
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(ground, black) >= contrastRatio(ground, white) ? black : white;
}

} // namespace tessal
