// The remote-control settings file (".rcu"): the system address, the key
// codes and the button descriptions of the controller object in a file of
// their own. The writer produces the lines itself; the reader parses the
// file with the XML reader and takes from the tree what it recognises,
// warning about what it cannot use and keeping the buttons the file does
// not list.

#include "settings/asettings_ired_tab.h"

#include "model/config_file.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/text_encoding.h"
#include "seams/dialog_seam.h"
#include "seams/regular_file.h"
#include "xml/xml_node.h"
#include "xml/xml_report.h"
#include "xml/xml_writer.h"

#include <QSaveFile>
#include <QTextStream>

#include <limits>

namespace {

constexpr int BUTTONS = 64;
constexpr int MAX_ADDRESS = 31;
constexpr int MAX_CODE = 63;
constexpr uint8_t NONE = 0xFF;

const QLatin1String RCU_SUFFIX(".rcu");
const QLatin1String NOT_USED("not used");

QString rcuFilter()
{
    return asettings_ired_tab::tr("KvOrbit RCU Settings (*.rcu)");
}

QString fileFilters()
{
    return rcuFilter() + QStringLiteral(";;") + asettings_ired_tab::tr("All files (*)");
}

// With the ".rcu" filter chosen a name gets the suffix it lacks; with
// "All files (*)" it is used as typed.
QString withRcuSuffix(const QString& name, const QString& selectedFilter)
{
    if (selectedFilter == rcuFilter() && !name.endsWith(RCU_SUFFIX))
        return name + RCU_SUFFIX;
    return name;
}

// 0..35 for the digits and letters of the number bases; beyond every base otherwise.
int digitValue(QChar ch)
{
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'a' && u <= u'z')
        return u - u'a' + 10;
    if (u >= u'A' && u <= u'Z')
        return u - u'A' + 10;
    return 36;
}

// A number as a text stream reads an int: blanks skipped, then "0x"
// hexadecimal, "0b" binary, "0" and an octal digit octal, otherwise decimal
// with an optional sign; reading stops at the first character that cannot
// belong to the number, and a text that does not start with one reads as 0.
// Values beyond an int stay beyond every range the file allows.
int readNumber(const QString& text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    bool negative = false;
    int base = 10;
    if (i + 1 < n && text.at(i) == QLatin1Char('0')) {
        const QChar next = text.at(i + 1).toLower();
        if (next == QLatin1Char('x')) {
            base = 16;
            i += 2;
        } else if (next == QLatin1Char('b')) {
            base = 2;
            i += 2;
        } else if (next >= QLatin1Char('0') && next <= QLatin1Char('7')) {
            base = 8;
            ++i;
        }
    } else if (i < n && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    constexpr qint64 limit = qint64(std::numeric_limits<int>::max());
    qint64 value = 0;
    for (; i < n; ++i) {
        const int d = digitValue(text.at(i));
        if (d >= base)
            break;
        value = std::min(value * base + d, limit);
    }
    return int(negative ? -value : value);
}

// The first element of exactly that name.
const xml_element* elementNamed(const xml_node& node, const QString& name)
{
    return node.findElement(name, true);
}

}  // namespace

void asettings_ired_tab::saveRCUcfg()
{
    build();
    QString start = lastRcuPath;
    const qsizetype separator = std::max(start.lastIndexOf(QLatin1Char('\\')), start.lastIndexOf(QLatin1Char('/')));
    if (separator > 0)
        start = start.left(separator);
    if (start.isEmpty())
        start = QStringLiteral("./");

    fileRequest request;
    request.caption = tr("Choose a RCU settings file for ") + QStringLiteral("Kv310+") + tr(" controller");
    request.directory = start;
    request.filter = fileFilters();
    request.selectedFilter = rcuFilter();
    const QString chosen = dialogs().saveFileName(request);
    if (chosen.isEmpty())
        return;
    writeRcuFile(withRcuSuffix(chosen, request.selectedFilter));
}

bool asettings_ired_tab::writeRcuFile(const QString& fileName)
{
    build();
    const kv310_controller_class* c = theController;
    if (!c)
        return false;
    QByteArray out;
    out += "<contents>Settings for Kv310+ RCU control</contents>\n";
    out += "<swversion>KvOrbit310+ ";
    out += cfgfile::RELEASE;
    out += "</swversion>\n<sysaddress>";
    out += c->rcuAddress > MAX_ADDRESS ? QByteArray(NOT_USED.data()) : QByteArray::number(c->rcuAddress);
    out += "</sysaddress>\n<buttons>\n";
    for (int b = 0; b < BUTTONS; ++b) {
        const uint8_t code = c->rcuKeyCodes[size_t(b)];
        const QString& description = c->rcuKeyDescriptions[size_t(b)];
        if (code > MAX_CODE && description.isEmpty())
            continue;
        out += " <button nr=\"" + QByteArray::number(b) + "\">\n";
        if (code <= MAX_CODE)
            out += "  <code>" + QByteArray::number(code) + "</code>\n";
        if (!description.isEmpty())
            // Escaped as the project description's free texts are, so that
            // "<", ">", "&" and line breaks cannot end or split the element.
            out += "  <description>" + escapeText(description).toUtf8() + "</description>\n";
        out += " </button>\n";
    }
    out += "</buttons>\n";

    // The user's file is replaced only by a complete one.
    QSaveFile file(fileName);
    if (!openRegularSaveFile(file) || file.write(out) != out.size() || !file.commit()) {
        file.cancelWriting();
        showMessage(QMessageBox::Critical, this, tr("File error"),
                    tr("Cannot open file \"%1\" to write!").arg(fileName));
        return false;
    }
    lastRcuPath = fileName;
    return true;
}

