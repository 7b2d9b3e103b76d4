#include "monitor/state_texts.h"

#include "model/config_image.h"
#include "model/events.h"
#include "model/kv310_controller.h"

#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QStringList>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr int STATE_BITS_WORD = 8;   // five words of state bits from byte 16
constexpr int LIST_AREA_WORD = 13;   // the list area starts at byte 26
constexpr int FIRST_LISTED_BIT = 12; // bit 11 + n is state n (1..68)
constexpr int STATE_BIT_COUNT = 80;

// The 16-bit word at word index `at`, or 0 beyond the block.
struct blockWords {
    const uint8_t* block;
    int size;

    bool holds(qint64 word, int words = 1) const { return word >= 0 && 2 * (word + words) <= size; }
    uint16_t at(qint64 word) const { return holds(word) ? qFromLittleEndian<quint16>(block + 2 * word) : 0; }
};

// One list row: which fields of the block describe it and how its entries read.
struct listRow {
    int countWord;
    int offsetWord;
    int wordsPerEntry;
    int removeAt;  // the filling spaces of the number start here
};

constexpr listRow listRows[STATE_ROWS - 1] = {
    {0, 1, 1, 2},  // scenes
    {2, 3, 2, 2},  // programs
    {4, 5, 1, 3},  // masks
    {6, 7, 1, 3},  // delays
};

template <size_t N>
QString describedBy(const std::array<QString, N>& descriptions, int number)
{
    return number < int(N) ? descriptions[size_t(number)] : QString();
}

}  // namespace

std::array<QString, STATE_ROWS> stateTexts::build(const uint8_t* block, int size,
                                                  const std::array<bool, STATE_ROWS>& withDescriptions,
                                                  const kv310_controller_class* controller)
{
    const blockWords words{block, block ? qMax(size, 0) : 0};
    std::array<QString, STATE_ROWS> texts;

    bool anyBit = false;
    for (int w = 0; w < 5; ++w)
        anyBit = anyBit || words.at(STATE_BITS_WORD + w) != 0;
    if (!anyBit) {
        texts[0] = tr("none");
    } else {
        for (int b = FIRST_LISTED_BIT; b < STATE_BIT_COUNT; ++b) {
            if (words.at(STATE_BITS_WORD + b / 16) & (1u << (b % 16)))
                texts[0] += QStringLiteral("S%1 ").arg(b - 11);
        }
    }

    const QString noDescription = tr("no description...");
    QStringList entries;
    for (int row = 1; row < STATE_ROWS; ++row) {
        const listRow& list = listRows[row - 1];
        const int count = words.at(list.countWord);
        if (count == 0) {
            texts[size_t(row)] = tr("none");
            continue;
        }
        const bool describe = withDescriptions[size_t(row)];
        const qint64 first = LIST_AREA_WORD + qint64(words.at(list.offsetWord));
        entries.clear();
        for (int i = 0; i < count; ++i) {
            const qint64 at = first + qint64(i) * list.wordsPerEntry;
            // An entry reaching past the block is not there to read.
            if (!words.holds(at, list.wordsPerEntry))
                break;
            const int number = words.at(at);
            QString entry;
            QString description;
            switch (row) {
            case 1:
                entry = QStringLiteral("Sc%1 ").arg(number + 1, 4);
                if (describe && controller)
                    description = describedBy(controller->sceneDescriptions, number);
                break;
            case 2:
                entry = QStringLiteral("Pr%1-%2 ").arg(number + 1, 3).arg(words.at(at + 1) + 1);
                if (describe && controller)
                    description = describedBy(controller->programDescriptions, number);
                break;
            case 3:
                entry = QStringLiteral("Msk%1  ").arg(number + 1, 3);
                if (describe && controller)
                    description = describedBy(controller->maskDescriptions, number);
                break;
            default:
                entry = QStringLiteral("Dly%1  ").arg(number + 1, 3);
                if (describe && controller && number < img::DELAYS)
                    description = controller->eventDescriptions[size_t(EVENT_DELAY_END + number)];
                break;
            }
            if (describe) {
                entry += description.isEmpty() ? noDescription : description;
                entry += QLatin1Char('\n');
            }
            entries.append(entry);
        }
        // The numbers are filled with spaces on the left, so that sorting the
        // texts sorts them by number; the spaces go once sorted.
        std::sort(entries.begin(), entries.end());
        QString& text = texts[size_t(row)];
        for (QString& entry : entries) {
            int fill = 0;
            while (list.removeAt + fill < entry.size() && entry.at(list.removeAt + fill) == QLatin1Char(' '))
                ++fill;
            entry.remove(list.removeAt, fill);
            text += entry;
        }
    }
    return texts;
}

// ---- Row caption --------------------------------------------------------------

btn_lbl::btn_lbl()
    : QWidget(nullptr)
{
    label = new QLabel(this);
    label->setEnabled(false);
    // The caption is no control to be greyed out: it keeps the text colour,
    // so that it reads on the caption's background.
    // (On a table's cell it draws in the role of text on the cell's base.)
    QPalette captionPalette = label->palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        captionPalette.setColor(QPalette::Disabled, role, captionPalette.color(QPalette::Active, role));
    label->setPalette(captionPalette);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setMargin(3);
    descrButton = new QPushButton(tr("Descr."), this);
    descrButton->setCheckable(true);
    QPalette p = palette();
    p.setColor(QPalette::All, QPalette::Base, QColor(243, 228, 186));
    setPalette(p);
    setAutoFillBackground(true);
    connect(descrButton, &QPushButton::toggled, this, &btn_lbl::changeState);
}

void btn_lbl::changeState(bool on)
{
    showDescriptions = on;
}

void btn_lbl::resizeEvent(QResizeEvent* event)
{
    const int w = event->size().width();
    const int h = event->size().height();
    label->setGeometry(0, 0, w - 2, h - 24);
    descrButton->setGeometry(0, h - 23, w - 2, 21);
    QWidget::resizeEvent(event);
}
