#include "frmmath.h"

#include "controlevents.h"
#include "handlerguard.h"
#include "messagebox.h"
#include "numbers.h"
#include "picture.h"
#include "program.h"
#include "runtimeerror.h"
#include "screenreaders.h"
#include "val.h"

#include <utility>

frmMath::frmMath(QWidget *parent)
    : QWidget(parent)
{
    ui.setupUi(this);
    // The pictures drawn for the screen's pixel density.
    for (const auto &[image, file] :
         {std::pair{ui.imgEqual, ":/pictures/equal.ico"}, std::pair{ui.imgPlus, ":/pictures/plus.ico"},
          std::pair{ui.imgMinus, ":/pictures/minus.ico"}, std::pair{ui.imgHappy, ":/pictures/happy.ico"}})
        setPicture(image, pictureForScreen(QString::fromLatin1(file), this));

    connect(ui.cmdVerify, &QPushButton::clicked, this, guarded(this, &frmMath::cmdVerify_Click));
    connect(ui.cmdExit, &QPushButton::clicked, this, guarded(this, &frmMath::cmdExit_Click));
    connect(ui.chkDisplay, &QCheckBox::stateChanged, this, guarded(this, &frmMath::chkDisplay_Click));
    connectOptionClick(ui.optAdd, this, &frmMath::optAdd_Click);
    connectOptionClick(ui.optSub, this, &frmMath::optSub_Click);
    connectOptionClick(ui.optLevel1, this, &frmMath::optLevel1_Click);
    connectOptionClick(ui.optLevel2, this, &frmMath::optLevel2_Click);
    connectGotFocus(ui.txtAnswer, this, &frmMath::txtAnswer_GotFocus);
    setDefaultButton(this, ui.cmdVerify);

    guarded(this, &frmMath::Form_Load)();
    ui.txtAnswer->setFocus();
}

void frmMath::Form_Load()
{
    centreOnScreen(this);
    ui.optLevel1->setChecked(true);
    ui.optAdd->setChecked(true);
}

void frmMath::GenerateProblem()
{
    Randomize();
    if (ui.optLevel1->isChecked()) {
        intNum1 = Integer::fromDouble(Int(10.0f * Rnd() + 1.0f));
        intNum2 = Integer::fromDouble(Int(10.0f * Rnd() + 1.0f));
    } else {
        intNum1 = Integer::fromDouble(Int(91.0f * Rnd() + 10.0f));
        intNum2 = Integer::fromDouble(Int(91.0f * Rnd() + 10.0f));
    }
    if (ui.optSub->isChecked() && intNum1 < intNum2)
        std::swap(intNum1, intNum2);
    ui.lblNum1->setText(intNum1.toString());
    ui.lblNum2->setText(intNum2.toString());
}

// The answer box read as a number and rounded to an Integer; none when the
// text's value cannot be held in 16 bits, which then counts as incorrect.
std::optional<Integer> frmMath::typedAnswer() const
{
    try {
        return Integer::fromDouble(Val(ui.txtAnswer->text()));
    } catch (const RuntimeError &) {
        return std::nullopt;
    }
}

// Copies the picture of a hidden store into a shown image.
void frmMath::showPicture(QLabel *image, const QLabel *store)
{
    setPicture(image, store ? picture(store) : QPixmap());
}

// What screen readers read of the window: the problem as the answer box's
// description, read where the user types; the sign and the counts by name.
void frmMath::describeForScreenReaders()
{
    ui.txtAnswer->setAccessibleDescription(problem());
    ui.imgOperator->setAccessibleName(ui.optAdd->isChecked() ? tr("plus") : tr("minus"));
    ui.imgIcon->setAccessibleDescription(picture(ui.imgIcon).isNull() ? QString() : ui.imgHappy->accessibleName());
    ui.lblCorrect->setAccessibleName(tr("Correct answers %1").arg(intCorrect));
    ui.lblIncorrect->setAccessibleName(tr("Incorrect answers %1").arg(intIncorrect));
}

QString frmMath::problem() const
{
    return (ui.optAdd->isChecked() ? tr("%1 plus %2 equals") : tr("%1 minus %2 equals"))
        .arg(ui.lblNum1->text(), ui.lblNum2->text());
}

// The counts as news carries them: with the summary shown, and only then.
QString frmMath::counts() const
{
    return ui.fraInfo->isHidden()
        ? QString()
        : tr("%1, %2.").arg(ui.lblCorrect->accessibleName(), ui.lblIncorrect->accessibleName());
}

void frmMath::cmdVerify_Click()
{
    const std::optional<Integer> answer = typedAnswer();
    const Integer expected = ui.optAdd->isChecked() ? intNum2 + intNum1 : intNum1 - intNum2;
    if (answer == expected) {
        showPicture(ui.imgIcon, ui.imgHappy);
        ++intCorrect;
        ui.txtAnswer->setText(QString());
        GenerateProblem();
    } else {
        showPicture(ui.imgIcon, nullptr);
        ++intIncorrect;
        MsgBox(tr("Try again."), 64, tr("Math Application"));
        ui.txtAnswer->setSelection(0, int(ui.txtAnswer->text().size()));
    }
    ui.txtAnswer->setFocus();
    ui.lblCorrect->setText(QString::number(intCorrect));
    ui.lblIncorrect->setText(QString::number(intIncorrect));
    describeForScreenReaders();
    // After a wrong answer, "Try again." was said by its box, and the
    // problem is said again as the focus comes back: only the counts are news.
    if (answer == expected)
        tellScreenReaders(this, QStringList{tr("Correct."), counts(), problem()}.join(u' ').simplified());
    else if (!counts().isEmpty())
        tellScreenReaders(this, counts() + u' ' + problem());
}

void frmMath::cmdExit_Click()
{
    End();
}

void frmMath::chkDisplay_Click()
{
    ui.fraInfo->setVisible(ui.chkDisplay->checkState() == Qt::Checked);
    if (!ui.fraInfo->isHidden())
        renewForScreenReaders(ui.fraInfo);
    tellScreenReaders(this, counts());
}

void frmMath::txtAnswer_GotFocus()
{
    ui.txtAnswer->setSelection(0, int(ui.txtAnswer->text().size()));
}

void frmMath::optAdd_Click()
{
    GenerateProblem();
    showPicture(ui.imgOperator, ui.imgPlus);
    describeForScreenReaders();
}

void frmMath::optSub_Click()
{
    GenerateProblem();
    showPicture(ui.imgOperator, ui.imgMinus);
    describeForScreenReaders();
}

void frmMath::optLevel1_Click()
{
    GenerateProblem();
    describeForScreenReaders();
}

void frmMath::optLevel2_Click()
{
    GenerateProblem();
    describeForScreenReaders();
}
