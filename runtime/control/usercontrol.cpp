#include "usercontrol.h"

#include "colour.h"
#include "textlayout.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTextBoundaryFinder>

namespace {

constexpr quint32 buttonFace = 0x8000000F;
constexpr quint32 buttonText = 0x80000012;
// Print lays out no more of a text than can show: a character is at least
// a pixel wide, and a quarter of one where glyphs overlap, with some to
// spare.
constexpr int charactersAPixelAtMost = 4;
constexpr int charactersToSpare = 64;

void checkColour(quint32 color)
{
    const bool system = (color & 0xFF000000u) == 0x80000000u && (color & 0x00FFFFFFu) <= 0x18;
    if ((color & 0xFF000000u) != 0 && !system)
        throw RuntimeError::invalidPropertyValue();
}

qint16 buttonOf(Qt::MouseButtons buttons)
{
    return qint16((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0)
                  | (buttons & Qt::MiddleButton ? 4 : 0));
}

qint16 shiftOf(Qt::KeyboardModifiers modifiers)
{
    return qint16((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0)
                  | (modifiers & Qt::AltModifier ? 4 : 0));
}

} // namespace

UserControl::UserControl(ControlSurface &surface)
    : m_surface(surface)
    , m_backColor(buttonFace)
    , m_foreColor(buttonText)
    , m_font(FontObject::create(QGuiApplication::font()))
{
    m_surface.m_control = this;
    m_fontFollowed =
        QObject::connect(m_font.get(), &FontObject::changed, &m_surface.lifetime(), [this] { followFont(); });
}

UserControl::~UserControl() = default;

QFont UserControl::ambientFont() const
{
    return m_ambientFont ? *m_ambientFont : m_surface.defaultFont();
}

void UserControl::setAmbientFont(const QFont &font)
{
    FontObject::fromFont(font);
    m_ambientFont = font;
}

void UserControl::setSurfaceBackColor(quint32 color)
{
    checkColour(color);
    m_backColor = color;
}

void UserControl::setSurfaceForeColor(quint32 color)
{
    checkColour(color);
    m_foreColor = color;
}

void UserControl::setSurfaceBorderStyle(qint16 style)
{
    if (style != 0 && style != 1)
        throw RuntimeError::invalidPropertyValue();
    m_borderStyle = style;
    m_surface.update();
}

void UserControl::setSurfaceEnabled(bool enabled)
{
    m_changingSurface = true;
    m_surface.setEnabled(enabled);
    m_changingSurface = false;
}

// The font object may be shared, and changed through any holder: the
// surface follows it.
void UserControl::setSurfaceFont(std::shared_ptr<FontObject> font)
{
    if (!font)
        throw RuntimeError::objectVariableNotSet();
    QObject::disconnect(m_fontFollowed);
    m_font = std::move(font);
    m_fontFollowed =
        QObject::connect(m_font.get(), &FontObject::changed, &m_surface.lifetime(), [this] { followFont(); });
    followFont();
}

void UserControl::followFont()
{
    m_measures.reset();
    if (!m_resizing)
        showFontOnSurface();
    surfaceFontChanged();
}

// Measuring is done again and again in the same font: its metrics, and
// the two that every line printed needs, are kept until it changes.
const UserControl::Measures &UserControl::measures() const
{
    if (!m_measures) {
        const QFontMetricsF metrics(m_font->font());
        m_measures = Measures{metrics, metrics.ascent(), metrics.height()};
    }
    return *m_measures;
}

void UserControl::showFontOnSurface()
{
    m_changingSurface = true;
    m_surface.showFont(m_font->font());
    m_changingSurface = false;
}

QRect UserControl::drawingArea() const
{
    const QRect whole = m_surface.rect();
    return m_borderStyle == 1 ? whole.adjusted(1, 1, -1, -1) : whole;
}

void UserControl::Cls()
{
    // Cleared in place: a banner clears and prints again at every tick.
    if (!m_drawing)
        m_drawing.emplace();
    m_drawing->size = drawingArea().size().expandedTo(QSize(0, 0));
    m_drawing->background = colorFromValue(m_backColor);
    m_drawing->lines.clear();
    m_printPosition = QPointF(0, 0);
    m_surface.update();
}

