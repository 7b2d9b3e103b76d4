#include "app/gui_class.h"
#include "widgets/my_time_edit.h"
#include "transport/protocol.h"
#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "program_rig.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The sun table, then the latitude stored with it.
QByteArray sunTable(const kv310_controller_class& c)
{
    const char* image = reinterpret_cast<const char*>(c.configImage);
    const uint32_t from = img::sunTableOf(0);
    const uint32_t to = img::sunTableOf(img::SUN_ENTRIES);
    return QByteArray(image + from, int(to - from)) + QByteArray(image + img::latitude, 4);
}

QStringList comboTexts(const QComboBox* combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out.append(combo->itemText(i));
    return out;
}

}  // namespace

class tst_general_settings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void locationIsWrittenAsItChanges_data();
    void locationIsWrittenAsItChanges();
    void recalculateUsesThePageValues_data();
    void recalculateUsesThePageValues();
    void sunEventsSwitch();
    void switches_data();
    void switches();
    void startUpAndShutDownTimes();
    void savingSunTimes_data();
    void savingSunTimes();
    void readingSunTimes();
    void sunTimesFileErrors();
    void cancelledSunTimesDialogsChangeNothing();
    void generatorStartsWithInputs();
    void generatorTypeChangeKeepsTheNumberInRange();
    void generatorRaisesEvents_data();
    void generatorRaisesEvents();
    void generatorOnOldHardware();
    void generatorWithoutConnection();
    void generatorGivesUpAfterTenRefusals();
    void extraEntriesSwitch_data();
    void extraEntriesSwitch();

private:
    std::unique_ptr<programSession> session;
};

void tst_general_settings::init()
{
    session = std::make_unique<programSession>();
}

void tst_general_settings::cleanup()
{
    session.reset();
}

void tst_general_settings::locationIsWrittenAsItChanges_data()
{
    QTest::addColumn<int>("latitude");
    QTest::addColumn<int>("longitude");
    QTest::addColumn<int>("zone");
    QTest::addColumn<QString>("longitudeText");
    QTest::addColumn<QString>("zoneText");

    const QString degree = QStringLiteral(" ") + QChar(0x00B0);
    QTest::newRow("west, zone -3") << -20 << -45 << -3 << QStringLiteral("-45") + degree << "GMT -3";
    QTest::newRow("zone 0") << 51 << 0 << 0 << QStringLiteral("0") + degree << "GMT +0";
    QTest::newRow("zone 2") << 49 << 19 << 2 << QStringLiteral("19") + degree << "GMT +2";
    QTest::newRow("bounds") << 60 << 180 << -12 << QStringLiteral("180") + degree << "GMT -12";
}

void tst_general_settings::locationIsWrittenAsItChanges()
{
    QFETCH(int, latitude);
    QFETCH(int, longitude);
    QFETCH(int, zone);
    gui_class* w = session->rig->window.get();
    const uint8_t* image = session->rig->controller->configImage;

    w->latitudeSpin->setValue(latitude);
    w->longitudeSpin->setValue(longitude);
    w->timeZoneSpin->setValue(zone);
    QCOMPARE(img::getI32(image, img::latitude), latitude);
    QCOMPARE(img::getI32(image, img::longitude), longitude);
    QCOMPARE(img::getI32(image, img::timeZone), zone);
    QTEST(w->longitudeSpin->text(), "longitudeText");
    QTEST(w->timeZoneSpin->text(), "zoneText");

    // Back from negative to positive.
    w->timeZoneSpin->setValue(1);
    QCOMPARE(w->timeZoneSpin->text(), QStringLiteral("GMT +1"));
}

void tst_general_settings::recalculateUsesThePageValues_data()
{
    QTest::addColumn<int>("latitude");
    QTest::addColumn<int>("longitude");
    QTest::addColumn<int>("zone");
    QTest::addColumn<int>("offset");

    QTest::newRow("19 east, zone +1") << 50 << 19 << 1 << 16;
    QTest::newRow("19 west, zone -1") << 50 << -19 << -1 << -16;
    QTest::newRow("date line, zone +12") << -33 << 180 << 12 << 0;
    QTest::newRow("date line west, zone -12") << 60 << -180 << -12 << 0;
    QTest::newRow("Greenwich") << 51 << 0 << 0 << 0;
    QTest::newRow("odd longitude") << 40 << 137 << 9 << 8;
}

