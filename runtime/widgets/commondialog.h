#pragma once

#include <QObject>
#include <QVariant>

class QWidget;

// How a member is reached by late binding.
enum class Invoke { Method, PropertyGet, PropertyPut };

// The common-dialog component: the system colour dialog, reachable directly
// and by late binding through dispatch identifiers (7 Flags, 6 Color,
// 32 ShowColor), with its values carried as variants.
class CommonDialog : public QObject
{
    Q_OBJECT

public:
    enum DispatchId { FlagsId = 7, ColorId = 6, ShowColorId = 32 };
    // Flags: open the dialog with Color already chosen.
    static constexpr int RgbInit = 0x1;

    explicit CommonDialog(QWidget *parent = nullptr);

    int Flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }
    // The colour as a 0x00BBGGRR value.
    quint32 Color() const { return m_color; }
    void setColor(quint32 color) { m_color = color; }
    // Shows the modal colour dialog and returns when it closes. OK stores the
    // chosen colour in Color; Cancel returns normally and leaves it as it was.
    void ShowColor();

    // Late binding: a property get or put, or a method call, by dispatch
    // identifier. An unknown identifier, or a value of the wrong type,
    // throws a RuntimeError.
    QVariant invoke(int dispatchId, Invoke kind, const QVariantList &arguments = {});

private:
    QWidget *m_parent;
    int m_flags = 0;
    quint32 m_color = 0;
};
