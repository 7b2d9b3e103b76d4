#include "support/dialog_recorder.h"

#include <QDialog>
#include <QTest>

class tst_dialog_seam : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recordsAndAnswersInOrder();
    void singleButtonMessagesNeedNoAnswer();
    void execRunsTheScriptedHandler();
    void fileFiltersAreSeparatedByBlanks_data();
    void fileFiltersAreSeparatedByBlanks();
};

void tst_dialog_seam::recordsAndAnswersInOrder()
{
    dialogRecorder rec;
    rec.answer(2).answer(QMessageBox::No).answerFile(QStringLiteral("/tmp/a.31xcfg"), QStringLiteral("B (*.b)"));

    QCOMPARE(askQuestion(QMessageBox::Question, nullptr, QStringLiteral("Incomplete file!"), QStringLiteral("Continue?"),
                         {QStringLiteral("Skip this"), QStringLiteral("Cancel"), QStringLiteral("Skip all")}),
             2);
    QCOMPARE(showMessage(QMessageBox::Warning, nullptr, QStringLiteral("Warning!"), QStringLiteral("Sure?"),
                         QMessageBox::Yes | QMessageBox::No),
             int(QMessageBox::No));
    fileRequest f;
    f.filter = QStringLiteral("A (*.a);;B (*.b)");
    QCOMPARE(dialogs().saveFileName(f), QStringLiteral("/tmp/a.31xcfg"));
    QCOMPARE(f.selectedFilter, QStringLiteral("B (*.b)"));

    QCOMPARE(rec.entries.size(), 3);
    QCOMPARE(rec.entries[0].buttons, QStringList({"Skip this", "Cancel", "Skip all"}));
    QCOMPARE(rec.entries[1].buttons, QStringList({"Yes", "No"}));
    QCOMPARE(rec.titles(), QStringList({"Incomplete file!", "Warning!"}));
    QCOMPARE(rec.entries[2].kind, QStringLiteral("save"));
    QCOMPARE(rec.pendingAnswers(), 0);
}

void tst_dialog_seam::singleButtonMessagesNeedNoAnswer()
{
    dialogRecorder rec;
    QCOMPARE(showMessage(QMessageBox::Information, nullptr, QStringLiteral("KvOrbit310+"), QStringLiteral("Done")),
             int(QMessageBox::Ok));
    QCOMPARE(rec.texts(), QStringList({"Done"}));
}

void tst_dialog_seam::execRunsTheScriptedHandler()
{
    dialogRecorder rec;
    QDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Clear"));
    rec.answerExec([](QDialog* d) {
        d->accept();
        return d->result();
    });
    QCOMPARE(execDialog(&dialog), int(QDialog::Accepted));
    QCOMPARE(rec.entries.first().title, QStringLiteral("Clear"));
    QCOMPARE(rec.entries.first().dialogClass, QStringLiteral("QDialog"));
}

void tst_dialog_seam::fileFiltersAreSeparatedByBlanks_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("semicolons") << "Config (*.31xcfg;*.cfg310v4)" << "Config (*.31xcfg *.cfg310v4)";
    QTest::newRow("already blanks") << "Sheets (*.dmx *.csv)" << "Sheets (*.dmx *.csv)";
    QTest::newRow("several filters") << "A (*.a;*.b);;All (*)" << "A (*.a *.b);;All (*)";
    QTest::newRow("no patterns") << "Everything" << "Everything";
}

void tst_dialog_seam::fileFiltersAreSeparatedByBlanks()
{
    QFETCH(QString, filter);
    QFETCH(QString, expected);
    QCOMPARE(nativeFileFilter(filter), expected);
}

QTEST_MAIN(tst_dialog_seam)
#include "tst_dialog_seam.moc"
