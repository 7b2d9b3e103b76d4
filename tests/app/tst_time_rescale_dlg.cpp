#include "app/time_rescale_dlg.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "support/dialog_recorder.h"

#include <QPushButton>
#include <QTest>

class tst_time_rescale_dlg : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void labels_data();
    void labels();
    void rescaledTimesFollowTheExactRate_data();
    void rescaledTimesFollowTheExactRate();
    void okRescalesTheImage_data();
    void okRescalesTheImage();
    void cancelChangesNothing();

private:
    std::unique_ptr<kv310_controller_class> controller;
};

void tst_time_rescale_dlg::init()
{
    controller = std::make_unique<kv310_controller_class>();
    theController = controller.get();
    fadeTimes{1000, 0xFFFF, 0, 0}.write(controller->configImage + img::sceneTimesOf(0));
}

void tst_time_rescale_dlg::cleanup()
{
    theController = nullptr;
    controller.reset();
}

void tst_time_rescale_dlg::labels_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0 << "No change";
    QTest::newRow("1") << 1 << "1.10x slower";
    QTest::newRow("-1") << -1 << "1.10x faster";
    QTest::newRow("25") << 25 << "10.00x slower";
    QTest::newRow("-25") << -25 << "10.00x faster";
    QTest::newRow("50") << 50 << "100.00x slower";
    QTest::newRow("-50") << -50 << "100.00x faster";
    QTest::newRow("-12") << -12 << "3.02x faster";
}

void tst_time_rescale_dlg::labels()
{
    QFETCH(int, position);
    QFETCH(QString, text);
    timeRescaleDlg d(nullptr);
    QCOMPARE(d.lbRate->text(), QStringLiteral("No change"));
    d.hsScale->setValue(position == 0 ? 7 : position);
    d.hsScale->setValue(position);
    QCOMPARE(d.lbRate->text(), text);
}

void tst_time_rescale_dlg::rescaledTimesFollowTheExactRate_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("fadeUp");
    QTest::addColumn<int>("scaledFadeUp");
    QTest::addColumn<int>("fadeDown");
    QTest::addColumn<int>("scaledFadeDown");

    // Times whose result would be a tenth less with a rate one float step
    // smaller (fade-up) or a tenth more with one a step larger (fade-down):
    // the rate is 10 to the power of position / 25, computed in double and
    // taken as a float, its inverse for the negative positions.
    QTest::newRow("1") << 1 << 3379 << 3705 << 2726 << 2988;
    QTest::newRow("-1") << -1 << 3705 << 3379 << 4421 << 4031;
    QTest::newRow("12") << 12 << 2907 << 8779 << 1253 << 3783;
    QTest::newRow("-12") << -12 << 8779 << 2907 << 4995 << 1653;
    QTest::newRow("25") << 25 << 1 << 10 << 0 << 0;
    QTest::newRow("-25") << -25 << 20 << 2 << 0 << 0;
    QTest::newRow("50") << 50 << 1 << 100 << 0 << 0;
    QTest::newRow("-50") << -50 << 200 << 2 << 0 << 0;
}

void tst_time_rescale_dlg::rescaledTimesFollowTheExactRate()
{
    QFETCH(int, position);
    QFETCH(int, fadeUp);
    QFETCH(int, fadeDown);
    dialogRecorder rec;
    fadeTimes{uint16_t(fadeUp), 0xFFFF, uint16_t(fadeDown), 0}.write(controller->configImage + img::sceneTimesOf(1));
    timeRescaleDlg d(nullptr);
    d.hsScale->setValue(position);
    d.buttonBox->button(QDialogButtonBox::Ok)->click();
    const fadeTimes t = fadeTimes::read(controller->configImage + img::sceneTimesOf(1));
    QTEST(int(t.fadeUp), "scaledFadeUp");
    QTEST(int(t.fadeDown), "scaledFadeDown");
}

void tst_time_rescale_dlg::okRescalesTheImage_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("fadeUp");
    QTest::addColumn<QStringList>("messages");

    QTest::newRow("0 changes nothing") << 0 << 1000 << QStringList{};
    QTest::newRow("1 uses the rate, not the 1.10 shown") << 1 << 1096 << QStringList{};
    QTest::newRow("-1") << -1 << 912 << QStringList{};
    QTest::newRow("25") << 25 << 10000 << QStringList{};
    QTest::newRow("-25") << -25 << 100 << QStringList{};
    QTest::newRow("50 reaches the limit") << 50 << 0xFFFF << QStringList{"Some limits were reached!"};
}

void tst_time_rescale_dlg::okRescalesTheImage()
{
    QFETCH(int, position);
    QFETCH(int, fadeUp);
    QFETCH(QStringList, messages);
    dialogRecorder rec;
    timeRescaleDlg d(nullptr);
    d.hsScale->setValue(position);
    d.buttonBox->button(QDialogButtonBox::Ok)->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const fadeTimes t = fadeTimes::read(controller->configImage + img::sceneTimesOf(0));
    QCOMPARE(int(t.fadeUp), fadeUp);
    QCOMPARE(int(t.duration), 0xFFFF);
    QCOMPARE(rec.texts(), messages);
    for (const dialogRecorder::entry& e : rec.entries) {
        QCOMPARE(e.title, QStringLiteral("Time scaling"));
        QCOMPARE(e.icon, QMessageBox::Warning);
        QCOMPARE(e.parent, &d);
    }
}

void tst_time_rescale_dlg::cancelChangesNothing()
{
    dialogRecorder rec;
    std::vector<uint8_t> before(controller->configImage, controller->configImage + img::SIZE);
    timeRescaleDlg d(nullptr);
    d.hsScale->setValue(50);
    d.buttonBox->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(std::equal(before.begin(), before.end(), controller->configImage));
    QVERIFY(rec.entries.isEmpty());
}

QTEST_MAIN(tst_time_rescale_dlg)
#include "tst_time_rescale_dlg.moc"
