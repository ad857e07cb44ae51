#include "scrollerprivate.h"

#include "colour.h"
#include "componentconversions.h"
#include "conversions.h"
#include "numbers.h"
#include "twips.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <cmath>

namespace Tovrell {

namespace {

const QString W = QStringLiteral("W");
const QString A = QStringLiteral("A");

// Where each grapheme cluster of text starts, then the text's end.
std::vector<qsizetype> characterStartsOf(const QString &text)
{
    std::vector<qsizetype> starts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = 0; at >= 0 && at < text.size(); at = finder.toNextBoundary())
        starts.push_back(at);
    starts.push_back(text.size());
    return starts;
}

qint64 roundHalfEven(float value)
{
    return qint64(std::nearbyint(double(value)));
}

} // namespace

ScrollerPrivate::ScrollerPrivate(std::unique_ptr<ScrollerFace> face)
    : UserControl(*face)
    , m_face(std::move(face))
{
    Timer1.setInterval(100);
    Timer1.callOnTimeout(&m_face->lifetime(), [this] { runHandler([this] { Timer1_Timer(); }); });
    Timer1.start();
}

ScrollerPrivate::~ScrollerPrivate() = default;

bool ScrollerPrivate::initProperties()
{
    scrollAfresh();
    return runHandler([this] { UserControl_InitProperties(); });
}

bool ScrollerPrivate::readProperties(::PropertyBag &bag)
{
    scrollAfresh();
    return runHandler([this, &bag] { UserControl_ReadProperties(bag); });
}

// A new placement or a load scrolls its caption from the start, whatever
// the timer built before.
void ScrollerPrivate::scrollAfresh()
{
    storeCaption(Caption());
    ScrollText.clear();
    m_characterStarts.clear();
    ScrollPosition = 0;
}

bool ScrollerPrivate::writeProperties(::PropertyBag &bag)
{
    return runHandler([this, &bag] { UserControl_WriteProperties(bag); });
}

void ScrollerPrivate::setBounds(int x, int y, int width, int height)
{
    // X11's own limits: coordinates are 16-bit, sizes at most 32767. A
    // larger widget would ask for a backing store of gigabytes.
    constexpr int largest = 32767;
    const auto within = [](int value, int low) { return value >= low && value <= largest; };
    if (!within(width, 0) || !within(height, 0) || !within(x, -largest - 1) || !within(y, -largest - 1))
        throw RuntimeError::invalidPropertyValue();
    const bool sameSize = QSize(width, height) == m_face->size();
    m_face->setGeometry(QRect(x, y, width, height));
    if (sameSize)
        resized();
}

void ScrollerPrivate::PropertyChanged(const QString &name)
{
    m_face->propertyChanged(name);
}

void ScrollerPrivate::reportError(int number, const QString &description)
{
    m_face->errorRaised(number, description);
}

// Reports a change by the property's name and, to the component's
// listeners, by its dispatch id.
void ScrollerPrivate::notify(DISPID id)
{
    PropertyChanged(QString::fromUtf16(property(id).name));
    if (onPropertyChanged)
        onPropertyChanged(id);
}

void ScrollerPrivate::let(DISPID id, const QVariant &value)
{
    const Property &changed = property(id);
    changed.store(*this, value);
    if (changed.repaints)
        RefreshCaption();
    notify(id);
}

// The timer's own range: 0 to 65535 milliseconds, 0 stopping its events.
void ScrollerPrivate::applyInterval(qint32 milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw RuntimeError::invalidPropertyValue();
    const bool wasScrolling = scrolling();
    Timer1.setInterval(milliseconds);
    if (milliseconds == 0)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
    if (scrolling() != wasScrolling)
        m_face->scrollingChanged();
}

QVariant ScrollerPrivate::Caption() const
{
    return m_captionRotates ? QVariant(rotation(qsizetype(m_characterStarts.size()))) : CaptionValue;
}

void ScrollerPrivate::storeCaption(const QVariant &value)
{
    CaptionValue = value;
    m_captionRotates = false;
}

void ScrollerPrivate::setAmbientUserMode(bool userMode)
{
    const bool wasScrolling = scrolling();
    UserControl::setAmbientUserMode(userMode);
    if (scrolling() != wasScrolling)
        m_face->scrollingChanged();
}

