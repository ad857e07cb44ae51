#pragma once

#include <QFont>
#include <QObject>

#include <memory>

// A font held by reference: every holder of the same object sees a change
// made through any of them. Controls keep their Font as one of these.
class FontObject : public QObject
{
    Q_OBJECT

public:
    explicit FontObject(const QFont &font = QFont());
    static std::shared_ptr<FontObject> create(const QFont &font) { return std::make_shared<FontObject>(font); }
    // A new font object holding font, whose size setSize accepts: a font
    // sized in pixels, or too large, throws RuntimeError 380.
    static std::shared_ptr<FontObject> fromFont(const QFont &font);

    QFont font() const { return m_font; }
    void setFont(const QFont &font);

    QString Name() const { return m_font.family(); }
    void setName(const QString &name);
    // The size in points; a size the font refuses (not above 0, or above
    // 2048, or not a number) throws RuntimeError 380 saying so and leaves
    // the size as it was. Checked as the float the font holds.
    float Size() const { return float(m_font.pointSizeF()); }
    void setSize(double points);
    bool Bold() const { return m_font.bold(); }
    void setBold(bool bold);
    bool Italic() const { return m_font.italic(); }
    void setItalic(bool italic);

    static constexpr float largestSize = 2048.0f;

signals:
    void changed();

private:
    QFont m_font;
};

Q_DECLARE_METATYPE(std::shared_ptr<FontObject>)
