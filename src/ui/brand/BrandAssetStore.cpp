#include "ui/brand/BrandAssetStore.h"

#include "core/CalculatorStore.h"
#include "core/SafeFile.h"
#include "platform/FileDialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QStandardPaths>
#include <QThread>

#include <memory>

namespace brolga {

namespace {

struct Decoded {
    QImage image;
    QSize size; // as the header gives it
    std::optional<BrandAssetStore::ImportError> refused; // a canvas too large to decode
};

QSize fitted(QSize size, int maxEdge)
{
    if (std::max(size.width(), size.height()) <= maxEdge)
        return size;
    return size.scaled(maxEdge, maxEdge, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
}

// Reads the header, refuses a canvas larger than maxPixels (maxDeepPixels at 16 bits a channel), then decodes
// straight at a size whose long edge is at most maxEdge. A null image when the bytes are no PNG or do not decode.
Decoded decodePng(const QByteArray &bytes, int maxEdge, qint64 maxPixels, qint64 maxDeepPixels)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty())
        return {};
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels > maxPixels)
        return {{}, size, BrandAssetStore::ImportError::tooManyPixels};
    if (QImage::toPixelFormat(reader.imageFormat()).bitsPerPixel() == 64 && pixels > maxDeepPixels)
        return {{}, size, BrandAssetStore::ImportError::tooManyDeepPixels};
    // The reader decodes the whole canvas before scaling it; the header check above bounds that canvas, so
    // let it take what a 16-bit canvas of this size needs (Qt's own default would refuse most print logos).
    const qint64 canvasMegabytes = (qint64(size.width()) * size.height() * 8) / (1024 * 1024) + 1;
    reader.setAllocationLimit(int(std::max<qint64>(reader.allocationLimit(), canvasMegabytes)));
    const QSize target = fitted(size, maxEdge);
    if (target != size)
        reader.setScaledSize(target);
    return {reader.read(), size, std::nullopt};
}

// Encodes the pixels alone: text chunks and other metadata of the chosen file are left behind.
QByteArray encodePng(const QImage &image)
{
    QImage pixelsOnly =
        QImage(image.constBits(), image.width(), image.height(), image.bytesPerLine(), image.format()).copy();
    if (image.format() == QImage::Format_Indexed8 || image.format() == QImage::Format_Mono ||
        image.format() == QImage::Format_MonoLSB)
        pixelsOnly.setColorTable(image.colorTable());
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    return writer.write(pixelsOnly) ? out : QByteArray();
}

// What load() accepts, so a stored file is never one that load() then refuses. Nothing stored here has more
// pixels than a square of the stored edge: a larger canvas is not ours, and decoding it at every start would
// cost what it claims (8000 x 5000 at 16 bits is 320 MB) before it could be scaled.
QImage loadable(const QByteArray &png)
{
    if (png.size() > BrandAssetStore::maxStoredBytes)
        return {};
    return decodePng(png, BrandAssetStore::maxStoredEdge, BrandAssetStore::maxStoredPixels,
                     BrandAssetStore::maxStoredPixels)
        .image;
}

QString unopenable(const QString &path)
{
    return QStringLiteral("The file \u201C%1\u201D couldn\u2019t be opened.").arg(QFileInfo(path).fileName());
}

} // namespace

BrandAssetStore::BrandAssetStore(QObject *parent) : QObject(parent)
{
    // A temporary from an import that was cut short by a killed process.
    SafeFile::removeLeftovers(logoPath(), SafeFile::Leftovers::ofEndedWriters);
    load();
}

BrandAssetStore::~BrandAssetStore()
{
    if (worker_)
        worker_->wait();
}

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
    case ImportError::tooManyPixels:
        return QStringLiteral("That image is too large to open \u2014 use one under 40 million pixels, for "
                              "example 8000 \u00D7 5000.");
    case ImportError::tooManyDeepPixels:
        return QStringLiteral("That image is too large to open at 16 bits a channel \u2014 save it at 8 bits, or "
                              "under 20 million pixels.");
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
    const SafeFile::Read file = SafeFile::read(logoPath(), maxStoredBytes);
    if (!file.ok()) {
        setLogo(std::nullopt);
        return;
    }
    const QImage image = loadable(file.bytes);
    setLogo(image.isNull() ? std::nullopt : std::optional<QImage>(image));
}

BrandAssetStore::Checked BrandAssetStore::check(const QString &path)
{
    const SafeFile::Read file = SafeFile::read(path, maxBytes);
    if (file.status == SafeFile::Read::Status::tooLarge)
        return {{}, describe(ImportError::tooLarge)};
    if (!file.ok())
        return {{}, unopenable(path)};

    const Decoded decoded = decodePng(file.bytes, maxStoredEdge, maxPixels, maxDeepPixels);
    if (decoded.refused)
        return {{}, describe(*decoded.refused)};
    if (decoded.image.isNull() || decoded.image.width() <= 0)
        return {{}, describe(ImportError::unreadable)};
    // The picture's own size counts, not the scaled copy's.
    if (std::max(decoded.size.width(), decoded.size.height()) < minLongEdge)
        return {{}, describe(ImportError::tooSmall)};
    return {decoded.image, {}};
}

BrandAssetStore::Prepared BrandAssetStore::prepare(const QString &path)
{
    const Checked checked = check(path);
    if (!checked.error.isEmpty())
        return {{}, checked.error};
    // Always a fresh encoding: none of the chosen file's metadata is carried over. A picture whose encoding
    // comes out larger than load() accepts is stored smaller.
    QImage image = checked.image;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const QByteArray png = encodePng(image);
        if (png.isEmpty())
            break;
        if (!loadable(png).isNull())
            return {png, {}};
        image = image.scaled(image.size() / 2, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return {{}, describe(ImportError::unreadable)};
}

std::optional<QString> BrandAssetStore::store(const Prepared &prepared)
{
    if (!prepared.error.isEmpty())
        return prepared.error;
    // Something other than our own file in its place (a FIFO, a link) is no logo worth keeping; unlinking
    // it opens nothing.
    const QFileInfo existing(logoPath());
    if (existing.isSymLink() || (existing.exists() && !existing.isFile()))
        QFile::remove(logoPath());
    // Whole or not at all: a failed write leaves the earlier logo, file and picture, in place.
    if (const QString error = SafeFile::write(logoPath(), prepared.png); !error.isEmpty())
        return CalculatorStore::saveFailedToast(error);
    load();
    return std::nullopt;
}

std::optional<QString> BrandAssetStore::importLogo(const QString &path) { return store(prepare(path)); }

void BrandAssetStore::importLogoInBackground(const QString &path, std::function<void(std::optional<QString>)> done)
{
    if (worker_) {
        if (done)
            done(QStringLiteral("A logo is being imported already."));
        return;
    }
    auto result = std::make_shared<Prepared>();
    worker_ = QThread::create([path, result] { *result = prepare(path); });
    connect(worker_, &QThread::finished, this, [this, result, done = std::move(done)] {
        worker_->deleteLater();
        worker_ = nullptr;
        const std::optional<QString> error = store(*result);
        if (done)
            done(error);
    });
    worker_->start();
}

std::optional<QString> BrandAssetStore::chooseFile(QWidget *parent)
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
    return chosen;
}

std::optional<QString> BrandAssetStore::promptForLogo(QWidget *parent)
{
    const auto chosen = chooseFile(parent);
    if (!chosen)
        return std::nullopt;
    return importLogo(*chosen);
}

void BrandAssetStore::removeLogo()
{
    QFile::remove(logoPath());
    setLogo(std::nullopt);
}

} // namespace brolga
