#include "export/card/SnapshotExporter.h"

#include "brand/Brand.h"
#include "core/CalculatorStore.h"
#include "core/FreeFileName.h"
#include "core/SafeFile.h"
#include "export/card/ExportCard.h"
#include "platform/FileDialogs.h"
#include "tabs/TabRegistry.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QMimeData>
#include <QStandardPaths>

namespace brolga::SnapshotExporter {

namespace {

std::optional<QString> desktopOverride;

// Both forms in one object the clipboard owns: an image offered only on request would go with the process.
void putOnClipboard(const QImage &image, const std::optional<QByteArray> &png)
{
    auto *mime = new QMimeData;
    if (png)
        mime->setData(QStringLiteral("image/png"), *png);
    mime->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(mime);
}

// Absent when written. Whole or not at all: a failed or interrupted write never leaves a cut-off picture behind.
std::optional<QString> writeError(const QString &path, const QByteArray &data)
{
    if (const QString error = SafeFile::write(path, data); !error.isEmpty())
        return error;
    return std::nullopt;
}

// `path`, or the nearest folder above it that exists, or the home folder: a dialog opened in a folder that
// does not exist starts in the working folder with the whole path as the file name.
QString existingFolder(const QString &path)
{
    QFileInfo folder(path);
    for (int depth = 0; depth < 64 && !folder.absoluteFilePath().isEmpty(); ++depth) {
        if (folder.isDir())
            return folder.absoluteFilePath();
        const QString parent = folder.absolutePath();
        if (parent == folder.absoluteFilePath())
            break;
        folder = QFileInfo(parent);
    }
    return QDir::homePath();
}

// What the dialog answered, as a PNG name: the bytes are PNG, so "card.jpg" is saved as "card.jpg.png".
QString withPngSuffix(const QString &path)
{
    return path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".png");
}

void saveWithPanel(const QByteArray &data, const QString &suggestedName, CalculatorStore &store)
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Save Snapshot");
    request.buttonText = QStringLiteral("Save");
    request.suggestedPath = QDir(existingFolder(desktopFolder())).filePath(suggestedName);
    request.filter = QStringLiteral("PNG image (*.png)");
    // The dialog brings itself to the front: Brolga lives in the tray and may not be the active program.
    auto chosen = FileDialogs::save(nullptr, request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = withPngSuffix(*chosen);
    // The dialog asked about replacing the name it was given, not the one with the suffix added: if that one
    // exists, ask again with it.
    if (path != *chosen && QFileInfo::exists(path)) {
        request.suggestedPath = path;
        chosen = FileDialogs::save(nullptr, request);
        if (!chosen || chosen->isEmpty())
            return;
        path = withPngSuffix(*chosen);
    }
    if (const auto error = writeError(path, data))
        // A full disk says so in the words every save failure uses; anything else keeps its reason.
        store.flash(*error == QString::fromUtf16(SafeFile::diskFull) ? *error
                                                                    : QString::fromUtf16(saveFailedPrefix) + *error);
    else
        store.flash(QString::fromUtf16(savedToPrefix) + QFileInfo(path).fileName());
}

// The name carries only the minute: a second export within it is numbered, never written over the first.
QString desktopPath(const CalculatorStore &store)
{
    return FreeFileName::of(QDir(desktopFolder()).filePath(fileName(store.state().activeTab, store.now())));
}

} // namespace

QImage renderImage(const CalculatorStore &store, const std::optional<QImage> &logo)
{
    ExportCard card(store, logo, Brand::rgb(Theme::named(store.state().themeID).ink));
    return card.toImage(2);
}

std::optional<QByteArray> pngData(const QImage &image)
{
    if (image.isNull())
        return std::nullopt;
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image) || out.isEmpty())
        return std::nullopt;
    return out;
}

QString fileName(CalculatorTab tab, const QDateTime &now)
{
    return QStringLiteral("Brolga-") + TabRegistry::info(tab).title + u'-' +
           now.toLocalTime().toString(QStringLiteral("yyyy-MM-dd-HHmm")) + QStringLiteral(".png");
}

QString desktopFolder()
{
    if (desktopOverride)
        return *desktopOverride;
    // Linux names ~/Desktop even where there is no such folder.
    const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return !desktop.isEmpty() && QFileInfo(desktop).isDir() ? desktop : QDir::homePath();
}

void setDesktopFolder(std::optional<QString> folder) { desktopOverride = std::move(folder); }

void exportCurrentTab(CalculatorStore &store, const std::optional<QImage> &logo)
{
    const QImage image = renderImage(store, logo);
    if (image.isNull()) {
        store.flash(QString::fromUtf16(renderFailedToast));
        return;
    }
    const auto png = pngData(image);
    putOnClipboard(image, png);
    if (!png) {
        store.flash(QString::fromUtf16(encodeFailedToast));
        return;
    }
    const QString path = desktopPath(store);
    if (!writeError(path, *png))
        store.flash(QString::fromUtf16(copiedAndSavedToast));
    else
        saveWithPanel(*png, QFileInfo(path).fileName(), store); // the dialog reports its own outcome
}

void copyOnly(CalculatorStore &store, const std::optional<QImage> &logo)
{
    const QImage image = renderImage(store, logo);
    if (image.isNull()) {
        store.flash(QString::fromUtf16(renderFailedToast));
        return;
    }
    // The PNG form only helps other programs read the clipboard; without it the image is still there.
    putOnClipboard(image, pngData(image));
    store.flash(QString::fromUtf16(copiedToast));
}

void exportWithPanel(CalculatorStore &store, const std::optional<QImage> &logo)
{
    const auto png = pngData(renderImage(store, logo));
    if (!png) {
        store.flash(QString::fromUtf16(renderFailedToast));
        return;
    }
    saveWithPanel(*png, QFileInfo(desktopPath(store)).fileName(), store);
}

} // namespace brolga::SnapshotExporter