void asettings_ired_tab::readRCUcfg()
{
    build();
    fileRequest request;
    request.caption = tr("Choose a RCU settings file for KV310 controller");
    request.directory = lastRcuPath.isEmpty() ? QStringLiteral("./") : lastRcuPath;
    request.filter = fileFilters();
    request.selectedFilter = rcuFilter();
    const QString chosen = dialogs().openFileName(request);
    if (chosen.isEmpty())
        return;
    readRcuFile(withRcuSuffix(chosen, request.selectedFilter));
}

bool asettings_ired_tab::readRcuFile(const QString& fileName)
{
    build();
    QFile file(fileName);
    switch (openBoundedFile(file, fileLimit::rcuFileMB)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        showMessage(QMessageBox::Critical, this, tr("File error"), tr("Cannot open file \"%1\"!").arg(fileName));
        return false;
    case boundedOpen::tooBig:
        showFileTooBig(this, fileName, fileLimit::rcuFileMB);
        return false;
    }
    // Files are written as UTF-8; older installations wrote their 8-bit code page.
    QString text = utf8OrLatin1(file.readAll());
    file.close();

    xml_parse_node root(-1);
    root.name = QStringLiteral("@root");
    QTextStream in(&text, QIODevice::ReadOnly);
    QString line = in.readLine().trimmed();
    const bool parsed = line.startsWith(QLatin1Char('<'));
    if (parsed) {
        while (root.read(in, line)) {
        }
    }

    // A file with neither an address nor a button table is some other
    // file picked by mistake: taking it would wipe every learnt code.
    const xml_element* address = elementNamed(root, QStringLiteral("sysaddress"));
    const xml_node* buttons = nullptr;
    for (const xml_node& node : root.nodes) {
        if (node.name == QLatin1String("buttons")) {
            buttons = &node;
            break;
        }
    }
    if (!parsed || (!address && !buttons && !elementNamed(root, QStringLiteral("buttons")))) {
        showMessage(QMessageBox::Warning, this, tr("Data error!"), tr("Not a remote-control settings file!"));
        return false;
    }
    // What could be parsed is still used.
    reportXmlErrors(root, fileName, this);

    kv310_controller_class* c = theController;
    if (!c)
        return true;

    // The texts may name the file where a translation wants to.
    const auto dataWarning = [&](const QString& message) {
        showMessage(QMessageBox::Warning, this, tr("Data error!"),
                    message.contains(QLatin1String("%1")) ? message.arg(fileName) : message);
    };
    bool ignoreAll = false;
    const auto dataQuestion = [&](const QString& message) {
        if (ignoreAll)
            return;
        const int answer = askQuestion(QMessageBox::Warning, this, tr("Data error!"), message,
                                       {tr("Ignore"), tr("Ignore all")}, 0, 0);
        ignoreAll = answer == 1;
    };

    if (!address) {
        c->rcuAddress = NONE;
        dataWarning(tr("Undetermined RCU address value!"));
    } else if (address->value == NOT_USED) {
        c->rcuAddress = NONE;
    } else {
        const int value = readNumber(address->value);
        if (value >= 0 && value <= MAX_ADDRESS) {
            c->rcuAddress = uint8_t(value);
        } else {
            c->rcuAddress = NONE;
            dataWarning(tr("Invalid system address value!"));
        }
    }

    if (!buttons) {
        // A file without a learnt button holds "<buttons>" and "</buttons>"
        // only, which reads as an empty element: an empty table.
        const xml_element* empty = elementNamed(root, QStringLiteral("buttons"));
        if (!empty || !empty->value.trimmed().isEmpty()) {
            c->rcuKeyCodes.fill(NONE);
            dataWarning(tr("Undetermined key codes table!"));
        }
    } else {
        for (const xml_node& button : buttons->nodes) {
            if (button.name != QLatin1String("button"))
                continue;
            const QString* nrText = button.attrValue(QStringLiteral("nr"));
            const int nr = nrText ? readNumber(*nrText) : -1;
            if (nr < 0 || nr >= BUTTONS) {
                dataQuestion(tr("Invalid key number!"));
                continue;
            }
            uint8_t& code = c->rcuKeyCodes[size_t(nr)];
            if (const xml_element* codeElement = elementNamed(button, QStringLiteral("code"))) {
                const int value = readNumber(codeElement->value);
                if (value >= 0 && value <= MAX_CODE) {
                    code = uint8_t(value);
                } else {
                    code = NONE;
                    dataQuestion(tr("Invalid key code!"));
                }
            } else {
                code = NONE;
            }
            const xml_element* description = elementNamed(button, QStringLiteral("description"));
            // A file written unescaped by an earlier release reads as it did,
            // except where a description holds an escaped form ("&&", "&lt;",
            // "&#10;", ...).
            c->rcuKeyDescriptions[size_t(nr)] = description ? unescapeText(description->value) : QString();
        }
    }

    settingsReloaded();
    return true;
}
