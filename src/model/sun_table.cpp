#include "sun_table.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "seams/regular_file.h"
#include "kv310_controller.h"

#include <QDate>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr uint32_t UNDEFINED_ENTRY = 0xFFFFFFFF;
// A time above this is no minute of the day: the day is not described.
constexpr unsigned LAST_MINUTE = 1440;

double rem(double a, double b)
{
    return a - b * std::trunc(a / b);
}

// Minutes of the day, truncated toward zero; a time before midnight wraps
// as a 16-bit value (and reads as no valid minute).
uint16_t toMinute(double x)
{
    return uint16_t(static_cast<long long>(std::trunc(x)));
}

uint32_t entryOf(uint16_t sunrise, uint16_t sunset)
{
    return uint32_t(sunrise) | (uint32_t(sunset) << 16);
}

QByteArray clockText(unsigned minutes)
{
    return QByteArray::number(minutes / 60) + ':' + QByteArray::number(minutes % 60).rightJustified(2, '0');
}

// "h:mm" with an hour below 24 and a minute below 60.
bool readClock(const QString& text, uint16_t& minutes)
{
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() < 2)
        return false;
    const unsigned hour = parts[0].toUInt();
    const unsigned minute = parts[1].toUInt();
    if (hour >= 24 || minute >= 60)
        return false;
    minutes = uint16_t(hour * 60 + minute);
    return true;
}

} // namespace

void kv310_controller_class::calculateSunEvents(int latitude, int offsetMinutes)
{
    calculateSunEventsFor(QDate::currentDate().year(), latitude, offsetMinutes);
}

void kv310_controller_class::calculateSunEventsFor(int year, int latitude, int offsetMinutes)
{
    int monthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (QDate::isLeapYear(year))
        monthLength[1] = 29;

    const double Y = year;
    const double phi = latitude * 0.017453293;
    int e = 0;
    for (int m = 1; m <= 12; ++m) {
        for (int j = 1; j <= monthLength[m - 1]; ++j) {
            const double D = 367.0 * Y - std::floor(7.0 * (year + (m + 9) / 12) / 4.0) + (275 * m) / 9 + j - 730531.5;
            const double T = D / 36525.0;
            const double L = rem(4.8949504201433 + 628.331969753199 * T, 6.28318530718);
            const double G = rem(6.2400408 + 628.3019501 * T, 6.28318530718);
            const double eps = 0.409093 - 0.0002269 * T;
            const double C = 0.033423 * std::sin(G) + 0.00034907 * std::sin(2 * G);
            const double lambda = L + C;
            const double E = 0.0430398 * std::sin(2 * lambda) - 0.00092502 * std::sin(4 * lambda) - C;
            const double delta = std::asin(std::sin(lambda) * std::sin(eps));
            // Beyond the polar circles the sun may not rise or set at all:
            // keep the arc cosine defined (a whole day or night of sun).
            const double cosH = (std::sin(-0.014538593069) - std::sin(phi) * std::sin(delta))
                                / (std::cos(phi) * std::cos(delta));
            const double H = std::acos(std::isnan(cosH) ? 1.0 : std::clamp(cosH, -1.0, 1.0));
            const double sunrise = (3.14159265 - (H + E)) * 60 * 57.29577951 / 15 - offsetMinutes;
            const double sunset = (3.14159265 - (E - H)) * 60 * 57.29577951 / 15 - offsetMinutes;
            img::putU32(configImage, img::sunTableOf(e), entryOf(toMinute(sunrise), toMinute(sunset)));
            ++e;
        }
    }
    // A common year repeats 31 December for the leap day's place.
    if (e == SUN_DAYS - 1) {
        img::putU32(configImage, img::sunTableOf(e), img::getU32(configImage, img::sunTableOf(e - 1)));
        ++e;
    }
    img::putU32Run(configImage, img::sunTableOf(e), img::SUN_ENTRIES - e, UNDEFINED_ENTRY);
    img::putI32(configImage, img::latitude, latitude);
}

