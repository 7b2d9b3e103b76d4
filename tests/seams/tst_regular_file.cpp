#include "seams/regular_file.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

    void boundedOpenCountsTheBytes_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("result");
        const qint64 limit = fileLimit::bytes(2);
        QTest::newRow("empty") << qint64(0) << int(boundedOpen::opened);
        QTest::newRow("exactly the limit") << limit << int(boundedOpen::opened);
        QTest::newRow("one byte more") << limit + 1 << int(boundedOpen::tooBig);
        QTest::newRow("a gigabyte with a hole") << (qint64(1) << 30) << int(boundedOpen::tooBig);
        QTest::newRow("missing") << qint64(-1) << int(boundedOpen::failed);
    }
    void boundedOpenCountsTheBytes()
    {
        QFETCH(qint64, size);
        QFETCH(int, result);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("f")));
        if (size >= 0) {
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.resize(size));
            file.close();
        }
        QCOMPARE(int(openBoundedFile(file, 2)), result);
        QCOMPARE(file.isOpen(), result == int(boundedOpen::opened));
    }

    void writesOnlyRegularFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("writes");
        QTest::newRow("nothing there yet") << "missing" << true;
        QTest::newRow("regular file") << "file" << true;
        QTest::newRow("link to a file") << "link" << true;
        QTest::newRow("link that leads nowhere") << "dangling" << true;
        QTest::newRow("named pipe") << "fifo" << false;
        QTest::newRow("directory") << "dir" << false;
        QTest::newRow("link to a named pipe") << "link to fifo" << false;
        QTest::newRow("link to a directory") << "link to dir" << false;
    }
    // Every way of writing: nothing is written where the name leads to no
    // regular file; a file, or a link to one, is written as it always was.
    void writesOnlyRegularFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, writes);
        QTemporaryDir dir;
        const QString name = dir.filePath(QStringLiteral("target"));
        const QString behind = dir.filePath(QStringLiteral("behind"));
        const auto make = [&] {
            QFile::remove(name);
            QFile::remove(behind);
            QDir(dir.path()).rmdir(QStringLiteral("target"));
            QDir(dir.path()).rmdir(QStringLiteral("behind"));
            const bool link = kind.startsWith(QLatin1String("link")) || kind == QLatin1String("dangling");
            const QString real = link ? behind : name;
            if (kind.endsWith(QLatin1String("fifo")))
                QCOMPARE(::mkfifo(QFile::encodeName(real).constData(), 0600), 0);
            else if (kind.endsWith(QLatin1String("dir")))
                QVERIFY(QDir(dir.path()).mkdir(QFileInfo(real).fileName()));
            else if (kind != QLatin1String("missing") && kind != QLatin1String("dangling"))
                QVERIFY(QFile(real).open(QIODevice::WriteOnly));
            if (link)
                QVERIFY(QFile::link(behind, name));
        };
        // The data a write leaves where the name leads, or what it is instead.
        const auto result = [&] {
            const QFileInfo info(name);
            if (info.isDir())
                return QByteArray("dir");
            struct stat st;
            if (::stat(QFile::encodeName(name).constData(), &st) == 0 && S_ISFIFO(st.st_mode))
                return QByteArray("fifo");
            QFile f(name);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("missing");
        };
        // A reader on the pipe, so that a writer would not wait for one.
        const auto pipeReader = [&] {
            return kind.endsWith(QLatin1String("fifo"))
                       ? ::open(QFile::encodeName(name).constData(), O_RDONLY | O_NONBLOCK)
                       : -1;
        };
        const auto nothingArrived = [](int reader) {
            if (reader < 0)
                return true;
            char byte;
            const bool none = ::read(reader, &byte, 1) <= 0;
            ::close(reader);
            return none;
        };

        make();
        QCOMPARE(writesRegularFile(name), writes);

        int reader = pipeReader();
        QSaveFile saved(name);
        const bool savedOpen = openRegularSaveFile(saved);
        QCOMPARE(savedOpen, writes);
        if (savedOpen) {
            saved.write("saved");
            QVERIFY(saved.commit());
        }
        QVERIFY(nothingArrived(reader));
        QCOMPARE(result(), writes ? QByteArray("saved") : QByteArray(kind.endsWith(QLatin1String("fifo")) ? "fifo" : "dir"));
        if (kind.startsWith(QLatin1String("link")) || kind == QLatin1String("dangling"))
            QVERIFY(QFileInfo(name).isSymLink());

        make();
        if (kind == QLatin1String("file") || kind == QLatin1String("link")) {
            QFile old(name);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("a longer text before");
        }
        reader = pipeReader();
        QFile created(name);
        const bool createdOpen = createRegularFile(created);
        QCOMPARE(createdOpen, writes);
        if (createdOpen) {
            created.write("made");
            created.close();
        }
        QVERIFY(nothingArrived(reader));
        QCOMPARE(result(), writes ? QByteArray("made") : QByteArray(kind.endsWith(QLatin1String("fifo")) ? "fifo" : "dir"));
    }
};

QTEST_GUILESS_MAIN(tst_regular_file)
#include "tst_regular_file.moc"
