#pragma once

#include <QIcon>
#include <QString>

namespace plimex::qt {

// The program's pictures, embedded from the shared picture sources.
namespace pictures {
inline const QString kAppIcon = QStringLiteral(":/plimex/plimex.ico");
inline const QString kImageList1 = QStringLiteral(":/plimex/imagelist1.bmp");
inline const QString kAbout1 = QStringLiteral(":/plimex/about1.bmp");
inline const QString kAbout2 = QStringLiteral(":/plimex/about2.bmp");
}  // namespace pictures

// The program's icons are pixel art, kept sharp on high-resolution screens:
// each image is also offered at two and three times its size, scaled by
// repeating pixels.

// Every image of an icon file.
QIcon IconFromIconFile(const QString& path);
// A bitmap whose magenta (255, 0, 255) pixels are transparent.
QIcon IconFromKeyedBitmap(const QString& path);

}  // namespace plimex::qt
