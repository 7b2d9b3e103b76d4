#include "widgets/guarded_spin_box.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

class tst_guarded_spin_box : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keys_data();
    void keys();
    void enterCarriesTheValueBeforeItIsTaken();
    void focusLossAccepts_data();
    void focusLossAccepts();
};

void tst_guarded_spin_box::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("accepted");
    QTest::addColumn<int>("valueAfter");

    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << Qt::KeyboardModifiers(Qt::KeypadModifier) << 1 << 20;
    QTest::newRow("Enter without keypad flag") << int(Qt::Key_Enter) << Qt::KeyboardModifiers() << 1 << 20;
    QTest::newRow("Return") << int(Qt::Key_Return) << Qt::KeyboardModifiers() << 0 << 20;
    QTest::newRow("arrow up, handled as usual") << int(Qt::Key_Up) << Qt::KeyboardModifiers() << 0 << 21;
}

void tst_guarded_spin_box::keys()
{
    QFETCH(int, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, accepted);
    QFETCH(int, valueAfter);

    guardedSpinBox box;
    box.setRange(1, 512);
    box.setValue(20);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy spy(&box, &guardedSpinBox::valueAccepted);

    QTest::keyClick(&box, Qt::Key(key), modifiers);

    QCOMPARE(spy.count(), accepted);
    if (accepted)
        QCOMPARE(spy.at(0).at(0).toInt(), 20);
    QCOMPARE(box.value(), valueAfter);
}

void tst_guarded_spin_box::enterCarriesTheValueBeforeItIsTaken()
{
    // Without keyboard tracking a typed number becomes the value only in the
    // spin box's own handling of Enter, which comes after the announcement.
    guardedSpinBox box;
    box.setRange(1, 512);
    box.setValue(20);
    box.setKeyboardTracking(false);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QSignalSpy accepted(&box, &guardedSpinBox::valueAccepted);
    QSignalSpy finished(&box, &QAbstractSpinBox::editingFinished);

    box.findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(&box, QStringLiteral("42"));
    QCOMPARE(box.value(), 20);
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);

    QCOMPARE(accepted.count(), 1);
    QCOMPARE(accepted.at(0).at(0).toInt(), 20);
    QCOMPARE(box.value(), 42);
    QCOMPARE(finished.count(), 1);
}

void tst_guarded_spin_box::focusLossAccepts_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("valueAfter");

    QTest::newRow("unchanged") << QString() << 20;
    QTest::newRow("typed, not yet taken") << QStringLiteral("42") << 42;
}

void tst_guarded_spin_box::focusLossAccepts()
{
    QFETCH(QString, typed);
    QFETCH(int, valueAfter);

    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* box = new guardedSpinBox(&window);
    auto* other = new QLineEdit(&window);
    layout->addWidget(box);
    layout->addWidget(other);
    box->setRange(1, 512);
    box->setValue(20);
    box->setKeyboardTracking(false);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    box->setFocus(Qt::OtherFocusReason);
    QVERIFY(box->hasFocus());
    if (!typed.isEmpty()) {
        box->findChild<QLineEdit*>()->selectAll();
        QTest::keyClicks(box, typed);
    }
    QSignalSpy spy(box, &guardedSpinBox::valueAccepted);

    QTest::keyClick(box, Qt::Key_Tab);

    QVERIFY(other->hasFocus());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), 20);
    QCOMPARE(box->value(), valueAfter);
}

QTEST_MAIN(tst_guarded_spin_box)
#include "tst_guarded_spin_box.moc"
