#include "scroller.h"

#include "colour.h"
#include "conversions.h"
#include "numbers.h"
#include "propertybag.h"
#include "twips.h"

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

std::shared_ptr<FontObject> toFont(const QVariant &value)
{
    if (value.typeId() != QMetaType::QFont)
        throw RuntimeError::typeMismatch();
    return FontObject::create(value.value<QFont>());
}

qint64 roundHalfEven(float value)
{
    return qint64(std::nearbyint(double(value)));
}

} // namespace

Scroller::Scroller(QWidget *parent)
    : UserControl(parent)
{
    resize(pixelsFromTwips(designWidth), pixelsFromTwips(designHeight));
    Timer1.setInterval(100);
    Timer1.callOnTimeout(this, [this] { runHandler([this] { Timer1_Timer(); }); });
    Timer1.start();
}

Scroller::~Scroller() = default;

bool Scroller::initProperties()
{
    scrollAfresh();
    return runHandler([this] { UserControl_InitProperties(); });
}

bool Scroller::readProperties(PropertyBag &bag)
{
    scrollAfresh();
    return runHandler([this, &bag] { UserControl_ReadProperties(bag); });
}

// A new placement or a load scrolls its caption from the start, whatever
// the timer built before.
void Scroller::scrollAfresh()
{
    ScrollText.clear();
    m_characterStarts.clear();
    ScrollPosition = 0;
}

bool Scroller::writeProperties(PropertyBag &bag)
{
    return runHandler([this, &bag] { UserControl_WriteProperties(bag); });
}

void Scroller::setBounds(const QRect &bounds)
{
    const bool sameSize = bounds.size() == size();
    setGeometry(bounds);
    if (sameSize)
        runResize();
}

void Scroller::PropertyChanged(const QString &name)
{
    emit propertyChanged(name);
}

void Scroller::reportError(int number, const QString &description)
{
    emit errorRaised(number, description);
}

quint32 Scroller::BackColor() const
{
    return surfaceBackColor();
}

void Scroller::setBackColor(quint32 New_BackColor)
{
    setSurfaceBackColor(New_BackColor);
    RefreshCaption();
    PropertyChanged(QStringLiteral("BackColor"));
}

quint32 Scroller::ForeColor() const
{
    return surfaceForeColor();
}

void Scroller::setForeColor(quint32 New_ForeColor)
{
    setSurfaceForeColor(New_ForeColor);
    RefreshCaption();
    PropertyChanged(QStringLiteral("ForeColor"));
}

bool Scroller::Enabled() const
{
    return isEnabled();
}

void Scroller::setEnabled(bool New_Enabled)
{
    UserControl::setEnabled(New_Enabled);
    RefreshCaption();
    PropertyChanged(QStringLiteral("Enabled"));
}

std::shared_ptr<FontObject> Scroller::Font() const
{
    return surfaceFont();
}

void Scroller::setFont(std::shared_ptr<FontObject> New_Font)
{
    setSurfaceFont(std::move(New_Font));
    PropertyChanged(QStringLiteral("Font"));
}

qint16 Scroller::BorderStyle() const
{
    return surfaceBorderStyle();
}

void Scroller::setBorderStyle(qint16 New_BorderStyle)
{
    setSurfaceBorderStyle(New_BorderStyle);
    RefreshCaption();
    PropertyChanged(QStringLiteral("BorderStyle"));
}

qint32 Scroller::Interval() const
{
    return Timer1.interval();
}

void Scroller::setInterval(qint32 New_Interval)
{
    applyInterval(New_Interval);
    PropertyChanged(QStringLiteral("Interval"));
}

// The timer's own range: 0 to 65535 milliseconds, 0 stopping its events.
void Scroller::applyInterval(qint32 milliseconds)
{
    if (milliseconds < 0 || milliseconds > 65535)
        throw RuntimeError::invalidPropertyValue();
    Timer1.setInterval(milliseconds);
    if (milliseconds == 0)
        Timer1.stop();
    else if (!Timer1.isActive())
        Timer1.start();
}

QVariant Scroller::Caption() const
{
    return CaptionValue;
}

void Scroller::setCaption(const QVariant &New_Caption)
{
    CaptionValue = New_Caption;
    // A new caption scrolls from the next tick on.
    ScrollText.clear();
    RefreshCaption();
    PropertyChanged(QStringLiteral("Caption"));
}

QSize Scroller::sizeHint() const
{
    return QSize(pixelsFromTwips(designWidth), pixelsFromTwips(designHeight));
}

namespace {

// Runs a property procedure for Designer, which has no use for its errors.
template <typename F>
void ignoringRefusal(F &&change)
{
    try {
        change();
    } catch (const RuntimeError &) {
    }
}

} // namespace

QColor Scroller::backColorForDesigner() const
{
    return colorFromValue(BackColor());
}

void Scroller::setBackColorForDesigner(const QColor &color)
{
    ignoringRefusal([&] { setBackColor(valueFromColor(color)); });
}

QColor Scroller::foreColorForDesigner() const
{
    return colorFromValue(ForeColor());
}

void Scroller::setForeColorForDesigner(const QColor &color)
{
    ignoringRefusal([&] { setForeColor(valueFromColor(color)); });
}

QFont Scroller::fontForDesigner() const
{
    return Font()->font();
}

void Scroller::setFontForDesigner(const QFont &font)
{
    setFont(FontObject::create(font));
}

void Scroller::setBorderStyleForDesigner(int style)
{
    ignoringRefusal([&] { setBorderStyle(qint16(std::clamp(style, -32768, 32767))); });
}

void Scroller::setIntervalForDesigner(int milliseconds)
{
    ignoringRefusal([&] { setInterval(milliseconds); });
}

