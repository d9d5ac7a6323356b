#pragma once

#include <QPixmap>
#include <QSize>

namespace app {

/// The program's picture: a fiscal cash register, drawn so the program ships no image files.
QPixmap programPicture(const QSize& size);

} // namespace app
