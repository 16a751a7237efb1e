#pragma once

#include <QWidget>

#include <functional>

namespace brolga {

class CalculatorStore;

// Asks once whether Brolga may look for new versions. Shown while the record holds no answer.
class UpdateConsentStrip : public QWidget {
    Q_OBJECT
public:
    using Answer = std::function<void(bool turnOn)>;

    explicit UpdateConsentStrip(Answer onAnswer, QWidget *parent = nullptr);

    // What an answer does: record it in the store (which schedules a save) and, on a yes, ask for the
    // delayed first check.
    static Answer recordAnswer(CalculatorStore &store, std::function<void()> startDelayedCheck);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace brolga
