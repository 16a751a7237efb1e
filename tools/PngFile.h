#pragma once

#include <QImage>
#include <QString>

namespace brolga::PngFile {

// Encodes and writes whole or not at all; an empty string on success, else one line for standard error.
QString write(const QImage &image, const QString &path);
// Why `path` cannot take a picture or report (a folder, a FIFO, a device, or a file there already unless
// `overwrite`); empty when it can.
QString refusal(const QString &path, bool overwrite);

} // namespace brolga::PngFile
