#include "monitor/pokaz.h"

#include "monitor/monitor_flags.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"
#include "seams/gui_base.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QRadialGradient>
#include <QTableWidget>
#include <QToolTip>

pokaz::pokaz(int kind)
    : QWidget(nullptr), kind(kind)
{
    setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(this, qOverload<bool>(&pokaz::closed), this, qOverload<>(&pokaz::closed));
    if (kind == MONITOR_FLAG_DMX_OUT) {
        if (gui_base_class* window = theMainWindow) {
            // The main window is the context: a window deleted after the
            // main window it was opened from reaches no scene editor.
            connect(this, qOverload<bool>(&pokaz::closed), window, [window](bool on) {
                if (theMainWindow == window)
                    window->setSceneTransparency(on);
            });
            keepHidden = window->sceneMonitorHidden();
        }
    }
}

pokaz::~pokaz()
{
    // The live visualisation shows the output values straight from this
    // buffer; it must not be left pointing at freed memory.
    if (theVisualProject && !buffer.empty()) {
        const uint8_t* first = buffer.data();
        if (theVisualProject->dmxBuffer >= first && theVisualProject->dmxBuffer < first + buffer.size())
            theVisualProject->dmxBuffer = nullptr;
    }
    std::vector<uint8_t>().swap(buffer);
    if (kind == MONITOR_FLAG_DMX_OUT)
        emit closed(false);
    cells.clear();
    delete table;
    table = nullptr;
}

void pokaz::resizeEvent(QResizeEvent* event)
{
    const int w = event->size().width();
    const int h = event->size().height();
    if (table)
        table->resize(w - 2, h - 22);
    pbStop->resize(w - 2, 23);
    if (kind == MONITOR_FLAG_STATES && table) {
        // The text column takes what the caption column leaves.
        table->setColumnWidth(1, w - 5 - table->columnWidth(0));
        const int rowHeight = (table->height() - 2) / 5;
        for (int row = 0; row < 5 && row < table->rowCount(); ++row)
            table->setRowHeight(row, rowHeight);
    }
    QWidget::resizeEvent(event);
}

void pokaz::closeEvent(QCloseEvent* event)
{
    // The stop slot is reached queued, so the panel is never re-entered
    // from inside this window's own closing.
    pbStop->click();
    event->accept();
}

// ---- Inputs window indicators --------------------------------------------------

namespace {

QBrush gradientBrush(const QColor& rim)
{
    QRadialGradient gradient(30, 25, 40);
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, rim);
    return QBrush(gradient);
}

QPalette indicatorPalette()
{
    static const QPalette palette = [] {
        QPalette p;
        p.setBrush(QPalette::All, QPalette::AlternateBase, gradientBrush(QColor::fromRgbF(0.2f, 1.0f, 0.2f)));
        p.setBrush(QPalette::All, QPalette::Window, gradientBrush(QColor::fromRgbF(1.0f, 0.25f, 0.25f)));
        p.setBrush(QPalette::All, QPalette::Base, QBrush(QColor(200, 200, 200)));
        return p;
    }();
    return palette;
}

}  // namespace

inKey_class::inKey_class(int inputIndex, QWidget* parent)
    : QLabel(parent), inputIndex(inputIndex)
{
    setFrameShape(QFrame::WinPanel);
    setFrameShadow(QFrame::Raised);
    setPalette(indicatorPalette());
    setAutoFillBackground(true);
    setFont(QFont(QStringLiteral("MS Shell Dlg"), 9, QFont::Bold));
    setText(tr("%1: Off").arg(inputIndex + 1));
    setAlignment(Qt::AlignCenter);
    setMouseTracking(true);
    setEnabled(true);
}

QFont inKey_class::fittingFont(int width)
{
    QFont font(QStringLiteral("MS Shell Dlg"), 9, QFont::Bold);
    // Inside the raised frame, a pixel clear of it on either side.
    constexpr int FRAME = 2;
    const int room = width - 2 * (FRAME + 1);
    const QString last = QString::number(MONITOR_INPUT_COUNT);
    const QStringList texts = {tr("%1: Off").arg(last), tr("%1: On").arg(last), tr("Undef.")};
    constexpr int SMALLEST = 6;
    while (font.pointSize() > SMALLEST) {
        const QFontMetrics metrics(font);
        int widest = 0;
        for (const QString& text : texts)
            widest = qMax(widest, metrics.horizontalAdvance(text));
        if (widest <= room)
            break;
        font.setPointSize(font.pointSize() - 1);
    }
    return font;
}

QString inKey_class::descriptionText() const
{
    QString text;
    if (theController && inputIndex >= 0 && inputIndex < int(theController->inputDescriptions.size()))
        text = theController->inputDescriptions[size_t(inputIndex)];
    return text.isEmpty() ? tr("no description...") : text;
}

void inKey_class::setInputState(int level, int inputType)
{
    if (inputType == -1) {
        setText(tr("Undef."));
        setBackgroundRole(QPalette::Base);
        setFrameShadow(QFrame::Plain);
    } else {
        // A normally-closed input is active when its contact opens.
        const bool active = inputType == 1 ? level != 1 : level != 0;
        setText((active ? tr("%1: On") : tr("%1: Off")).arg(inputIndex + 1));
        setBackgroundRole(active ? QPalette::AlternateBase : QPalette::Window);
        setFrameShadow(active ? QFrame::Sunken : QFrame::Raised);
    }
    update();
}

void inKey_class::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        QToolTip::showText(event->globalPosition().toPoint() + QPoint(0, 5), descriptionText());
}

void inKey_class::mouseReleaseEvent(QMouseEvent*)
{
    QToolTip::hideText();
}
