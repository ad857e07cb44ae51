#include "frmmthlypay.h"

#include "colour.h"
#include "commondialog.h"
#include "controlevents.h"
#include "format.h"
#include "handlerguard.h"
#include "messagebox.h"
#include "numbers.h"
#include "printform.h"
#include "program.h"
#include "screenreaders.h"
#include "twips.h"
#include "val.h"

frmMthlyPay::frmMthlyPay(QWidget *parent)
    : QMainWindow(parent)
    , dlgCommon(new CommonDialog(this))
{
    ui.setupUi(this);
    keepTextReadableIn(this);
    dlgCommon->setObjectName(QStringLiteral("dlgCommon"));
    // The designed client area lies below the menu bar.
    resize(pixelsFromTwips(7590), pixelsFromTwips(5415) + ui.menuBar->sizeHint().height());
    for (int index = 0; index < 4; ++index)
        ui.optTerm->setId(optTermItem(index), index);

    connect(ui.txtPrincipal, &QLineEdit::textChanged, this, guarded(this, &frmMthlyPay::txtPrincipal_Change));
    onGotFocus(ui.txtPrincipal, guarded(this, &frmMthlyPay::txtPrincipal_GotFocus));
    connect(ui.lstInterest, &QListWidget::currentRowChanged, this, guarded(this, &frmMthlyPay::lstInterest_Click));
    connect(ui.optTerm, &QButtonGroup::idToggled, this, guarded(this, &frmMthlyPay::optTerm_Toggled));
    connect(ui.cmdCalc, &QPushButton::clicked, this, guarded(this, &frmMthlyPay::cmdCalc_Click));
    connect(ui.mnuFilePrint, &QAction::triggered, this, guarded(this, &frmMthlyPay::mnuFilePrint_Click));
    connect(ui.mnuFileExit, &QAction::triggered, this, guarded(this, &frmMthlyPay::mnuFileExit_Click));
    connect(ui.mnuColorBackground, &QAction::triggered, this, guarded(this, &frmMthlyPay::mnuColorBackground_Click));
    connect(ui.mnuColorInfo, &QAction::triggered, this, guarded(this, &frmMthlyPay::mnuColorInfo_Click));
    setDefaultButton(this, ui.cmdCalc);

    guarded(this, &frmMthlyPay::Form_Load)();
    ui.txtPrincipal->setFocus();
}

QRadioButton *frmMthlyPay::optTermItem(int index) const
{
    QRadioButton *const items[] = {ui.optTerm_0, ui.optTerm_1, ui.optTerm_2, ui.optTerm_3};
    return items[index];
}

void frmMthlyPay::Form_Load()
{
    centreOnScreen(this);

    // A single-precision counter: its last value, about 0.1199999526, is
    // just below the single 0.12, so the list ends at 12.00%. In double
    // precision the counter would pass 0.12 a step early.
    const float last = 0.12f;
    const float step = 0.0025f;
    for (float counter = 0.07f; counter <= last; counter = checkedSingle(double(counter) + double(step)))
        ui.lstInterest->addItem(Format(counter, QStringLiteral("percent")));

    ui.lstInterest->setCurrentRow(8);
    ui.optTerm_3->setChecked(true);
}

void frmMthlyPay::txtPrincipal_Change()
{
    showPayment(QString());
}

void frmMthlyPay::txtPrincipal_GotFocus()
{
    ui.txtPrincipal->setSelection(0, int(ui.txtPrincipal->text().size()));
}

void frmMthlyPay::lstInterest_Click()
{
    showPayment(QString());
}

// The term buttons are one control array: the selected button's index goes
// to the Click handler. The "Term:" caption labels the checked button for
// screen readers, and Tab enters the group at that button, as Qt does once
// the group has had the focus.
void frmMthlyPay::optTerm_Toggled(int id, bool selected)
{
    if (!selected)
        return;
    ui.Label3->setBuddy(optTermItem(id));
    for (QAbstractButton *button : ui.optTerm->buttons())
        button->setFocusPolicy(Qt::FocusPolicy(button->isChecked() ? button->focusPolicy() | Qt::TabFocus
                                                                   : button->focusPolicy() & ~Qt::TabFocus));
    optTerm_Click(Integer::from(id));
}

void frmMthlyPay::optTerm_Click(Integer index)
{
    switch (index.value()) {
    case 0:
        intTerm = Integer(2);
        break;
    case 1:
        intTerm = Integer(3);
        break;
    case 2:
        intTerm = Integer(4);
        break;
    default:
        intTerm = Integer(5);
        break;
    }
    showPayment(QString());
}

void frmMthlyPay::cmdCalc_Click()
{
    float principal = 0.0f;
    try {
        principal = checkedSingle(Val(ui.txtPrincipal->text()));
    } catch (const RuntimeError &) {
        showPayment(QString());
        MsgBox(tr("The principal is too large. Enter an amount below 3.4E+38."), 48, tr("Monthly Payment Calculator"));
        ui.txtPrincipal->setFocus();
        return;
    }
    // The rate is read back from the entry's text, in the locale that wrote it.
    const float annualRate = checkedSingle(readPercent(ui.lstInterest->currentItem()->text()));
    const double months = (intTerm * Integer(12)).value();
    const double monthlyRate = checkedDouble(double(annualRate) / 12.0);
    const float payment = checkedSingle(-Pmt(monthlyRate, months, double(principal)));
    showPayment(Format(payment, QStringLiteral("currency")));
    ui.txtPrincipal->setFocus();
    tellScreenReaders(this, ui.lblPayment->accessibleName());
}

// The payment shown, or none, and read by screen readers with its caption.
void frmMthlyPay::showPayment(const QString &payment)
{
    ui.lblPayment->setText(payment);
    ui.lblPayment->setAccessibleName(payment.isEmpty() ? tr("Monthly payment") : tr("Monthly payment %1").arg(payment));
}

void frmMthlyPay::mnuFilePrint_Click()
{
    printForm(ui.clientArea);
}

void frmMthlyPay::mnuFileExit_Click()
{
    close();
}

// The colour dialog, opened at startColor; the colour picked, or
// startColor again when the user cancels.
quint32 frmMthlyPay::pickColor(quint32 startColor)
{
    dlgCommon->invoke(CommonDialog::FlagsId, Invoke::PropertyPut, {1});
    dlgCommon->invoke(CommonDialog::ColorId, Invoke::PropertyPut, {qint32(startColor)});
    dlgCommon->invoke(CommonDialog::ShowColorId, Invoke::Method);
    return quint32(dlgCommon->invoke(CommonDialog::ColorId, Invoke::PropertyGet).toInt());
}

void frmMthlyPay::mnuColorBackground_Click()
{
    setBackColor(ui.clientArea, pickColor(backColor(ui.clientArea)));
}

void frmMthlyPay::mnuColorInfo_Click()
{
    const quint32 color = pickColor(backColor(ui.fraInfo));
    // The term buttons first, then the frame.
    for (Integer index; index <= Integer(3); index += Integer(1))
        setBackColor(optTermItem(index.value()), color);
    setBackColor(ui.fraInfo, color);
}
