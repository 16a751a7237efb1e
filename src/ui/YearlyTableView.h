#pragma once

#include "ui/YearlyTable.h"

#include <QWidget>

#include <vector>

namespace brolga {

// The yearly table of the Repayment screen: a header "YR PRINCIPAL INTEREST BALANCE" and one line a year,
// painted as one widget so a 50-year schedule costs one paint, not two hundred labels.
class YearlyTableView : public QWidget {
    Q_OBJECT
public:
    explicit YearlyTableView(QWidget *parent = nullptr);

    void setLines(std::vector<YearlyLine> lines);
    const std::vector<YearlyLine> &lines() const { return lines_; }
    int lineCount() const { return int(lines_.size()); }
    // The four texts of line `index` as shown.
    std::array<QString, 4> lineTexts(int index) const { return YearlyTable::cells(lines_.at(std::size_t(index))); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int headerHeight = 20;
    static constexpr int lineHeight = 19;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::vector<YearlyLine> lines_;
};

} // namespace brolga
