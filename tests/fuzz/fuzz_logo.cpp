// The logo import fed arbitrary bytes as the chosen file: it either fails with a sentence and leaves the
// earlier logo alone, or stores a PNG that loads back at least 200 px on its long edge.
#include "FuzzChecks.h"
#include "ui/brand/BrandAssetStore.h"

#include <QFile>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace brolga;

namespace {
QTemporaryDir *scratch = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    QStandardPaths::setTestModeEnabled(true);
    scratch = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char *data, size_t size)
{
    const QString path = scratch->filePath(QStringLiteral("candidate.png"));
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        f.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    BrandAssetStore store;
    const auto before = store.logo();
    const auto error = store.importLogo(path);
    if (error) {
        FUZZ_REQUIRE(!error->isEmpty());
        FUZZ_REQUIRE(store.logo() == before);
    } else {
        FUZZ_REQUIRE(store.logo().has_value());
        FUZZ_REQUIRE(std::max(store.logo()->width(), store.logo()->height()) >= BrandAssetStore::minLongEdge);
        store.removeLogo();
    }
    return 0;
}
