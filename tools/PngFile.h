#pragma once

#include <QImage>
#include <QString>

namespace brolga::PngFile {

// Encodes and writes whole or not at all; an empty string on success, else one line for standard error.
QString write(const QImage &image, const QString &path);
// Why `path` cannot take a picture (a folder, a FIFO, a device); empty when it can.
QString refusal(const QString &path);

} // namespace brolga::PngFile
