#pragma once

#include <QImage>
#include <QString>

namespace brolga::PngFile {

// Encodes and writes whole or not at all; an empty string on success, else one line for standard error.
QString write(const QImage &image, const QString &path);

} // namespace brolga::PngFile
