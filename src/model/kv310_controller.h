#pragma once

#include "clear_flags.h"
#include "config_image.h"
#include "events.h"
#include "globals.h"
#include "programs.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QModelIndex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <memory>

class QProgressDialog;
class QTextStream;
class t_threadDevice;
struct parsedProject;
class transferBlock;

// Firmware version as the controller reports it.
struct firmwareVersionRecord {
    int8_t versionMajor = 0;
    uint8_t versionMinor = 0;
    uint16_t build = 0;
};

// The controller object: the whole show (configuration image, memory tables,
// descriptions) and the link to the controller hardware. One lives on main's
// stack for the run; the editors make scratch copies to copy from another
// configuration file. The model side is this library; the device-side
// operations are defined by the device library (see the section below).
class kv310_controller_class : public QObject {
    Q_OBJECT
public:
    kv310_controller_class();
    ~kv310_controller_class() override;

    // A copy of the description of object nr of a kind: 0 scene, 1 program,
    // 3 internal state, 5 delay, 6 sequence, 7 mask, 9 panel. Any other kind
    // or a number out of range gives a null string.
    QString descriptionText(unsigned kind, int nr) const;
    // Scenes in the 15 coupled-scene groups together.
    int coupledSceneCount() const;

    // Multiplies every time of the image by factor, clamping to each field's
    // range; returns false when a value had to be clamped. The programs table
    // is packed before and rebuilt after, so it carries the new step times.
    bool rescaleTimes(float factor);
    // One value with its bounds: values outside min..max pass unchanged;
    // results beyond them are clamped and clear ok.
    static uint32_t rescaleValue(uint32_t value, uint32_t min, uint32_t max, float factor, bool& ok);

    // Packed two-digit BCD, as the clock records and the timers hold dates
    // and times; 0xFF for values outside 0..99.
    static int toBcd(int v);
    // -1 for a byte that is no BCD; a low nibble 0xA is read as 10.
    static int fromBcd(int b);

    // Timer table and image timers. Packing tags every timer with actions and
    // writes sunrise, sunset and then the timers in use, compacted; unpacking
    // needs the events table already unpacked.
    void packTimers();
    void unpackTimers();
    // Coupled-scene groups and the two image tables. Packing sorts every
    // group and writes at most 64 scenes; unpacking takes the first table and
    // tells the user when the second one disagrees.
    void packCoupledScenes();
    void unpackCoupledScenes();
    // sequenceDelays and startedDelays from the image's action records and
    // the events table, which must agree (right after a pack or an unpack).
    void rebuildSequences();

    // The sun table for a given year (calculateSunEvents takes the current one).
    void calculateSunEventsFor(int year, int latitude, int offsetMinutes);
    // Sunrise and sunset times as CSV: 0; -1 the file cannot be opened (or
    // is no regular file); -2 it could not be written completely (a file
    // already there is kept).
    int exportSunTimes(const QString& fileName);
    // 0 stored; -1 the file cannot be opened; -2 the user cancelled on an
    // incomplete file; -3 the file is too big, as the user has been told.
    // Nothing is stored but on 0.
    int importSunTimes(const QString& fileName);

    // ---- Project description ----
    // Appends the project description XML: file name and date, every
    // description, the visual-project field and the visual project itself.
    void writeProjectXml(QString& target) const;
    // Parses a project description from byte `offset` of the data under the
    // stream into the descriptions; the controller published as theController
    // also takes the visual project and the main window's fields from it.
    void readProjectXml(QTextStream& in, qint64 offset);
    // Takes a project description read by parseProjectText (project_text.h)
    // as readProjectXml does: a tree with parse errors is reported and
    // nothing of it is taken. A text known to be cut short is not reported:
    // every entry the reader could store before the cut is taken.
    void takeProjectText(parsedProject& text, bool cutShort);
    // Stores the project description in the image's project area: plain,
    // compressed when longer than the area, or only its beginning when even
    // the compressed form does not fit. False in that last case (the user has
    // been told).
    bool storeProjectDescription();
    // Takes the project description back out of the image's project area,
    // as the controller returns it, and parses it.
    void loadStoredProjectDescription();
    // Appends the text header of a configuration file and returns its size,
    // a multiple of 16 that ends with the one zero byte of the header.
    static int writeFileHeader(QByteArray& target, bool oldstyle, const QString& fileName);

