#include "commondialog.h"

#include "colour.h"
#include "messagebox.h"
#include "runtimeerror.h"

#include <QColorDialog>

namespace {

qint64 wholeNumber(const QVariantList &arguments)
{
    if (arguments.size() != 1)
        throw RuntimeError::invalidCall();
    bool ok = false;
    const qint64 value = arguments.front().toLongLong(&ok);
    if (!ok)
        throw RuntimeError::typeMismatch();
    return value;
}

} // namespace

CommonDialog::CommonDialog(QWidget *parent)
    : QObject(parent)
    , m_parent(parent)
{ }

void CommonDialog::ShowColor()
{
    QColorDialog dialog(m_parent);
    dialog.setWindowTitle(tr("Color"));
    if (m_flags & RgbInit)
        dialog.setCurrentColor(colorFromValue(m_color));
    const bool chosen = dialog.exec() == QDialog::Accepted && dialog.selectedColor().isValid();
    reactivate(m_parent ? m_parent->window() : nullptr);
    if (chosen)
        m_color = valueFromColor(dialog.selectedColor());
}

QVariant CommonDialog::invoke(int dispatchId, Invoke kind, const QVariantList &arguments)
{
    switch (dispatchId) {
    case FlagsId:
        if (kind == Invoke::PropertyGet)
            return m_flags;
        if (kind == Invoke::PropertyPut) {
            m_flags = int(wholeNumber(arguments));
            return {};
        }
        break;
    case ColorId:
        if (kind == Invoke::PropertyGet)
            return qint32(m_color);
        if (kind == Invoke::PropertyPut) {
            // Colours travel as signed 32-bit values.
            m_color = quint32(qint32(wholeNumber(arguments))) & 0x00FFFFFFu;
            return {};
        }
        break;
    case ShowColorId:
        if (kind == Invoke::Method && arguments.isEmpty()) {
            ShowColor();
            return {};
        }
        break;
    }
    throw RuntimeError::memberNotSupported();
}
