#pragma once

#include "integer.h"
#include "ui_frmmthlypay.h"

#include <QMainWindow>

class CommonDialog;

// The calculator window: the monthly payment of a loan from its principal,
// an annual rate picked from a list and a term of 2 to 5 years; the window
// and its information box can be recoloured, and the window printed.
class frmMthlyPay : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmMthlyPay(QWidget *parent = nullptr);

private:
    void Form_Load();
    quint32 pickColor(quint32 startColor);
    QRadioButton *optTermItem(int index) const;
    void showPayment(const QString &payment);

    void txtPrincipal_Change();
    void txtPrincipal_GotFocus();
    void lstInterest_Click();
    void optTerm_Toggled(int id, bool selected);
    void optTerm_Click(Integer index);
    void cmdCalc_Click();
    void mnuFilePrint_Click();
    void mnuFileExit_Click();
    void mnuColorBackground_Click();
    void mnuColorInfo_Click();

    Ui::frmMthlyPay ui;
    CommonDialog *dlgCommon;
    Integer intTerm;
};