    // ---- Unsaved work ----
    // The show as a save would write it, in checksums: the image with the
    // memory tables packed into it (a copy: the image stays as it is), and
    // the project description with the visual project and its field.
    struct showFingerprint {
        bool taken = false;
        bool packed = false;   // the tables fitted the image
        uint64_t image = 0;
        uint64_t text = 0;
        bool operator==(const showFingerprint& o) const
        {
            return taken == o.taken && packed == o.packed && image == o.image && text == o.text;
        }
        bool operator!=(const showFingerprint& o) const { return !(*this == o); }
    };
    showFingerprint currentFingerprint();
    // Remembers the show as it is now: after it was read from a file or the
    // controller, saved or cleared whole, and when the first window has its
    // pages. Only the controller published as theController keeps one, and
    // only while a main window exists.
    void takeFingerprint();
    bool hasFingerprint() const { return fingerprint.taken; }
    // The show differs from the one remembered (false when none is).
    bool showChanged();
    // How often the show was fingerprinted in this run: each costs a pass
    // over the image, so only a read, a save, a clear, the start and a
    // page's repair may take one.
    int fingerprintsComputed = 0;

signals:
    void setConnectionStatus(bool connectionStatus);
    void forceReset();
    void readFileFinished();
    void readKv310Finished();

public slots:
    // Declaration order of the slots: ClearConfig(uint32_t), ClearConfig(),
    // [setConnection, ch_mode], write_confDataToFile, read_confDataFromFile,
    // [send_sc_prep, send_new_val, read_alldata, send_alldata], trapSlot,
    // getUsbDev, [readRCU, writeRCU], setDmxInLimit, calculateSunEvents(int, int).
    // The bracketed ones are the device operations further down; clearing,
    // the configuration files and the sun table declare theirs in their
    // places here.

    // Resets the chosen categories (clear_flags.h) to their defaults; the
    // memory tables are packed first and rebuilt from the image last.
    void ClearConfig(uint32_t co);
    void ClearConfig();
    // Saves the whole show: the current format, or the old-style one (v3)
    // after the user has agreed to lose what it cannot hold. An existing file
    // is replaced only when the new one has been written completely.
    void write_confDataToFile(QString fileName, bool oldstyle);
    // Loads a configuration file of any format this program knows, rebuilds
    // the memory tables and emits readFileFinished(). A file that cannot be
    // opened or read leaves everything as it was.
    void read_confDataFromFile(QString fileName);
    void trapSlot(const QModelIndex& c, const QModelIndex& p);
    // The first configuration file of start-up (-c), into a controller that
    // holds what its construction left and nothing else: read as
    // read_confDataFromFile reads it, without keeping the cleared image
    // aside first; a file refused late clears the configuration again.
    void readFirstConfiguration(const QString& fileName);
    // readFirstConfiguration in two halves, so that the first window is
    // built meanwhile: the start reads the file and inflates a current-format
    // image into the cleared image on a thread of its own, touching nothing
    // else; the finish joins it and takes the file with every message, as
    // readFirstConfiguration does. Nothing may read the image in between.
    void startFirstConfiguration(const QString& fileName);
    void finishFirstConfiguration();
    t_threadDevice* getUsbDev();
    // Number of DMX input channels used (inputChannelLimit), stored as given.
    void setDmxInLimit(int n);
    // Fills the sun table for the current year and stores the latitude.
    void calculateSunEvents(int latitude, int offsetMinutes);

public:
    // ---- Device operations, defined by the device library (kvdevice) ----
    // They are plain member functions rather than slots so that this
    // library's meta-object never refers to them; connect to them with
    // pointer-to-member connect.
    void setConnection(bool connection);
    void ch_mode(int mode);
    void send_sc_prep(int scene_number);
    void send_new_val(int sc, int ch);
    void read_alldata();
    void send_alldata();
    void readRCU();
    void writeRCU();

