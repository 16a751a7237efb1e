#include "ui/controls/PillPicker.h"

#include <QSignalSpy>
#include <QTest>

using namespace brolga;

using Rows = QList<QList<int>>;

namespace {
QList<PillPicker::Option> letters(int count)
{
    QList<PillPicker::Option> options;
    for (int i = 0; i < count; ++i)
        options.append({QString(QChar('A' + i)), i * 10});
    return options;
}
} // namespace

class TestPillPicker : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rows_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<std::optional<int>>("perRow");
        QTest::addColumn<Rows>("expected");
        QTest::newRow("3 a row cuts 4 into 3 and 1") << 4 << std::optional<int>(3) << Rows{{0, 1, 2}, {3}};
        QTest::newRow("2 a row cuts 4 evenly") << 4 << std::optional<int>(2) << Rows{{0, 1}, {2, 3}};
        QTest::newRow("as many as options: one row") << 4 << std::optional<int>(4) << Rows{{0, 1, 2, 3}};
        QTest::newRow("zero: one row") << 4 << std::optional<int>(0) << Rows{{0, 1, 2, 3}};
        QTest::newRow("absent: one row") << 4 << std::optional<int>() << Rows{{0, 1, 2, 3}};
        QTest::newRow("1 a row") << 3 << std::optional<int>(1) << Rows{{0}, {1}, {2}};
        QTest::newRow("no options") << 0 << std::optional<int>(3) << Rows{};
    }
    void rows()
    {
        QFETCH(int, count);
        QFETCH(std::optional<int>, perRow);
        QFETCH(Rows, expected);
        QCOMPARE(PillPicker::rows(count, perRow), expected);
    }

    // The pills of a row share its width; rows stack, the last one with wider pills.
    void pillsFillTheirRows()
    {
        QVariant value = 0;
        PillPicker picker(letters(4), [&] { return value; }, [&](const QVariant &v) { value = v; }, 3);
        picker.resize(304, picker.sizeHint().height());
        const QRectF a = picker.pillRect(0), c = picker.pillRect(2), d = picker.pillRect(3);
        QCOMPARE(a.top(), c.top());
        QVERIFY(d.top() > a.bottom());
        QCOMPARE(a.left(), 2.0);
        QCOMPARE(c.right(), 302.0);
        QCOMPARE(d.width(), 300.0);
        QCOMPARE(a.width(), (300.0 - 6) / 3);
        QCOMPARE(picker.height(), int(std::ceil(2 * a.height() + 3 + 4)));
    }

    void clickSelectsThatOption()
    {
        QVariant value = 20;
        int writes = 0;
        PillPicker picker(letters(4), [&] { return value; },
                          [&](const QVariant &v) {
                              value = v;
                              ++writes;
                          },
                          3);
        picker.resize(300, picker.sizeHint().height());
        picker.show();
        QCOMPARE(picker.selectedIndex(), 2);
        QSignalSpy spy(&picker, &PillPicker::selected);

        QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.pillRect(3).center().toPoint());
        QCOMPARE(value, QVariant(30));
        QCOMPARE(picker.selectedIndex(), 3);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), 3);

        // The selected pill again writes nothing new; a click between pills selects nothing.
        QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.pillRect(3).center().toPoint());
        QCOMPARE(writes, 1);
        const QRectF a = picker.pillRect(0), b = picker.pillRect(1);
        QTest::mouseClick(&picker, Qt::LeftButton, {}, QPointF((a.right() + b.left()) / 2, a.center().y()).toPoint());
        QCOMPARE(writes, 1);
        QCOMPARE(value, QVariant(30));
    }

    void valueOutsideTheOptionsSelectsNothing()
    {
        QVariant value = 99;
        PillPicker picker(letters(2), [&] { return value; }, [&](const QVariant &v) { value = v; });
        QCOMPARE(picker.selectedIndex(), -1);
        value = 10;
        picker.refresh();
        QCOMPARE(picker.selectedIndex(), 1);
    }
};

QTEST_MAIN(TestPillPicker)
#include "tst_pillpicker.moc"