void UserControl::Print(const QString &text)
{
    if (!m_drawing)
        Cls();
    // Only what can fit is laid out: a character is at least a pixel wide,
    // so a text much longer than the surface is cut, at a character boundary.
    QString shown = text.left(qsizetype(m_drawing->size.width()) * charactersAPixelAtMost + charactersToSpare);
    if (shown.size() < text.size()) {
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        graphemes.setPosition(shown.size());
        if (!graphemes.isAtBoundary())
            shown.truncate(graphemes.toPreviousBoundary());
    }
    // One line: line breaks print as nothing.
    shown.replace(u'\n', u' ').replace(u'\r', u' ');

    m_drawing->lines.push_back(
        {m_printPosition + QPointF(0, measures().ascent), shown, m_font->font(), colorFromValue(m_foreColor)});
    m_printPosition = QPointF(0, m_printPosition.y() + lineHeight());
    m_surface.update();
}

float UserControl::TextWidth(const QString &text) const
{
    return float(fontMetrics().horizontalAdvance(text) * twipsPerPixel);
}

float UserControl::TextHeight(const QString &text) const
{
    const qsizetype lines = text.count(u'\n') + 1;
    return float(lineHeight() * double(lines) * twipsPerPixel);
}

float UserControl::ScaleWidth() const
{
    return float(twipsFromPixels(m_surface.size().width()));
}

float UserControl::ScaleHeight() const
{
    return float(twipsFromPixels(m_surface.size().height()));
}

// Each pixel is drawn once: the cleared area over the background around
// it; a single line that comes with its own background band (a banner's
// text) before the rest of the cleared area.
void UserControl::paint(QPainter &painter) const
{
    const QRect whole = m_surface.rect();
    QRect cleared;
    if (m_drawing)
        cleared = QRect(drawingArea().topLeft(), m_drawing->size) & whole;
    if (cleared != whole) {
        painter.setClipRegion(QRegion(whole) - cleared);
        painter.fillRect(whole, colorFromValue(m_backColor));
    }
    if (m_drawing) {
        painter.save();
        painter.translate(cleared.topLeft());
        const QRect area(QPoint(0, 0), cleared.size());
        painter.setClipRect(area);
        if (m_drawing->lines.size() == 1) {
            const PrintedLine &line = m_drawing->lines.front();
            const QRect band =
                m_strip.draw(painter, line.baseline, line.text, line.font, line.colour, m_drawing->background);
            if (band != area) {
                painter.setClipRegion(QRegion(area) - band);
                painter.fillRect(area, m_drawing->background);
            }
        } else {
            painter.fillRect(area, m_drawing->background);
            for (const PrintedLine &line : m_drawing->lines)
                drawText(painter, line.baseline, line.text, line.font, line.colour);
        }
        painter.restore();
    }
    painter.setClipping(false);
    if (m_borderStyle == 1) {
        painter.setPen(Qt::black);
        painter.drawRect(whole.adjusted(0, 0, -1, -1));
    }
}

// The handler fits the font step by step: the surface takes the font it
// ends with, once.
void UserControl::resized()
{
    const QPointer<QObject> alive(&m_surface.lifetime());
    m_resizing = true;
    runHandler([this] { UserControl_Resize(); });
    if (alive) {
        m_resizing = false;
        showFontOnSurface();
    }
}

void UserControl::mouseEvent(QMouseEvent *event, void (UserControl::*handler)(qint16 &, qint16 &, float &, float &))
{
    // A press, double click or release names its own button; a move, all
    // the buttons held.
    qint16 button = buttonOf(event->type() == QEvent::MouseMove ? event->buttons() : Qt::MouseButtons(event->button()));
    qint16 shift = shiftOf(event->modifiers());
    float x = float(event->position().x() * twipsPerPixel);
    float y = float(event->position().y() * twipsPerPixel);
    runHandler([&] { (this->*handler)(button, shift, x, y); });
}

void UserControl::mousePressed(QMouseEvent *event)
{
    m_pressed = true;
    mouseEvent(event, &UserControl::UserControl_MouseDown);
}

void UserControl::mouseMoved(QMouseEvent *event)
{
    mouseEvent(event, &UserControl::UserControl_MouseMove);
}

// A host may end the control in any of its handlers: nothing of it is
// touched once its widget is gone.
void UserControl::mouseReleased(QMouseEvent *event)
{
    const QPointer<QObject> alive(&m_surface.lifetime());
    mouseEvent(event, &UserControl::UserControl_MouseUp);
    if (!alive)
        return;
    const bool click = m_pressed && m_surface.rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        runHandler([this] { UserControl_Click(); });
}

void UserControl::mouseDoubleClicked(QMouseEvent *event)
{
    m_pressed = false;
    const QPointer<QObject> alive(&m_surface.lifetime());
    mouseEvent(event, &UserControl::UserControl_MouseDown);
    if (alive)
        runHandler([this] { UserControl_DblClick(); });
}
