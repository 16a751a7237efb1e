#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QThread;
class QWidget;

namespace brolga {

// The broker's own logo for exported cards: imported from a PNG, checked, kept as a freshly encoded
// "logo.png" in the per-user data folder, loaded at start.
class BrandAssetStore : public QObject {
    Q_OBJECT
public:
    enum class ImportError { tooLarge, tooSmall, unreadable, tooManyPixels, tooManyDeepPixels };

    explicit BrandAssetStore(QObject *parent = nullptr);
    ~BrandAssetStore() override;

    const std::optional<QImage> &logo() const { return logo_; }

    // The import checks on a chosen file, without storing anything: the image, or the sentence to show.
    struct Checked {
        QImage image;
        QString error; // empty when the image passed
    };
    // The size is read from the header first: a picture too large to open is refused before any pixel
    // is decoded, and a large one is decoded straight at the size that is stored (long edge maxStoredEdge).
    static Checked check(const QString &path);

    // Reads "logo.png": a regular file only (never a FIFO, device or link to one), within the stored limits.
    void load();
    // Absent on success, else the sentence to show beside the logo controls. The earlier logo stays until
    // the new file is safely on disk.
    std::optional<QString> importLogo(const QString &path);
    // The same with the decoding and encoding on a worker thread; `done` runs on this object's thread.
    void importLogoInBackground(const QString &path, std::function<void(std::optional<QString>)> done);
    bool isImporting() const { return worker_ != nullptr; }
    // Asks for a file and imports it; absent on success or when the user cancels.
    std::optional<QString> promptForLogo(QWidget *parent = nullptr);
    // The file panel alone: the chosen path, absent on cancel.
    static std::optional<QString> chooseFile(QWidget *parent = nullptr);
    void removeLogo();

    // "…/Brolga/brand", created on every call (failures ignored).
    static QString folder();
    static QString logoPath();
    static QString describe(ImportError error);

    static constexpr qint64 maxBytes = 2097152;
    static constexpr int minLongEdge = 200;
    // A chosen picture may claim at most this many pixels: a few kilobytes can claim gigabytes.
    static constexpr qint64 maxPixels = 40'000'000;
    // At 16 bits a channel the whole canvas is decoded at 8 bytes a pixel before it is scaled (an 8-bit one
    // is scaled row by row): 40 million such pixels took 760 MB.
    static constexpr qint64 maxDeepPixels = 20'000'000;
    // What is stored: at most this long an edge (ample for a card printed at 300 dpi) and this many bytes,
    // the limits load() applies.
    static constexpr int maxStoredEdge = 2048;
    static constexpr qint64 maxStoredPixels = qint64(maxStoredEdge) * maxStoredEdge;
    static constexpr qint64 maxStoredBytes = 16 * 1024 * 1024;

Q_SIGNALS:
    void logoChanged();

private:
    struct Prepared {
        QByteArray png;
        QString error;
    };
    // Checks, scales and encodes; touches nothing shared, so it may run on any thread.
    static Prepared prepare(const QString &path);
    std::optional<QString> store(const Prepared &prepared);
    void setLogo(std::optional<QImage> image);

    std::optional<QImage> logo_;
    QThread *worker_ = nullptr;
};

} // namespace brolga
