#pragma once

#include <QDate>
#include <QWidget>

#include <functional>
#include <optional>

class QCalendarWidget;
class QFrame;
class QKeyEvent;
class QHBoxLayout;

namespace brolga {

class BrandCalendar;
class BrandLabel;

// A labelled date shown as "5 Dec 2026"; a click, or Space, Enter or Alt+Down while it has the focus, opens
// a month calendar in a pop-up, and picking a day writes it at once. The pop-up closes on a click outside
// it, Escape, or Enter on a day. The field takes its turn in the Tab order like any other input.
class BrandDateField : public QWidget {
    Q_OBJECT
public:
    using Getter = std::function<QDate()>;
    using Setter = std::function<void(const QDate &)>;

    BrandDateField(const QString &label, Getter get, Setter set, QWidget *parent = nullptr);

    void refresh();
    QString text() const;
    bool isCalendarOpen() const;
    void openCalendar();
    // The pop-up's calendar, made on first use.
    QCalendarWidget *calendar();

    static constexpr int popupWidth = 240;

Q_SIGNALS:
    void edited(const QDate &date);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QRect buttonRect() const;

    Getter get_;
    Setter set_;
    BrandLabel *label_ = nullptr;
    BrandLabel *date_ = nullptr;
    QHBoxLayout *row_ = nullptr;
    QFrame *popup_ = nullptr;
    BrandCalendar *calendar_ = nullptr;
    bool syncing_ = false;
    bool pressed_ = false;
};

} // namespace brolga
