#pragma once

#include <QIcon>
#include <QString>

namespace quillon {

// An icon drawn from a one-colour SVG drawing in the palette's button text colour at the moment it is drawn,
// so it is sharp at every size and scale and follows a change between light and dark; a null icon when
// the file cannot be read as SVG.
QIcon symbolicIcon(const QString& svgFile);

}  // namespace quillon