    // Request protocol. Waits block the calling thread without processing events.
    // The low 16 bits of value, bytes exchanged when swapBytes is set.
    uint16_t deviceWord(int value) const;
    static void delay100ms();
    static void delay1ms();
    // Polls the status word until none of bits is set (0), at most `tries`
    // polls 100 ms apart; otherwise the bits still set.
    int waitDeviceStatus(int bits, int tries);
    // Polls until all of bits are set (returns bits); otherwise the part of
    // bits set at the last poll.
    int pollDeviceStatus(int bits, int tries);
    // One 64 KB configuration frame into block: 0, or -1 (a checksum error
    // keeps the connection, a failed transfer drops it).
    int readBlock(transferBlock& block);
    // 1 when the controller took the request, 0 otherwise.
    int setDmxTransparency(bool on);

    // Connection and identification.
    // Closes the link after a protocol failure, once. A controller whose last
    // transfer ran into its time-out is let go without the mode request that
    // normally says goodbye: it would only wait out another time-out.
    void dropConnection();
    void markDisconnected();
    bool isConnected();
    // 0, 1 or 2 from the controller's state code; -1 without an answer.
    int deviceState();
    // 0 when the controller runs again, -1 when it does not; the device is
    // then closed. It stops waiting for the controller when the user cancels
    // the choice of another one or the controller does not answer.
    int restartDevice();
    int readSerialNumber();
    QString serialNumberText() const;
    QString firmwareVersionText() const;

    // Working modes, live values and clock.
    // Puts the device into mode 1, 3 or 4; returns the mode, or 0.
    int setDeviceMode(int mode);
    int getDeviceMode() const;
    int freezeDevice();
    int unfreezeDevice();
    // The device clock for the status display, read about once a minute.
    QString readDeviceClockText();
    int setDeviceClock(QDateTime time, bool dst);
    // 0 when the controller took the calibration, -1 otherwise.
    int setClockCalibration(int adjust);
    // Remote-control unit; problems are reported in message boxes.
    // The learnt address 0..31 (stored), 255 when none was learnt, -1 failure.
    int learnRcuAddress();
    // The learnt code 0..63 of key 0..63 (stored), 255 none, -1 failure.
    int learnRcuKeyCode(int key);
    // Waits up to 3 s for the result of an address operation and takes it.
    int waitRcuAddress();
    // Stores an address 0..31 and sends it: as waitRcuAddress, 0 when not
    // connected, -1 for an address above 31.
    int setRcuAddress(int address);
    // Stores one code 0..63: 0, or -1 when key or code is out of range.
    int setRcuKeyCode(int key, int code);

    // Monitor reads: kind MONITOR_INPUTS (3 bytes), MONITOR_DMX with source
    // `sub` (the 524-byte frame) or MONITOR_STATES (the 2426-byte block)
    // into buffer. 0 = fresh data that passed its checks; -1 = no data.
    int readInputStates(int kind, void* buffer, unsigned sub = 0);

    // Firmware upgrade and verification from an upgrade file (".upg"). The
    // outcome is told in message boxes; the connection is kept.
    void upgradeFirmware(const QString& fileName);
    void verifyFirmware(const QString& fileName);

