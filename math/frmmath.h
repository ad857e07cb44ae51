#pragma once

#include "integer.h"
#include "ui_frmmath.h"

#include <QWidget>

#include <optional>

// The practice window: poses addition or subtraction problems at two levels,
// checks the typed answer and counts correct and incorrect answers.
class frmMath : public QWidget
{
    Q_OBJECT

public:
    explicit frmMath(QWidget *parent = nullptr);

private:
    void Form_Load();
    void GenerateProblem();
    std::optional<Integer> typedAnswer() const;
    void showPicture(QLabel *image, const QLabel *store);
    void describeForScreenReaders();
    QString problem() const;
    QString counts() const;

    void cmdVerify_Click();
    void cmdExit_Click();
    void chkDisplay_Click();
    void txtAnswer_GotFocus();
    void optAdd_Click();
    void optSub_Click();
    void optLevel1_Click();
    void optLevel2_Click();

    Ui::frmMath ui;
    Integer intNum1;
    Integer intNum2;
    // The counts are held wider than 16 bits so that they keep counting.
    qint64 intCorrect = 0;
    qint64 intIncorrect = 0;
};