// While it scrolls, CaptionValue keeps the caption as set: the text shown
// is built from ScrollText only when read.
QString ScrollerPrivate::captionAsSet() const
{
    return toText(CaptionValue);
}

void ScrollerPrivate::widgetChanged(const QEvent &event, const QFont &widgetFont)
{
    if (changingSurface())
        return;
    if (event.type() == QEvent::EnabledChange) {
        RefreshCaption();
        notify(ScrollerMembers::Enabled);
    } else if (event.type() == QEvent::FontChange && widgetFont != Font()->font()) {
        try {
            let(ScrollerMembers::Font, widgetFont);
        } catch (const RuntimeError &) {
            // A font the control refuses: the widget shows its own again.
            showFontOnSurface();
        }
    }
}

void ScrollerPrivate::Refresh()
{
    m_face->update();
}

void ScrollerPrivate::RefreshCaption()
{
    Cls();
    Print(m_captionRotates ? rotation(charactersShown()) : toText(CaptionValue));
}

// In this order: the colours (each let), the caption (stored), the font.
void ScrollerPrivate::UserControl_InitProperties()
{
    for (const DISPID id : {ScrollerMembers::BackColor, ScrollerMembers::ForeColor})
        let(id, property(id).placed(*this));
    storeCaption(property(ScrollerMembers::Caption).placed(*this));
    let(ScrollerMembers::Font, property(ScrollerMembers::Font).placed(*this));
}

void ScrollerPrivate::UserControl_ReadProperties(::PropertyBag &PropBag)
{
    for (const Property &saved : properties()) {
        saved.store(*this, PropBag.ReadProperty(QString::fromUtf16(saved.name), saved.savedDefault(*this)));
        if (saved.loadReports)
            notify(saved.id);
    }
}

void ScrollerPrivate::UserControl_WriteProperties(::PropertyBag &PropBag)
{
    for (const Property &saved : properties())
        PropBag.WriteProperty(QString::fromUtf16(saved.name), saved.get(*this), saved.savedDefault(*this));
}

// The caption and as many blanks as it has characters, then blanks until
// the text is at least twice as wide as the control. Measuring is not
// additive for every text (Qt stops measuring at some control characters),
// so the loop also ends once appending no longer widens the text, and it
// never appends more blanks than would fill twice the width on their own.
void ScrollerPrivate::buildScrollText()
{
    const QString text = toText(Caption());
    ScrollText = text + QString(qsizetype(characterStartsOf(text).size() - 1), u' ');
    const float twiceWidth = checkedSingle(2.0 * double(ScaleWidth()));
    const float blank = TextWidth(QStringLiteral(" "));
    if (blank > 0.0f) {
        qsizetype allowed = qsizetype(std::ceil(twiceWidth / blank)) + 1;
        float width = TextWidth(ScrollText);
        while (twiceWidth > width && allowed > 0) {
            // Jump to just short of the width, then go one blank at a time,
            // so the result is the one a blank-by-blank loop would reach.
            const qsizetype more =
                std::min(allowed, std::max<qsizetype>(1, qsizetype((twiceWidth - width) / blank) - 1));
            ScrollText += QString(more, u' ');
            allowed -= more;
            const float wider = TextWidth(ScrollText);
            if (!(wider > width))
                break;
            width = wider;
        }
    }
    m_characterStarts = characterStartsOf(ScrollText);
    m_characterWidths.clear();
    ScrollPosition = 1;
}

// The first characters of the rotation of ScrollText at ScrollPosition:
// from the character there to the end, then the first ScrollPosition
// characters, so that character stands first and last.
QString ScrollerPrivate::rotation(qsizetype characters) const
{
    const qsizetype length = qsizetype(m_characterStarts.size()) - 1;
    const qsizetype first = ScrollPosition - 1;
    const qsizetype count = std::min(characters, length + 1);
    const qsizetype toEnd = std::min(count, length - first);
    const auto start = [this](qsizetype index) { return m_characterStarts[std::size_t(index)]; };
    const QStringView toTheEnd = QStringView(ScrollText).sliced(start(first), start(first + toEnd) - start(first));
    const QStringView fromTheStart = QStringView(ScrollText).first(count > toEnd ? start(count - toEnd) : 0);
    QString text;
    text.reserve(toTheEnd.size() + fromTheStart.size());
    return text.append(toTheEnd).append(fromTheStart);
}

