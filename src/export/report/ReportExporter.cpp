#include "export/report/ReportExporter.h"

#include "core/CalculatorStore.h"
#include "core/FreeFileName.h"
#include "core/SafeFile.h"
#include "export/card/SnapshotExporter.h"
#include "export/report/ReportContent.h"
#include "export/report/ReportDocument.h"
#include "platform/FileDialogs.h"
#include "tabs/TabRegistry.h"

#include <QDir>
#include <QFileInfo>

namespace brolga::ReportExporter {

namespace {

// What the dialog answered, as a PDF name: "report" is saved as "report.pdf".
QString withPdfSuffix(const QString &path)
{
    return path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? path : path + QStringLiteral(".pdf");
}

} // namespace

QString fileName(const CalculatorStore &store, const QDateTime &now)
{
    // Path separators, the characters Windows refuses, and control characters go; runs of space shrink.
    QString who;
    for (QChar c : store.clientName())
        if (c.category() != QChar::Other_Control && !QStringLiteral("/\\:*?\"<>|").contains(c))
            who += c;
    who = who.simplified().left(80);
    while (who.startsWith(u'.'))
        who.remove(0, 1);
    if (who.isEmpty())
        who = TabRegistry::info(store.state().activeTab).title;
    return QStringLiteral("Brolga-Report-") + who + u'-' + now.toLocalTime().toString(QStringLiteral("yyyy-MM-dd")) +
           QStringLiteral(".pdf");
}

void exportWithPanel(CalculatorStore &store, const std::optional<QImage> &logo, const std::vector<CalculatorTab> &tabs)
{
    FileDialogs::Request request;
    request.title = QStringLiteral("Export Report");
    request.buttonText = QStringLiteral("Save");
    // A name not taken yet: a second report of the day keeps the first unless the broker picks its name.
    request.suggestedPath =
        FreeFileName::of(QDir(SnapshotExporter::desktopFolder()).filePath(fileName(store, store.now())));
    request.filter = QStringLiteral("PDF document (*.pdf)");
    auto chosen = FileDialogs::save(nullptr, request);
    if (!chosen || chosen->isEmpty())
        return;
    QString path = withPdfSuffix(*chosen);
    // The dialog asked about replacing the name it was given, not the one with the suffix added.
    if (path != *chosen && QFileInfo::exists(path)) {
        request.suggestedPath = path;
        chosen = FileDialogs::save(nullptr, request);
        if (!chosen || chosen->isEmpty())
            return;
        path = withPdfSuffix(*chosen);
    }
    const ReportDocument report(ReportContent::from(store, tabs), Theme::named(store.state().themeID), logo);
    if (const QString error = report.save(path); !error.isEmpty())
        store.flash(error == QString::fromUtf16(SafeFile::diskFull) ? error
                                                                    : QString::fromUtf16(saveFailedPrefix) + error);
    else
        store.flash(QString::fromUtf16(savedPrefix) + QFileInfo(path).fileName());
}

} // namespace brolga::ReportExporter
