// Keeping fixed colours readable against the platform's: a dark colour scheme turns the
// platform's button text light, which a pale yellow cell would no longer show.
#pragma once

#include <QColor>

namespace tessal {

// The contrast ratio of two colours, 1 to 21, as the web's accessibility guidelines count it.
double contrastRatio(const QColor& one, const QColor& other);

// The platform's colour when it reads against the fixed one (4.5:1 at least); otherwise
// black or white, whichever contrasts more with the fixed colour.
QColor readableAgainst(const QColor& fixed, const QColor& platform);

// Black or white, whichever contrasts more with the colour: 4.58:1 at the least.
QColor starkAgainst(const QColor& ground);

} // namespace tessal