// How many characters of the rotation to print: those that start within
// twice the surface's width and a line's height more (for a glyph that
// leans back). The surface shows the first half; the drawing keeps an image
// of the whole, from which the next ticks copy what they show.
qsizetype ScrollerPrivate::charactersShown()
{
    const qsizetype length = qsizetype(m_characterStarts.size()) - 1;
    const qreal reach = 2 * m_face->size().width() + lineHeight();
    qreal x = 0;
    qsizetype count = 0;
    while (count <= length && x <= reach) {
        x += widthOf((ScrollPosition - 1 + count) % length + 1);
        ++count;
    }
    return count;
}

// The width of the character at position (1-based) in pixels: the
// characters are measured all at once, each different one once.
qreal ScrollerPrivate::widthOf(qsizetype position)
{
    if (m_characterWidths.empty()) {
        QHash<QStringView, qreal> measured;
        const qsizetype length = qsizetype(m_characterStarts.size()) - 1;
        m_characterWidths.reserve(std::size_t(length));
        for (qsizetype index = 0; index < length; ++index) {
            const qsizetype start = m_characterStarts[std::size_t(index)];
            const QStringView c =
                QStringView(ScrollText).sliced(start, m_characterStarts[std::size_t(index + 1)] - start);
            auto width = measured.constFind(c);
            if (width == measured.cend())
                width = measured.insert(c, fontMetrics().horizontalAdvance(c.toString()));
            m_characterWidths.push_back(*width);
        }
    }
    return m_characterWidths[std::size_t(position - 1)];
}

void ScrollerPrivate::surfaceFontChanged()
{
    m_characterWidths.clear();
    m_widthOfW.reset();
}

void ScrollerPrivate::Timer1_Timer()
{
    if (!ambientUserMode())
        return;
    if (ScrollText.isEmpty())
        buildScrollText();
    const qsizetype length = qsizetype(m_characterStarts.size()) - 1;
    if (length < 1) {
        storeCaption(QString());
        RefreshCaption();
        return;
    }

    // TextWidth of "W" and of the character, from the widths kept.
    if (!m_widthOfW)
        m_widthOfW = fontMetrics().horizontalAdvance(W);
    const qint64 widthOfW = roundHalfEven(float(*m_widthOfW * twipsPerPixel));
    const qint64 widthOfC = roundHalfEven(float(widthOf(ScrollPosition) * twipsPerPixel));
    // A character wider than "W", or one of no width, still moves the
    // banner on by one: it never stops.
    const qint64 step = widthOfC > 0 ? std::max<qint64>(1, widthOfW / widthOfC) : 1;
    ScrollPosition += qsizetype(step);
    if (ScrollPosition > length)
        ScrollPosition = 1;

    m_captionRotates = true;
    RefreshCaption();
}

bool ScrollerPrivate::trySetFontSize(float points)
{
    try {
        setFontSize(points);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

void ScrollerPrivate::UserControl_Resize()
{
    if (LastHeight == 0.0f)
        LastHeight = ScaleHeight();
    float size = FontSize();
    const float H = ScaleHeight();
    if (TextHeight(A) >= H || LastHeight > H) {
        while (!(TextHeight(A) < H || size <= 1.25f)) {
            size -= 0.25f;
            if (!trySetFontSize(size))
                break;
        }
    } else {
        // Bounded: the loop ends at the largest size the font accepts, or
        // once the text height has stopped growing for a few points.
        float tallest = TextHeight(A);
        int flatSteps = 0;
        while (!(TextHeight(A) > H)) {
            size += 0.25f;
            if (!trySetFontSize(size))
                break;
            const float height = TextHeight(A);
            if (height > tallest) {
                tallest = height;
                flatSteps = 0;
            } else if (++flatSteps >= 32) {
                break;
            }
        }
    }
    LastHeight = ScaleHeight();
    RefreshCaption();
}

void ScrollerPrivate::UserControl_Click()
{
    m_face->Click();
}

void ScrollerPrivate::UserControl_DblClick()
{
    m_face->DblClick();
}

void ScrollerPrivate::UserControl_MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    m_face->MouseDown(Button, Shift, X, Y);
}

void ScrollerPrivate::UserControl_MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    m_face->MouseMove(Button, Shift, X, Y);
}

void ScrollerPrivate::UserControl_MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    m_face->MouseUp(Button, Shift, X, Y);
}

} // namespace Tovrell
