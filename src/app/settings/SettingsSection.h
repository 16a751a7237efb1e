#pragma once

#include <QWidget>

namespace brolga {

class BrandLabel;

// A settings heading: the title in spaced capitals and an optional note under it.
class SettingsSection : public QWidget {
    Q_OBJECT
public:
    explicit SettingsSection(const QString &title, const QString &note = QString(), QWidget *parent = nullptr);
};

} // namespace brolga
