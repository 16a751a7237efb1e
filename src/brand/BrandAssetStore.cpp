#include "brand/BrandAssetStore.h"

#include "ui/FileDialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStandardPaths>

namespace brolga {

namespace {

// Reads a PNG from memory under the decode limit; a null image when it cannot be read.
QImage decodePng(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    const int previous = QImageReader::allocationLimit();
    QImageReader::setAllocationLimit(BrandAssetStore::decodeLimitMB);
    QImage image = reader.read();
    QImageReader::setAllocationLimit(previous);
    return image;
}

// Encodes the pixels alone: text chunks and other metadata of the chosen file are left behind.
QByteArray encodePng(const QImage &image)
{
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const QImage pixelsOnly =
        QImage(argb.constBits(), argb.width(), argb.height(), argb.bytesPerLine(), argb.format()).copy();
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(pixelsOnly) ? out : QByteArray();
}

} // namespace

BrandAssetStore::BrandAssetStore(QObject *parent) : QObject(parent) { load(); }

QString BrandAssetStore::folder()
{
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString path = base + QStringLiteral("/Brolga/brand");
    QDir().mkpath(path);
    return path;
}

QString BrandAssetStore::logoPath() { return folder() + QStringLiteral("/logo.png"); }

QString BrandAssetStore::describe(ImportError error)
{
    switch (error) {
    case ImportError::tooLarge: return QStringLiteral("That file is larger than 2 MB. Export a smaller PNG.");
    case ImportError::tooSmall:
        return QStringLiteral("That image is too small \u2014 use one at least 200px on its long edge.");
    case ImportError::unreadable: return QStringLiteral("That file could not be read as a PNG.");
    }
    return {};
}

void BrandAssetStore::setLogo(std::optional<QImage> image)
{
    if (image == logo_)
        return;
    logo_ = std::move(image);
    Q_EMIT logoChanged();
}

void BrandAssetStore::load()
{
    QFile file(logoPath());
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        setLogo(std::nullopt);
        return;
    }
    const QImage image = decodePng(file.read(maxBytes * 4));
    setLogo(image.isNull() ? std::nullopt : std::optional<QImage>(image));
}

BrandAssetStore::Checked BrandAssetStore::check(const QString &path)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile() || !file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened.").arg(info.fileName())};
    if (info.size() > maxBytes)
        return {{}, describe(ImportError::tooLarge)};

    // Read one byte past the limit so a file that grew after the size check is still caught.
    const QByteArray bytes = file.read(maxBytes + 1);
    if (bytes.size() > maxBytes)
        return {{}, describe(ImportError::tooLarge)};
    const QImage image = decodePng(bytes);
    if (image.isNull() || image.width() <= 0)
        return {{}, describe(ImportError::unreadable)};
    if (std::max(image.width(), image.height()) < minLongEdge)
        return {{}, describe(ImportError::tooSmall)};
    return {image, {}};
}

std::optional<QString> BrandAssetStore::importLogo(const QString &path)
{
    const Checked checked = check(path);
    if (!checked.error.isEmpty())
        return checked.error;
    const QImage &image = checked.image;

    // Always a fresh encoding: none of the chosen file's metadata is carried over.
    const QByteArray png = encodePng(image);
    if (png.isEmpty())
        return describe(ImportError::unreadable);
    // Written whole or not at all, so a failed write leaves the earlier logo in place.
    QSaveFile out(logoPath());
    if (!out.open(QIODevice::WriteOnly) || out.write(png) != png.size() || !out.commit())
        return out.errorString().isEmpty() ? QStringLiteral("The logo could not be saved.") : out.errorString();
    load();
    return std::nullopt;
}

std::optional<QString> BrandAssetStore::promptForLogo(QWidget *parent)
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Choose a logo");
    request.buttonText = QStringLiteral("Use Logo");
    request.message = QStringLiteral("Choose a PNG. A transparent background works best.");
    request.filter = QStringLiteral("PNG image (*.png)");
    request.suggestedPath = FileDialogs::picturesFolder();
    const auto chosen = FileDialogs::open(parent, request);
    if (!chosen || chosen->isEmpty())
        return std::nullopt;
    return importLogo(*chosen);
}

void BrandAssetStore::removeLogo()
{
    QFile::remove(logoPath());
    setLogo(std::nullopt);
}

} // namespace brolga
