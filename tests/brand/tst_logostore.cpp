#include "ui/brand/BrandAssetStore.h"
#include "TestStore.h"
#include "platform/FileDialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <cstring>
#include <sys/stat.h>

using namespace brolga;

namespace {

quint32 crc32(const char *data, int size)
{
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 0; i < size; ++i) {
        crc ^= quint8(data[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray png(int w, int h, QColor colour = Qt::red)
{
    QImage image(w, h, QImage::Format_ARGB32);
    image.fill(colour);
    image.setText(QStringLiteral("Author"), QStringLiteral("someone"));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A print-resolution logo: a large canvas that compresses to a small file.
QByteArray printLogo(int w, int h, QImage::Format format = QImage::Format_ARGB32)
{
    QImage image(w, h, format);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.fillRect(QRect(w / 8, h / 4, w * 3 / 4, h / 2), QColor(20, 60, 120));
    p.fillRect(QRect(w / 4, h / 3, w / 2, h / 3), Qt::white);
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A valid PNG whose header claims a vast canvas: decoding it fully would need gigabytes.
QByteArray bomb(quint32 side = 60000, QImage::Format format = QImage::Format_ARGB32)
{
    QByteArray bytes = printLogo(1, 1, format);
    // IHDR data starts at 16: width and height, then the chunk's CRC over type + data at 29.
    qToBigEndian<quint32>(side, bytes.data() + 16);
    qToBigEndian<quint32>(side, bytes.data() + 20);
    const quint32 crc = crc32(bytes.constData() + 12, 17);
    qToBigEndian<quint32>(crc, bytes.data() + 29);
    return bytes;
}

// A small file that grows when re-encoded: 16 grey levels of noise in rows that repeat every third row,
// which deflate finds within its window at one byte a pixel but not at four.
QByteArray growingPng(int side)
{
    QImage image(side, side, QImage::Format_Indexed8);
    QList<QRgb> greys;
    for (int i = 0; i < 16; ++i)
        greys << qRgb(i * 17, i * 17, i * 17);
    image.setColorTable(greys);
    QRandomGenerator random(7);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < side; ++x)
            image.scanLine(y)[x] = uchar(random.bounded(16));
    for (int y = 3; y < side; ++y)
        memcpy(image.scanLine(y), image.scanLine(y % 3), size_t(side));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

QByteArray stored()
{
    QFile f(BrandAssetStore::logoPath());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestLogoStore : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return path;
    }
    static QByteArray padded(const QByteArray &bytes, qint64 size) { return bytes + QByteArray(size - bytes.size(), '\0'); }

private Q_SLOTS:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init()
    {
        brolga::SafeFile::setSpaceLeftForTesting(std::nullopt);
        QFile::remove(BrandAssetStore::logoPath());
    }

    void importChecks_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        const QString large = BrandAssetStore::describe(BrandAssetStore::ImportError::tooLarge);
        const QString small = BrandAssetStore::describe(BrandAssetStore::ImportError::tooSmall);
        const QString unreadable = BrandAssetStore::describe(BrandAssetStore::ImportError::unreadable);
        QTest::newRow("exactly 2 MiB") << padded(png(300, 200), 2097152) << QString();
        QTest::newRow("one byte more") << padded(png(300, 200), 2097153) << large;
        QTest::newRow("199 x 120") << png(199, 120) << small;
        QTest::newRow("120 x 200 portrait") << png(120, 200) << QString();
        QTest::newRow("large and small") << padded(png(20, 20), 3000000) << large;
        QTest::newRow("text") << QByteArray("not an image at all") << unreadable;
        QTest::newRow("empty") << QByteArray() << unreadable;
        QTest::newRow("truncated") << png(400, 400, Qt::blue).left(60) << unreadable;
        QTest::newRow("bomb: 60000 x 60000 claimed")
            << bomb() << BrandAssetStore::describe(BrandAssetStore::ImportError::tooManyPixels);
        QTest::newRow("print logo 6000 x 3000") << printLogo(6000, 3000) << QString();
        QTest::newRow("print logo 4200 x 4000") << printLogo(4200, 4000) << QString();
        // 16 bits a channel: decoded whole this is over Qt's default 128 MB for one image.
        QTest::newRow("print logo 6000 x 3000, 16-bit") << printLogo(6000, 3000, QImage::Format_RGBA64) << QString();
        QTest::newRow("5000 x 5000 claimed, 16-bit")
            << bomb(5000, QImage::Format_RGBA64)
            << QStringLiteral("That image is too large to open at 16 bits a channel \u2014 save it at 8 bits, or "
                              "under 20 million pixels.");
        QImage jpeg(300, 300, QImage::Format_RGB32);
        jpeg.fill(Qt::green);
        QByteArray jpegBytes;
        QBuffer b(&jpegBytes);
        b.open(QIODevice::WriteOnly);
        jpeg.save(&b, "JPEG");
        QTest::newRow("jpeg named png") << jpegBytes << unreadable;
    }
    void importChecks()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        BrandAssetStore store;
        const auto result = store.importLogo(write(QStringLiteral("candidate.png"), bytes));
        QCOMPARE(result.value_or(QString()), error);
        QCOMPARE(store.logo().has_value(), error.isEmpty());
        QCOMPARE(QFile::exists(BrandAssetStore::logoPath()), error.isEmpty());
    }

    void failedImportKeepsTheEarlierLogo()
    {
        BrandAssetStore store;
        QVERIFY(!store.importLogo(write(QStringLiteral("good.png"), png(400, 100))));
        QFile stored(BrandAssetStore::logoPath());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        const QByteArray before = stored.readAll();
        stored.close();
        QSignalSpy changes(&store, &BrandAssetStore::logoChanged);

        QVERIFY(store.importLogo(write(QStringLiteral("bad.png"), png(50, 50))).has_value());
        QVERIFY(store.importLogo(dir_.filePath(QStringLiteral("missing.png"))).has_value());
        QCOMPARE(changes.count(), 0);
        QCOMPARE(store.logo()->size(), QSize(400, 100));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), before);
    }

    void storedFileIsFreshAndReloads()
    {
        {
            BrandAssetStore store;
            QVERIFY(!store.importLogo(write(QStringLiteral("meta.png"), png(300, 300))));
        }
        QFile stored(BrandAssetStore::logoPath());
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QVERIFY(!stored.readAll().contains("someone")); // the chosen file's text chunk is not carried over
        BrandAssetStore again;
        QVERIFY(again.logo().has_value());
        QCOMPARE(again.logo()->size(), QSize(300, 300));
    }

    // Stored pictures stay within what load() accepts: a large one is stored scaled, and one whose encoding
    // grows (a 4096 x 4096 grey picture of a few kilobytes) is still there after the next start.
    void storedCopyPassesTheLoader_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size");
        QTest::newRow("grows on re-encoding") << growingPng(4096) << QSize(2048, 2048);
        QTest::newRow("print logo 6000 x 3000") << printLogo(6000, 3000) << QSize(2048, 1024);
        QTest::newRow("small stays as it is") << png(300, 200) << QSize(300, 200);
    }
    void storedCopyPassesTheLoader()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QVERIFY(bytes.size() < BrandAssetStore::maxBytes);
        {
            BrandAssetStore store;
            QCOMPARE(store.importLogo(write(QStringLiteral("chosen.png"), bytes)), std::optional<QString>());
            QCOMPARE(store.logo()->size(), size);
        }
        QVERIFY(stored().size() <= BrandAssetStore::maxStoredBytes);
        BrandAssetStore restarted;
        QVERIFY(restarted.logo().has_value());
        QCOMPARE(restarted.logo()->size(), size);
    }

    // A full disk: the import fails with the sentence every failed save uses, and the earlier logo, file
    // and picture, stays.
    void fullDiskKeepsTheEarlierLogo()
    {
        BrandAssetStore store;
        QVERIFY(!store.importLogo(write(QStringLiteral("good.png"), png(400, 100))));
        const QByteArray before = stored();
        {
            teststore::FullDisk full;
            QCOMPARE(store.importLogo(write(QStringLiteral("next.png"), printLogo(1200, 600))),
                     std::optional<QString>(QString::fromUtf16(brolga::SafeFile::diskFull)));
        }
        QCOMPARE(stored(), before);
        QCOMPARE(store.logo()->size(), QSize(400, 100));
        QCOMPARE(QFileInfo(BrandAssetStore::logoPath()).absoluteDir().entryList({QStringLiteral("*.tmp-*")}),
                 QStringList());
        BrandAssetStore restarted;
        QCOMPARE(restarted.logo()->size(), QSize(400, 100));
    }

    // A FIFO in place of the stored logo (it would block the start for ever) is not opened: no logo, and the
    // start goes on. Links to one, or to a device, take the same path through SafeFile::read.
    void storedLogoOpensRegularFilesOnly()
    {
        QCOMPARE(::mkfifo(QFile::encodeName(BrandAssetStore::logoPath()).constData(), 0600), 0);
        BrandAssetStore store;
        QVERIFY(!store.logo().has_value());
        // An import replaces it with a real file.
        QVERIFY(!store.importLogo(write(QStringLiteral("good.png"), png(300, 300))));
        QVERIFY(store.logo().has_value());
    }

    // The decoding runs on a worker: the call returns at once and the window's thread stays free.
    // A stored logo is never larger than a square of the stored edge, so one whose header claims more is not
    // ours and is not decoded at all; a longer edge within that count loads scaled.
    void storedLogoWithinTheStoredSize_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QSize>("size"); // invalid: no logo
        QTest::newRow("8000 x 5000") << printLogo(8000, 5000, QImage::Format_Mono) << QSize();
        QTest::newRow("4000 x 1000") << printLogo(4000, 1000) << QSize(2048, 512);
    }
    void storedLogoWithinTheStoredSize()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QSize, size);
        QFile file(BrandAssetStore::logoPath());
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        const BrandAssetStore store;
        QCOMPARE(store.logo() ? store.logo()->size() : QSize(), size);
    }

    void importInTheBackground()
    {
        BrandAssetStore store;
        QSignalSpy changes(&store, &BrandAssetStore::logoChanged);
        std::optional<std::optional<QString>> result;
        store.importLogoInBackground(write(QStringLiteral("print.png"), printLogo(6000, 3000)),
                                     [&](std::optional<QString> error) { result = error; });
        QVERIFY(store.isImporting());
        QVERIFY(!result.has_value());
        QTRY_VERIFY_WITH_TIMEOUT(result.has_value(), 30000);
        QCOMPARE(*result, std::optional<QString>());
        QCOMPARE(changes.count(), 1);
        QCOMPARE(store.logo()->size(), QSize(2048, 1024));
    }

    void removeAndPrompt()
    {
        BrandAssetStore store;
        store.removeLogo(); // nothing stored: no error, still absent
        QVERIFY(!store.logo());

        FileDialogs::setOpenHandler([](const FileDialogs::Request &) { return std::optional<QString>(); });
        QCOMPARE(store.promptForLogo(), std::optional<QString>());
        QVERIFY(!store.logo());

        const QString path = write(QStringLiteral("chosen.png"), png(250, 250));
        FileDialogs::setOpenHandler([&](const FileDialogs::Request &) { return std::optional<QString>(path); });
        QCOMPARE(store.promptForLogo(), std::optional<QString>());
        QVERIFY(store.logo());
        store.removeLogo();
        QVERIFY(!store.logo() && !QFile::exists(BrandAssetStore::logoPath()));
        FileDialogs::setOpenHandler({});
    }

    // The logo panel opens in Pictures, or in the home folder where there is none; never in whatever folder
    // the program was started from.
    void logoPanelStartsInPicturesElseHome()
    {
        BrandAssetStore store;
        QString startedIn;
        FileDialogs::setOpenHandler([&](const FileDialogs::Request &request) {
            startedIn = request.suggestedPath;
            return std::optional<QString>();
        });
        const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
        QDir(pictures).removeRecursively();
        store.promptForLogo();
        QCOMPARE(startedIn, QDir::homePath());
        QVERIFY(QDir().mkpath(pictures));
        store.promptForLogo();
        QCOMPARE(startedIn, pictures);
        QDir(pictures).removeRecursively();
        FileDialogs::setOpenHandler({});
    }
};

QTEST_MAIN(TestLogoStore)
#include "tst_logostore.moc"
