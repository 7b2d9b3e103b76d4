#include "app/startup.h"
#include "support/golden_files.h"

#include <QTemporaryDir>
#include <QTest>

// Language files users already have, as the program wrote them
// (tests/data/language): each still asks for its language.
class tst_golden_language : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void languageFile_data();
    void languageFile();
};

void tst_golden_language::languageFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("name");

    QTest::newRow("Polish") << "language/pl/KvOrbit310+.lngi" << "pl" << "Polski";
    QTest::newRow("German") << "language/de/KvOrbit310+.lngi" << "de" << "Deutsch";
}

void tst_golden_language::languageFile()
{
    QFETCH(QString, file);
    QTemporaryDir dir;
    QVERIFY(!goldenCopy(dir, file).isEmpty());
    const languageRequest request = readLanguageFile(dir.path());
    QTEST(request.code, "code");
    QTEST(request.name, "name");
}

QTEST_MAIN(tst_golden_language)
#include "tst_golden_language.moc"