void tst_general_settings::recalculateUsesThePageValues()
{
    QFETCH(int, latitude);
    QFETCH(int, longitude);
    QFETCH(int, zone);
    QFETCH(int, offset);
    gui_class* w = session->rig->window.get();
    w->sunEventsGroup->setChecked(true);  // its buttons work only then
    w->latitudeSpin->setValue(latitude);
    w->longitudeSpin->setValue(longitude);
    w->timeZoneSpin->setValue(zone);
    // The image may say otherwise: the page's values count.
    img::putI32(session->rig->controller->configImage, img::longitude, 99);
    img::putI32(session->rig->controller->configImage, img::timeZone, 5);

    kv310_controller_class expected;
    expected.calculateSunEventsFor(QDate::currentDate().year(), latitude, offset);
    w->calculateButton->click();
    QCOMPARE(sunTable(*session->rig->controller), sunTable(expected));
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_general_settings::sunEventsSwitch()
{
    gui_class* w = session->rig->window.get();
    uint8_t* image = session->rig->controller->configImage;
    img::putU16(image, img::sunEvents, 0x0102);

    // Switching on while delays are set leaves them.
    w->sunEventsGroup->setChecked(true);
    QCOMPARE(img::getU16(image, img::sunEvents), uint16_t(0x0102));
    w->sunEventsGroup->setChecked(false);
    QCOMPARE(img::getU16(image, img::sunEvents), img::NONE16);
    // Off and on again: both delays start from 0.
    w->sunEventsGroup->setChecked(true);
    QCOMPARE(img::getU16(image, img::sunEvents), uint16_t(0));
}

void tst_general_settings::switches_data()
{
    QTest::addColumn<QString>("check");
    QTest::addColumn<uint>("offset");
    QTest::newRow("external panels") << "extPanelsCheck" << uint(img::extPanelsEnable);
    QTest::newRow("scenes with DMX inputs") << "dmxInProgrammingCheck" << uint(img::dmxInProgramming);
}

void tst_general_settings::switches()
{
    QFETCH(QString, check);
    QFETCH(uint, offset);
    gui_class* w = session->rig->window.get();
    QCheckBox* box = check == QLatin1String("extPanelsCheck") ? w->extPanelsCheck : w->dmxInProgrammingCheck;
    uint8_t* image = session->rig->controller->configImage;
    img::putU16(image, offset, 0x1234);

    box->setChecked(true);
    QCOMPARE(img::getU16(image, offset), uint16_t(0));
    box->setChecked(false);
    QCOMPARE(img::getU16(image, offset), img::NONE16);
    box->setTristate(true);
    box->setCheckState(Qt::PartiallyChecked);
    QCOMPARE(img::getU16(image, offset), img::NONE16);
}

void tst_general_settings::startUpAndShutDownTimes()
{
    gui_class* w = session->rig->window.get();
    const uint8_t* image = session->rig->controller->configImage;

    w->startupTimeEdit->setTime(QTime(0, 0, 1, 250));
    QCOMPARE(w->startupTimeEdit->time(), QTime(0, 0, 1, 300));
    QCOMPARE(img::getU16(image, img::startUpTime), uint16_t(13));

    w->shutdownTimeEdit->setTime(QTime(0, 2, 30, 960));
    QCOMPARE(w->shutdownTimeEdit->time(), QTime(0, 2, 30, 900));
    QCOMPARE(img::getU16(image, img::shutDownTime), uint16_t(1509));
    QCOMPARE(img::getU16(image, img::startUpTime), uint16_t(13));
}

void tst_general_settings::savingSunTimes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("written");
    QTest::newRow("CSV filter appends") << "sun" << "CSV sheets (*.csv)" << "sun.csv";
    QTest::newRow("CSV filter, name has it") << "sun.csv" << "CSV sheets (*.csv)" << "sun.csv";
    QTest::newRow("CSV filter, upper case") << "sun.CSV" << "CSV sheets (*.csv)" << "sun.CSV.csv";
    QTest::newRow("all files as typed") << "sun" << "All files (*)" << "sun";
}

