#pragma once

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class QWidget;

namespace brolga {

// The broker's own logo for exported cards: imported from a PNG, checked, kept as a freshly encoded
// "logo.png" in the per-user data folder, loaded at start.
class BrandAssetStore : public QObject {
    Q_OBJECT
public:
    enum class ImportError { tooLarge, tooSmall, unreadable };

    explicit BrandAssetStore(QObject *parent = nullptr);

    const std::optional<QImage> &logo() const { return logo_; }

    // The import checks on a chosen file, without storing anything: the image, or the sentence to show.
    struct Checked {
        QImage image;
        QString error; // empty when the image passed
    };
    static Checked check(const QString &path);

    void load();
    // Absent on success, else the sentence to show beside the logo controls.
    std::optional<QString> importLogo(const QString &path);
    // Asks for a file and imports it; absent on success or when the user cancels.
    std::optional<QString> promptForLogo(QWidget *parent = nullptr);
    void removeLogo();

    // "…/Brolga/brand", created on every call (failures ignored).
    static QString folder();
    static QString logoPath();
    static QString describe(ImportError error);

    static constexpr qint64 maxBytes = 2097152;
    static constexpr int minLongEdge = 200;
    // Decoding stops past this many megabytes, so a small file claiming a huge size cannot exhaust memory.
    static constexpr int decodeLimitMB = 64;

Q_SIGNALS:
    void logoChanged();

private:
    void setLogo(std::optional<QImage> image);

    std::optional<QImage> logo_;
};

} // namespace brolga
