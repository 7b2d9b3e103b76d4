#include "seams/regular_file.h"

#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class tst_regular_file : public QObject {
    Q_OBJECT
private slots:
    void opensOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("opens");
        QTest::newRow("regular file") << "file" << true;
        QTest::newRow("link to a file") << "link" << true;
        QTest::newRow("named pipe without writer") << "fifo" << false;
        QTest::newRow("directory") << "dir" << false;
        QTest::newRow("missing") << "missing" << false;
        QTest::newRow("character device") << "device" << false;
    }
    void opensOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, opens);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString plain = dir.filePath(QStringLiteral("plain.txt"));
        {
            QFile f(plain);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("line\n");
        }
        QString name = plain;
        if (kind == QLatin1String("link")) {
            name = dir.filePath(QStringLiteral("link.txt"));
            QVERIFY(QFile::link(plain, name));
        } else if (kind == QLatin1String("fifo")) {
            name = dir.filePath(QStringLiteral("pipe.31xcfg"));
            QCOMPARE(::mkfifo(QFile::encodeName(name).constData(), 0600), 0);
        } else if (kind == QLatin1String("dir")) {
            name = dir.path();
        } else if (kind == QLatin1String("missing")) {
            name = dir.filePath(QStringLiteral("none"));
        } else if (kind == QLatin1String("device")) {
            name = QStringLiteral("/dev/null");
        }
        QFile file(name);
        QCOMPARE(openRegularFile(file), opens);
        QCOMPARE(file.isOpen(), opens);
        if (opens)
            QCOMPARE(file.readAll(), QByteArray("line\n"));
    }

    void refusesWritingAndAnOpenFile()
    {
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("a")));
        QVERIFY(!openRegularFile(file, QIODevice::WriteOnly));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(!openRegularFile(file));
    }
};

QTEST_GUILESS_MAIN(tst_regular_file)
#include "tst_regular_file.moc"
