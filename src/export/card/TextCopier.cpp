#include "export/card/TextCopier.h"

#include "core/CalculatorStore.h"
#include "export/TextExporter.h"

#include <QClipboard>
#include <QGuiApplication>

namespace brolga::TextCopier {

void copyCurrentTab(CalculatorStore &store)
{
    const QString text = TextExporter::summary(store, store.now());
    // setText replaces whatever was there (an exported card's image included) with one plain-text entry.
    if (QClipboard *clipboard = QGuiApplication::clipboard())
        clipboard->setText(text, QClipboard::Clipboard);
    // The clipboard gives no reliable outcome to report; the confirmation shows in every case.
    store.flash(QString::fromUtf16(copiedToast));
}

} // namespace brolga::TextCopier
