#include "TestStore.h"
#include "core/CalculatorStore.h"
#include "ui/controls/BrandCheckBox.h"
#include "update/HttpTestServer.h"
#include "update/UpdateAvailableStrip.h"
#include "update/UpdateCheck.h"
#include "update/UpdateConsentStrip.h"
#include "update/UpdateSettings.h"

#include <QAbstractButton>
#include <QNetworkProxy>
#include <QTest>

using namespace brolga;
using namespace std::chrono_literals;

class TestUpdatePrompts : public QObject {
    Q_OBJECT

    static QAbstractButton *button(const QWidget &parent, const QString &textOrTip)
    {
        for (QAbstractButton *b : parent.findChildren<QAbstractButton *>())
            if (b->text() == textOrTip || b->toolTip() == textOrTip)
                return b;
        return nullptr;
    }
    static void click(const QWidget &parent, const QString &textOrTip)
    {
        QAbstractButton *b = button(parent, textOrTip);
        QVERIFY2(b, qPrintable(textOrTip));
        QTest::mouseClick(b, Qt::LeftButton);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.4"));
    }
    void init() { teststore::isolateSettings(); }

    void consentAnswer_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("turnedOn");
        QTest::newRow("no thanks") << "No thanks" << false;
        QTest::newRow("turn on") << "Turn on" << true;
    }
    void consentAnswer()
    {
        QFETCH(QString, button);
        QFETCH(bool, turnedOn);
        HttpTestServer server;
        CalculatorStore store;
        UpdateCheck updates;
        updates.setEndpoint(QUrl(QString::fromLatin1(server.url())));
        updates.setCheckDelay(150ms);
        int delayedChecks = 0;
        // Stands in for the delegate's delayed check.
        UpdateConsentStrip strip(UpdateConsentStrip::recordAnswer(store, [&] {
            ++delayedChecks;
            updates.scheduleCheck(&store);
        }));
        strip.show();

        click(strip, button);
        QCOMPARE(store.state().updateChecksEnabled, std::optional<bool>(turnedOn));
        QVERIFY(store.hasPendingSave());
        QCOMPARE(delayedChecks, turnedOn ? 1 : 0);
        QCOMPARE(server.connections, 0); // never at once
        QTest::qWait(500);
        QCOMPARE(server.requests.size(), turnedOn ? 1 : 0);
    }

    void availableStripRoutesItsButtons()
    {
        int views = 0;
        int dismissals = 0;
        UpdateAvailableStrip strip(QStringLiteral("1.6"), [&] { ++views; }, [&] { ++dismissals; });
        strip.show();
        QCOMPARE(strip.message(), QStringLiteral("Version 1.6 is available"));
        click(strip, QStringLiteral("View"));
        QCOMPARE(views, 1);
        QCOMPARE(dismissals, 0);
        click(strip, QStringLiteral("Hide until the next version"));
        QCOMPARE(dismissals, 1);
    }

    void settingsCheckBoxFollowsTheRecord()
    {
        CalculatorStore store;
        QList<QUrl> opened;
        UpdateSettings settings(store, nullptr, [&](const QUrl &url) { opened.append(url); });
        settings.show();
        QVERIFY(!settings.checkBox()->isChecked()); // not asked yet reads as off

        QTest::mouseClick(settings.checkBox(), Qt::LeftButton);
        QCOMPARE(store.state().updateChecksEnabled, std::optional<bool>(true));
        QVERIFY(store.hasPendingSave());
        QTest::mouseClick(settings.checkBox(), Qt::LeftButton);
        QCOMPARE(store.state().updateChecksEnabled, std::optional<bool>(false));

        store.edit([](CalculatorState &s) { s.updateChecksEnabled = true; });
        QVERIFY(settings.checkBox()->isChecked());

        click(settings, QStringLiteral("Read the privacy note"));
        QCOMPARE(opened, QList<QUrl>{UpdateCheck::privacyPage()});
    }
};

QTEST_MAIN(TestUpdatePrompts)
#include "tst_updateprompts.moc"