void tst_general_settings::savingSunTimes()
{
    QFETCH(QString, typed);
    QFETCH(QString, filter);
    QFETCH(QString, written);
    const QString path = session->dir.path() + QLatin1Char('/');
    session->rig->window->sunEventsGroup->setChecked(true);

    session->rec.answerFile(path + typed, filter);
    session->rig->window->saveSunTimesButton->click();
    QCOMPARE(session->rec.entries.size(), 1);
    const dialogRecorder::entry& request = session->rec.entries.at(0);
    QCOMPARE(request.kind, QStringLiteral("save"));
    QCOMPARE(request.title, QStringLiteral("Choose a file to save sunrise and sunset times"));
    QCOMPARE(request.filter, QStringLiteral("CSV sheets (*.csv);;All files (*)"));
    QCOMPARE(request.directory, QStringLiteral("./"));
    QVERIFY(QFile::exists(path + written));
    QCOMPARE(QDir(path).entryList(QDir::Files), QStringList{written});
    QCOMPARE(session->rig->controller->lastPath, path + written);
}

void tst_general_settings::readingSunTimes()
{
    kv310_controller_class* c = session->rig->controller.get();
    const QString name = session->dir.path() + QStringLiteral("/times.csv");
    c->calculateSunEventsFor(2024, 35, -40);
    const QByteArray exported = sunTable(*c).chopped(4);
    QCOMPARE(c->exportSunTimes(name), 0);
    c->calculateSunEventsFor(2024, 60, 30);
    QVERIFY(sunTable(*c).chopped(4) != exported);
    c->lastPath = QStringLiteral("elsewhere/show.31xcfg");
    session->rig->window->sunEventsGroup->setChecked(true);

    session->rec.answerFile(name);
    session->rig->window->readSunTimesButton->click();
    QCOMPARE(session->rec.entries.size(), 1);
    QCOMPARE(session->rec.entries.at(0).kind, QStringLiteral("open"));
    QCOMPARE(session->rec.entries.at(0).title, QStringLiteral("Choose a file containing sunrise and sunset times"));
    QCOMPARE(session->rec.entries.at(0).directory, QStringLiteral("elsewhere/show.31xcfg"));
    QCOMPARE(sunTable(*c).chopped(4), exported);
    // Reading does not move the start directory.
    QCOMPARE(c->lastPath, QStringLiteral("elsewhere/show.31xcfg"));
}

void tst_general_settings::sunTimesFileErrors()
{
    const QString missing = session->dir.path() + QStringLiteral("/none/times.csv");
    session->rig->window->sunEventsGroup->setChecked(true);
    session->rec.answerFile(missing);
    session->rig->window->readSunTimesButton->click();
    session->rec.answerFile(missing, QStringLiteral("All files (*)"));
    session->rig->window->saveSunTimesButton->click();
    QCOMPARE(session->rec.texts(), (QStringList{QStringLiteral("Cannot open file %1!").arg(missing),
                                        QStringLiteral("Cannot open file \"%1\" to write!").arg(missing)}));
    QCOMPARE(session->rec.titles(), (QStringList{"KvOrbit310+", "KvOrbit310+"}));
    for (const auto& e : std::as_const(session->rec.entries)) {
        if (e.kind == QLatin1String("message")) {
            QCOMPARE(e.icon, QMessageBox::Critical);
            QCOMPARE(e.parent, session->rig->window.get());
        }
    }
}

void tst_general_settings::cancelledSunTimesDialogsChangeNothing()
{
    kv310_controller_class* c = session->rig->controller.get();
    c->lastPath = QStringLiteral("shows/a.31xcfg");
    session->rig->window->sunEventsGroup->setChecked(true);
    const QByteArray before = sunTable(*c);

    session->rec.answerFile(QString());
    session->rig->window->readSunTimesButton->click();
    session->rec.answerFile(QString(), QStringLiteral("CSV sheets (*.csv)"));
    session->rig->window->saveSunTimesButton->click();
    QCOMPARE(session->rec.texts(), QStringList());
    QCOMPARE(sunTable(*c), before);
    QCOMPARE(c->lastPath, QStringLiteral("shows/a.31xcfg"));
    QVERIFY(QDir(session->dir.path()).entryList(QDir::Files).isEmpty());
}