int kv310_controller_class::exportSunTimes(const QString& fileName)
{
    QByteArray text;
    text.reserve(SUN_DAYS * 32 + 96);
    text += "KV310 sunrise- and sunsettimes ( minutes of day )\r\n";
    text += "Day of year;sunrise;sunset";
    for (int d = 1; d <= SUN_DAYS; ++d) {
        const uint32_t entry = img::getU32(configImage, img::sunTableOf(d - 1));
        text += "\r\n";
        text += QByteArray::number(d);
        text += ';';
        if (entry == UNDEFINED_ENTRY) {
            text += "Undefined!";
            continue;
        }
        const unsigned sunrise = entry & 0xFFFF;
        const unsigned sunset = entry >> 16;
        text += clockText(sunrise);
        text += ';';
        text += clockText(sunset);
        if (sunrise > LAST_MINUTE || sunset > LAST_MINUTE)
            text += ";invalid time(s)!";
    }

    // Written aside and put in place only when complete, so a failed write
    // never leaves the user with half of a file that was whole before.
    QSaveFile file(fileName);
    if (!openRegularSaveFile(file))
        return -1;
    if (file.write(text) != text.size() || !file.commit())
        return -2;
    return 0;
}

int kv310_controller_class::importSunTimes(const QString& fileName)
{
    QFile file(fileName);
    switch (openBoundedFile(file, fileLimit::sunTimesMB)) {
    case boundedOpen::opened:
        break;
    case boundedOpen::failed:
        return -1;
    case boundedOpen::tooBig:
        showFileTooBig(theMainWindow, fileName, fileLimit::sunTimesMB);
        return -3;
    }

    std::array<uint32_t, SUN_DAYS> table;
    table.fill(UNDEFINED_ENTRY);
    while (!file.atEnd()) {
        QByteArray raw = file.readLine();
        while (raw.endsWith('\n') || raw.endsWith('\r'))
            raw.chop(1);
        if (!raw.contains(';'))
            continue;
        const QStringList parts = QString::fromLatin1(raw).split(QLatin1Char(';'));
        const unsigned day = parts[0].toUInt();
        if (day < 1 || day > unsigned(SUN_DAYS) || parts.size() < 2)
            continue;
        uint16_t sunrise = 0;
        uint16_t sunset = 0;
        if (!readClock(parts[1], sunrise) || parts.size() < 3 || !readClock(parts[2], sunset))
            continue;
        table[day - 1] = entryOf(sunrise, sunset);
    }

    // A file for a common year gives the leap day's place the values of 31 December.
    uint32_t& last = table[SUN_DAYS - 1];
    if ((last & 0xFFFF) == 0xFFFF)
        last = (last & 0xFFFF0000u) | (table[SUN_DAYS - 2] & 0xFFFF);
    if ((last >> 16) == 0xFFFF)
        last = (last & 0xFFFF) | (table[SUN_DAYS - 2] & 0xFFFF0000u);

    enum { SKIP_THIS, CANCEL, SKIP_ALL };
    for (int d = 0; d < SUN_DAYS; ++d) {
        if ((table[size_t(d)] & 0xFFFF) <= LAST_MINUTE && (table[size_t(d)] >> 16) <= LAST_MINUTE)
            continue;
        const int answer = askQuestion(QMessageBox::Question, theMainWindow, tr("Incomplete file!"),
                                       tr("Not all days of year are properly described!\n\tContinue anyway?"),
                                       {tr("Skip this"), tr("Cancel"), tr("Skip all")}, SKIP_THIS, CANCEL);
        if (answer == SKIP_ALL)
            break;
        if (answer != SKIP_THIS)
            return -2;
    }

    for (int d = 0; d < SUN_DAYS; ++d)
        img::putU32(configImage, img::sunTableOf(d), table[size_t(d)]);
    return 0;
}
