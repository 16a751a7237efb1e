#include "brand/BrandAssetStore.h"
#include "ui/FileDialogs.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

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

// A valid PNG whose header claims a vast canvas: decoding it fully would need gigabytes.
QByteArray bomb()
{
    QByteArray bytes = png(1, 1);
    // IHDR data starts at 16: width and height, then the chunk's CRC over type + data at 29.
    qToBigEndian<quint32>(60000, bytes.data() + 16);
    qToBigEndian<quint32>(60000, bytes.data() + 20);
    const quint32 crc = crc32(bytes.constData() + 12, 17);
    qToBigEndian<quint32>(crc, bytes.data() + 29);
    return bytes;
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
    void init() { QFile::remove(BrandAssetStore::logoPath()); }

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
        QTest::newRow("bomb") << bomb() << unreadable;
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