void tst_general_settings::generatorStartsWithInputs()
{
    gui_class* w = session->rig->window.get();
    QCOMPARE(w->eventTypeCombo->currentText(), QStringLiteral("Input"));
    QCOMPARE(comboTexts(w->eventVariantCombo), (QStringList{"On", "Off"}));
    QCOMPARE(w->eventVariantCombo->currentText(), QStringLiteral("On"));
    QCOMPARE(w->eventVariantCombo->itemData(1).toInt(), 2);
    QVERIFY(w->eventVariantCombo->isEnabled());
    QCOMPARE(w->eventNumberSpin->minimum(), 1);
    QCOMPARE(w->eventNumberSpin->maximum(), 24);
}

void tst_general_settings::generatorTypeChangeKeepsTheNumberInRange()
{
    gui_class* w = session->rig->window.get();
    w->eventTypeCombo->setCurrentIndex(w->eventTypeCombo->findText(QStringLiteral("Delay")));
    QCOMPARE(w->eventNumberSpin->maximum(), 512);
    QCOMPARE(comboTexts(w->eventVariantCombo), QStringList{"N/A"});
    w->eventNumberSpin->setValue(300);

    w->eventTypeCombo->setCurrentIndex(w->eventTypeCombo->findText(QStringLiteral("Seq. start")));
    QCOMPARE(w->eventNumberSpin->value(), 128);
    QCOMPARE(comboTexts(w->eventVariantCombo), QStringList{"N/A"});
    QVERIFY(!w->eventVariantCombo->isEnabled());
    QCOMPARE(w->eventVariantCombo->itemData(0).toInt(), 1);

    w->eventTypeCombo->setCurrentIndex(w->eventTypeCombo->findText(QStringLiteral("R. C. Key")));
    QCOMPARE(w->eventNumberSpin->maximum(), 64);
    QCOMPARE(w->eventNumberSpin->value(), 64);
    QCOMPARE(comboTexts(w->eventVariantCombo), (QStringList{"Start", "Repeat", "Stop"}));
    QVERIFY(w->eventVariantCombo->isEnabled());

    // A variant count the generator does not know empties the list and
    // leaves its state alone.
    QVERIFY(QMetaObject::invokeMethod(w, "prepEvMode", Q_ARG(int, 5)));
    QCOMPARE(w->eventVariantCombo->count(), 0);
    QVERIFY(w->eventVariantCombo->isEnabled());
}

void tst_general_settings::generatorRaisesEvents_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("variant");
    QTest::addColumn<int>("id");

    QTest::newRow("remote key 2 stop") << "R. C. Key" << 2 << "Stop" << 0x1285;
    QTest::newRow("input 24 off") << "Input" << 24 << "Off" << 0x136F;
    QTest::newRow("DMX in 512 off") << "DMX In" << 512 << "Off" << 0x3FF;
    QTest::newRow("timer 1") << "Timer" << 1 << "N/A" << 0x800;
    QTest::newRow("DMX out 1 on") << "DMX Out" << 1 << "On" << 0xC00;
    QTest::newRow("sequence 128") << "Seq. start" << 128 << "N/A" << 0x127F;
    QTest::newRow("internal event 1024") << "Internal Event" << 1024 << "N/A" << 0x7FF;
    QTest::newRow("delay 512") << "Delay" << 512 << "N/A" << 0x11FF;
}

