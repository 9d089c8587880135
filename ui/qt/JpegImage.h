// Loading the background picture: JPEG decoded with libjpeg, other formats through Qt.
#pragma once

#include <QImage>
#include <QString>

namespace titralab {

// Pictures with more pixels than this are refused (a corrupt or hostile header).
inline constexpr long long kMaxPicturePixels = 40'000'000;

// Decodes a JPEG file; a null image when the file cannot be read or is no JPEG.
QImage loadJpeg(const QString& path);

// A ".jpg" or ".jpeg" file through loadJpeg, any other picture (BMP) through QImage.
QImage loadPicture(const QString& path);

} // namespace titralab
