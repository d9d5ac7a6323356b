#pragma once

#include <QApplication>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QWidget>
#include <gtest/gtest.h>

namespace support {

/// Saves a picture of `screen` as NAME.png in UI_SNAPSHOT_DIR, or in `fallback` when that is
/// unset: the screen is painted either way, so one that cannot paint fails its test.
inline void shoot(QWidget& screen, const QString& name, const QString& fallback) {
    const QString folder = qEnvironmentVariableIsSet("UI_SNAPSHOT_DIR")
                               ? qEnvironmentVariable("UI_SNAPSHOT_DIR")
                               : fallback;
    QApplication::processEvents();
    EXPECT_TRUE(screen.grab().toImage().save(folder + "/" + name + ".png"));
}

} // namespace support