void tst_general_settings::generatorRaisesEvents()
{
    QFETCH(QString, type);
    QFETCH(int, number);
    QFETCH(QString, variant);
    QFETCH(int, id);
    gui_class* w = session->rig->window.get();
    QVERIFY(session->rig->connect());
    session->rig->sim->log.clear();

    w->eventTypeCombo->setCurrentIndex(w->eventTypeCombo->findText(type));
    w->eventNumberSpin->setValue(number);
    w->eventVariantCombo->setCurrentIndex(w->eventVariantCombo->findText(variant));
    w->generateButton->click();

    QCOMPARE(session->rig->sim->raisedEvents, QList<uint16_t>{uint16_t(id)});
    const QList<simLogEntry> requests = session->rig->sim->logOf(RAISE_EVENT);
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.at(0).value, uint16_t(0));
    QCOMPARE(requests.at(0).in, false);
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_general_settings::generatorOnOldHardware()
{
    session->rig.reset();
    session->rig = std::make_unique<programRig>(TYPE_WORD_OLD);
    QVERIFY(session->rig->connect());
    gui_class* w = session->rig->window.get();
    w->eventNumberSpin->setValue(24);
    w->eventVariantCombo->setCurrentIndex(1);
    w->generateButton->click();
    QCOMPARE(session->rig->sim->raisedEvents, QList<uint16_t>{0x136F});
    QVERIFY(session->rec.entries.isEmpty());
}

void tst_general_settings::generatorWithoutConnection()
{
    session->rig->window->generateButton->click();
    QCOMPARE(session->rec.texts(), QStringList{"Not connected!"});
    QCOMPARE(session->rec.titles(), QStringList{"KvOrbit310+"});
    QCOMPARE(session->rec.entries.at(0).icon, QMessageBox::Critical);
    QCOMPARE(session->rec.entries.at(0).parent, session->rig->window.get());
    QCOMPARE(session->rig->sim->countOf(RAISE_EVENT), 0);
}

void tst_general_settings::generatorGivesUpAfterTenRefusals()
{
    QVERIFY(session->rig->connect());
    session->rig->sim->refuse(RAISE_EVENT, 1, 9);
    session->rig->window->generateButton->click();
    QCOMPARE(session->rig->sim->countOf(RAISE_EVENT), 10);
    QCOMPARE(session->rig->sim->raisedEvents, QList<uint16_t>{0x1340});
    QVERIFY(session->rec.entries.isEmpty());

    session->rig->sim->raisedEvents.clear();
    session->rig->sim->log.clear();
    session->rig->sim->refuse(RAISE_EVENT, 1, -1);
    session->rig->window->generateButton->click();
    QCOMPARE(session->rig->sim->countOf(RAISE_EVENT), 10);
    QVERIFY(session->rig->sim->raisedEvents.isEmpty());
    QCOMPARE(session->rec.texts(), QStringList{"Control error!"});
    QCOMPARE(session->rec.titles(), QStringList{"USB Interface"});
    QCOMPARE(session->rec.entries.at(0).icon, QMessageBox::Warning);
    // The link stays.
    QVERIFY(session->rig->controller->isConnected());
}

void tst_general_settings::extraEntriesSwitch_data()
{
    QTest::addColumn<int>("firstSlot");
    QTest::addColumn<int>("state");
    QTest::addColumn<int>("expectedSlot");
    QTest::addColumn<int>("entriesLeft");

    QTest::newRow("on from off") << 0xFFFF << 2 << 512 << 2;
    QTest::newRow("on from 513") << 513 << 2 << 512 << 2;
    QTest::newRow("on, placed") << 500 << 2 << 500 << 2;
    QTest::newRow("partly on") << 0xFFFF << 1 << 512 << 2;
    QTest::newRow("off") << 500 << 0 << 0xFFFF << 0;
}

void tst_general_settings::extraEntriesSwitch()
{
    QFETCH(int, firstSlot);
    QFETCH(int, state);
    kv310_controller_class* c = session->rig->controller.get();
    c->extraEntries.push_back(std::make_unique<extraEntry>());
    c->extraEntries.push_back(std::make_unique<extraEntry>());
    img::putU16(c->configImage, img::firstExtraSlot, uint16_t(firstSlot));

    // No widget drives it: it is called by name.
    QVERIFY(QMetaObject::invokeMethod(session->rig->window.get(), "entriesEnable", Q_ARG(int, state)));
    QTEST(int(img::getU16(c->configImage, img::firstExtraSlot)), "expectedSlot");
    QTEST(int(c->extraEntries.size()), "entriesLeft");
}

QTEST_MAIN(tst_general_settings)
#include "tst_general_settings.moc"
