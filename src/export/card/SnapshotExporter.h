#pragma once

#include "core/ScreenChoices.h"

#include <QByteArray>
#include <QDateTime>
#include <QImage>
#include <QString>

#include <optional>

namespace brolga {
class CalculatorStore;
}

namespace brolga::SnapshotExporter {

inline constexpr char16_t renderFailedToast[] = u"Couldn't render the snapshot.";
inline constexpr char16_t copiedAndSavedToast[] = u"Copied + saved to Desktop";
inline constexpr char16_t encodeFailedToast[] = u"Copied to clipboard (PNG encode failed).";
inline constexpr char16_t copiedToast[] = u"Copied to clipboard";
inline constexpr char16_t savedToPrefix[] = u"Saved to ";
inline constexpr char16_t saveFailedPrefix[] = u"Save failed: ";

// Every export draws the active tab's card in the current theme's ink, with the broker's logo when one is set,
// and reports its outcome through the store's toast.

// Clipboard plus a PNG on the Desktop; the save dialog when the Desktop cannot be written.
void exportCurrentTab(CalculatorStore &store, const std::optional<QImage> &logo);
// Clipboard only; no file.
void copyOnly(CalculatorStore &store, const std::optional<QImage> &logo);
// The save dialog only; the clipboard is left alone.
void exportWithPanel(CalculatorStore &store, const std::optional<QImage> &logo);

// The card of the active tab at two pixels per point, opaque; null when it could not be drawn.
QImage renderImage(const CalculatorStore &store, const std::optional<QImage> &logo);
std::optional<QByteArray> pngData(const QImage &image);

// "Brolga-Repayment-2026-12-05-1430.png": the tab and the local time to the minute. The exports number it
// ("… (2).png") when the Desktop holds that name already.
QString fileName(CalculatorTab tab, const QDateTime &now);
// Where the one-step export writes: the Desktop, else the home folder, unless overridden.
QString desktopFolder();
// Tests point the Desktop elsewhere; an empty optional restores the real one.
void setDesktopFolder(std::optional<QString> folder);

} // namespace brolga::SnapshotExporter