QString Scroller::captionForDesigner() const
{
    return toText(Caption());
}

void Scroller::setCaptionForDesigner(const QString &caption)
{
    setCaption(caption);
}

void Scroller::Refresh()
{
    update();
}

void Scroller::RefreshCaption()
{
    Cls();
    Print(toText(CaptionValue));
}

void Scroller::UserControl_InitProperties()
{
    setBackColor(0x00FFFF00);
    setForeColor(0x00000000);
    CaptionValue = QStringLiteral("Scroller");
    setFont(FontObject::create(ambientFont()));
}

void Scroller::UserControl_ReadProperties(PropertyBag &PropBag)
{
    setSurfaceBackColor(toColour(PropBag.ReadProperty(QStringLiteral("BackColor"), qint32(0x8000000F))));
    setSurfaceForeColor(toColour(PropBag.ReadProperty(QStringLiteral("ForeColor"), qint32(0x80000012))));
    UserControl::setEnabled(toBoolean(PropBag.ReadProperty(QStringLiteral("Enabled"), true)));
    setFont(toFont(PropBag.ReadProperty(QStringLiteral("Font"), QVariant::fromValue(ambientFont()))));
    setSurfaceBorderStyle(toInteger(PropBag.ReadProperty(QStringLiteral("BorderStyle"), qint16(0))));
    applyInterval(toLong(PropBag.ReadProperty(QStringLiteral("Interval"), qint16(100))));
    CaptionValue = PropBag.ReadProperty(QStringLiteral("Caption"), QStringLiteral("Scroller"));
}

void Scroller::UserControl_WriteProperties(PropertyBag &PropBag)
{
    PropBag.WriteProperty(QStringLiteral("BackColor"), qint32(surfaceBackColor()), qint32(0x8000000F));
    PropBag.WriteProperty(QStringLiteral("ForeColor"), qint32(surfaceForeColor()), qint32(0x80000012));
    PropBag.WriteProperty(QStringLiteral("Enabled"), isEnabled(), true);
    PropBag.WriteProperty(QStringLiteral("Font"), QVariant::fromValue(Font()->font()),
                          QVariant::fromValue(ambientFont()));
    PropBag.WriteProperty(QStringLiteral("BorderStyle"), QVariant::fromValue(surfaceBorderStyle()),
                          QVariant::fromValue(qint16(0)));
    PropBag.WriteProperty(QStringLiteral("Interval"), qint32(Timer1.interval()), qint16(100));
    PropBag.WriteProperty(QStringLiteral("Caption"), CaptionValue, QStringLiteral("Scroller"));
}

// The caption and as many blanks as it has characters, then blanks until
// the text is at least twice as wide as the control.
void Scroller::buildScrollText()
{
    const QString text = toText(Caption());
    ScrollText = text + QString(qsizetype(characterStartsOf(text).size() - 1), u' ');
    const float twiceWidth = checkedSingle(2.0 * double(ScaleWidth()));
    const float blank = TextWidth(QStringLiteral(" "));
    for (float width = TextWidth(ScrollText); twiceWidth > width && blank > 0.0f; width = TextWidth(ScrollText)) {
        // Jump to just short of the width, then go one blank at a time, so
        // the result is the one a blank-by-blank loop would reach.
        const qsizetype more = std::max<qsizetype>(1, qsizetype((twiceWidth - width) / blank) - 1);
        ScrollText += QString(more, u' ');
    }
    m_characterStarts = characterStartsOf(ScrollText);
    ScrollPosition = 1;
}

QString Scroller::character(qsizetype position) const
{
    const qsizetype start = m_characterStarts[std::size_t(position - 1)];
    return ScrollText.mid(start, m_characterStarts[std::size_t(position)] - start);
}

void Scroller::Timer1_Timer()
{
    if (!ambientUserMode())
        return;
    if (ScrollText.isEmpty())
        buildScrollText();
    const qsizetype length = qsizetype(m_characterStarts.size()) - 1;
    if (length < 1) {
        CaptionValue = QString();
        RefreshCaption();
        return;
    }

    const QString c = character(ScrollPosition);
    const qint64 widthOfW = roundHalfEven(TextWidth(W));
    const qint64 widthOfC = roundHalfEven(TextWidth(c));
    // A character wider than "W", or one of no width, still moves the
    // banner on by one: it never stops.
    const qint64 step = widthOfC > 0 ? std::max<qint64>(1, widthOfW / widthOfC) : 1;
    ScrollPosition += qsizetype(step);
    if (ScrollPosition > length)
        ScrollPosition = 1;

    // From the character at ScrollPosition to the end, then the first
    // ScrollPosition characters: that character stands first and last.
    const qsizetype start = m_characterStarts[std::size_t(ScrollPosition - 1)];
    const qsizetype end = m_characterStarts[std::size_t(ScrollPosition)];
    CaptionValue = ScrollText.mid(start) + ScrollText.left(end);
    RefreshCaption();
}

bool Scroller::trySetFontSize(float points)
{
    try {
        setFontSize(points);
        return true;
    } catch (const RuntimeError &) {
        return false;
    }
}

void Scroller::UserControl_Resize()
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

void Scroller::UserControl_Click()
{
    emit Click();
}

void Scroller::UserControl_DblClick()
{
    emit DblClick();
}

void Scroller::UserControl_MouseDown(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    emit MouseDown(Button, Shift, X, Y);
}

void Scroller::UserControl_MouseMove(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    emit MouseMove(Button, Shift, X, Y);
}

void Scroller::UserControl_MouseUp(qint16 &Button, qint16 &Shift, float &X, float &Y)
{
    emit MouseUp(Button, Shift, X, Y);
}

} // namespace Tovrell