    // ---- Members, read and written in place by the editors ----
    t_threadDevice* device = nullptr;              // owned
    int hardwareCode = 0x1D3;
    int uiMode = 0;                                // 1 normal, 2 live
    int deviceMode = 0;                            // 1, 3, 4, 6
    int connected = 0;
    int lastRequest = 0;
    int lastValue = 0;
    int lastIndex = 0;
    QProgressDialog* progressDialog = nullptr;     // owned; null outside transfers
    QString serialText;
    QString firmwareText;
    firmwareVersionRecord firmwareVersion;
    // Why the last connection, restart or operation ended without the
    // controller: the user cancelled the choice of another controller, or a
    // controller is there but does not answer (a transfer ran into its
    // time-out). Whoever would try to connect again stops on either.
    enum class linkFailure { none, cancelled, notAnswering };
    linkFailure lastLinkFailure = linkFailure::none;
    // The controller's show is frozen, as last seen: at connection, and by
    // freezing and resuming.
    bool deviceFrozen = false;
    // The status word of the last status poll of the waits.
    uint32_t lastStatusWord = 0;
    int clockSyncCounter = 10;
    int clockValid = 0;
    uint8_t* configImage = nullptr;                // owned, img::SIZE bytes
    QString lastPath;
    QStringList otherSerials;
    std::array<QList<uint16_t>, 15> coupledSceneGroups;
    bool dstActive = false;
    // Per active-scene range a static and an in-motion picture; not in the image.
    uint8_t compoundScenes[16][2][512] = {};
    bool swapBytes = true;
    QString projectFileName;
    QString projectFileDate;
    // The main window's title: "KvOrbit310+" and the name of the file last
    // read or saved, as far as that file is the show in memory. Every main
    // window shows it, also one built after the file was read (a file given
    // on the command line, a change of language).
    QString mainWindowTitle() const;
    programTable programs;
    eventTable events;
    std::array<QList<uint16_t>, img::SEQUENCES> sequenceDelays;
    QList<uint16_t> startedDelays;
    extraEntryList extraEntries;
    std::array<timerRecord, img::TIMER_RECORDS> timerTable;
    std::array<QString, img::SCENES> sceneDescriptions;
    std::array<QString, img::MASKS> maskDescriptions;
    std::array<QString, img::PROGRAM_SLOTS> programDescriptions;
    std::array<QString, EVENT_COUNT> eventDescriptions;
    std::array<QString, 68> stateDescriptions;
    std::array<QString, img::INPUTS> inputDescriptions;
    std::array<QString, 64> rcuKeyDescriptions;
    std::array<QString, 14> panelDescriptions;
    const uint16_t* sunriseDefaults = nullptr;     // 366 minutes of day, not owned
    const uint16_t* sunsetDefaults = nullptr;
    int clockCalibration = 0;                      // -31..31
    std::array<uint8_t, 64> rcuKeyCodes{};         // 0xFF none
    uint8_t rcuAddress = 0xFF;                     // 0xFF none
    // Most status polls a states read has waited so far, before and after
    // its block; they feed the debug output only.
    int statesReadyMaxPolls = -1;
    int statesFinishedMaxPolls = 0;

private:
    showFingerprint fingerprint;
    std::unique_ptr<uint8_t[]> fingerprintImage;  // scratch of currentFingerprint: the tables' part of the image
    void clearActionsInMemory(uint32_t co);
    // Set while the constructor clears its image, which is all zero bytes
    // then: the clear writes only what is not zero.
    bool imageZeroed = false;
    // What clearing the categories `co` does beside the image: descriptions,
    // sequence lists, remote-control codes and the visual project.
    void clearBesideImage(uint32_t co);
    // How a configuration file was taken: refused with a message of its own,
    // refused as corrupted, or taken whole or with incomplete descriptions.
    enum class fileRead { refused, corrupt, whole, descriptionsIncomplete };
    // The current format, from its first bytes on; the image is inflated in
    // place, everything else is changed only once the file is taken.
    struct fileContent;
    struct readAhead;
    std::shared_ptr<readAhead> readingAhead;
    // Opens and reads the whole file; changes nothing.
    static void loadConfigurationFile(fileContent& f);
    // Takes a file read: messages, image, tables, descriptions, title.
    void takeConfiguration(fileContent& f, bool keepImage);
    fileRead readCurrentFile(fileContent& f, bool keepImage);
    void readConfiguration(const QString& fileName, bool keepImage);
    // An old-style (v3) or v2 file, from its first bytes on.
    fileRead readOldConfig(const QByteArray& content, bool v2, const QString& fileName);
    // Clamps the settings a file may hold out of range, rebuilds the memory
    // tables from the image and tells the pages.
    void finishFileRead();
    // The file the main window's title names, for the one controller of
    // the run only; empty for none.
    void showProjectTitle(const QString& fileName);
    QString titleFileName;
};

// What changes the show while one lives is a page's repair of what it shows
// (a value outside its range written back as the page shows it): a show
// unchanged since its fingerprint is taken again afterwards, so that a
// repair never counts as unsaved work. A show already changed stays so.
class showRepair {
public:
    explicit showRepair(kv310_controller_class* controller);
    ~showRepair();
    showRepair(const showRepair&) = delete;
    showRepair& operator=(const showRepair&) = delete;

private:
    kv310_controller_class* controller;
    bool unchanged;
};
