#include "demowindow.h"

#include "scroller.h"
#include "settingspropertybag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

using Tovrell::Scroller;

namespace {

QString hex(quint32 value)
{
    return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')).toUpper().replace(u'X', u'x');
}

} // namespace

DemoWindow::DemoWindow(QWidget *parent)
    : QWidget(parent)
{
    setWindowTitle(QStringLiteral("Scroller Demo"));
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        // A host tells the control its ambient properties, then places it
        // as a new instance.
        scrollers[i] = new Scroller(this);
        scrollers[i]->setAmbientFont(font());
        scrollers[i]->initProperties();
        scrollers[i]->setCaption(i == 0 ? QStringLiteral("Welcome to the Scroller demo") : QStringLiteral("Second banner"));
        scrollers[i]->setAccessibleName(QStringLiteral("Scroller %1").arg(i + 1));
        layout->addWidget(scrollers[i]);
        watch(scrollers[i], QStringLiteral("Scroller %1").arg(i + 1));
    }

    auto *form = new QFormLayout;
    which = new QComboBox;
    which->addItems({QStringLiteral("Scroller 1"), QStringLiteral("Scroller 2")});
    caption = new QLineEdit;
    backColor = new QLineEdit;
    foreColor = new QLineEdit;
    enabled = new QCheckBox(QStringLiteral("&Enabled"));
    borderStyle = new QSpinBox;
    borderStyle->setRange(0, 1);
    interval = new QSpinBox;
    interval->setRange(0, 65535);
    auto *fontButton = new QPushButton(QStringLiteral("&Font..."));
    form->addRow(QStringLiteral("&Control:"), which);
    form->addRow(QStringLiteral("C&aption:"), caption);
    form->addRow(QStringLiteral("&BackColor:"), backColor);
    form->addRow(QStringLiteral("F&oreColor:"), foreColor);
    form->addRow(QString(), enabled);
    form->addRow(QStringLiteral("Bo&rderStyle:"), borderStyle);
    form->addRow(QStringLiteral("&Interval (ms):"), interval);
    form->addRow(QString(), fontButton);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    designMode = new QCheckBox(QStringLiteral("&Design mode"));
    auto *saveButton = new QPushButton(QStringLiteral("&Save..."));
    auto *loadButton = new QPushButton(QStringLiteral("&Load..."));
    buttons->addWidget(designMode);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(loadButton);
    layout->addLayout(buttons);

    events = new QPlainTextEdit;
    events->setReadOnly(true);
    events->setAccessibleName(QStringLiteral("Event log"));
    layout->addWidget(events);

    connect(which, &QComboBox::currentIndexChanged, this, &DemoWindow::showProperties);
    connect(caption, &QLineEdit::editingFinished, this, [this] { apply([this](Scroller *s) { s->setCaption(caption->text()); }); });
    connect(backColor, &QLineEdit::editingFinished, this, [this] { apply([this](Scroller *s) { s->setBackColor(backColor->text().toUInt(nullptr, 0)); }); });
    connect(foreColor, &QLineEdit::editingFinished, this, [this] { apply([this](Scroller *s) { s->setForeColor(foreColor->text().toUInt(nullptr, 0)); }); });
    connect(enabled, &QCheckBox::toggled, this, [this](bool on) { apply([on](Scroller *s) { s->setEnabled(on); }); });
    connect(borderStyle, &QSpinBox::valueChanged, this, [this](int style) { apply([style](Scroller *s) { s->setBorderStyle(qint16(style)); }); });
    connect(interval, &QSpinBox::valueChanged, this, [this](int ms) { apply([ms](Scroller *s) { s->setInterval(ms); }); });
    connect(fontButton, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current()->Font()->font(), this);
        if (ok)
            apply([chosen](Scroller *s) { s->setFont(FontObject::create(chosen)); });
    });
    connect(designMode, &QCheckBox::toggled, this, [this](bool design) {
        for (Scroller *s : scrollers)
            s->setAmbientUserMode(!design);
    });
    connect(saveButton, &QPushButton::clicked, this, &DemoWindow::save);
    connect(loadButton, &QPushButton::clicked, this, &DemoWindow::load);
    showProperties();
    resize(520, 520);
}

Scroller *DemoWindow::current() const
{
    return scrollers[which->currentIndex()];
}

void DemoWindow::showProperties()
{
    const QSignalBlocker blockEnabled(enabled), blockBorder(borderStyle), blockInterval(interval);
    caption->setText(current()->Caption().toString());
    backColor->setText(hex(current()->BackColor()));
    foreColor->setText(hex(current()->ForeColor()));
    enabled->setChecked(current()->Enabled());
    borderStyle->setValue(current()->BorderStyle());
    interval->setValue(current()->Interval());
}

// Property procedures report refused values as runtime errors.
void DemoWindow::apply(const std::function<void(Scroller *)> &change)
{
    try {
        change(current());
    } catch (const RuntimeError &error) {
        log(QStringLiteral("error %1: %2").arg(error.number()).arg(error.message()));
        showProperties();
    }
}

void DemoWindow::watch(Scroller *scroller, const QString &name)
{
    connect(scroller, &Scroller::Click, this, [this, name] { log(name + QStringLiteral(": Click")); });
    connect(scroller, &Scroller::DblClick, this, [this, name] { log(name + QStringLiteral(": DblClick")); });
    const auto mouse = [this, name](const QString &event) {
        return [this, name, event](qint16 &button, qint16 &shift, float &x, float &y) {
            log(QStringLiteral("%1: %2 Button=%3 Shift=%4 X=%5 Y=%6").arg(name, event).arg(button).arg(shift).arg(x).arg(y));
        };
    };
    connect(scroller, &Scroller::MouseDown, this, mouse(QStringLiteral("MouseDown")));
    connect(scroller, &Scroller::MouseUp, this, mouse(QStringLiteral("MouseUp")));
    connect(scroller, &Scroller::propertyChanged, this, [this, name](const QString &property) {
        log(name + QStringLiteral(": ") + property + QStringLiteral(" changed"));
    });
    connect(scroller, &Scroller::errorRaised, this, [this, name](int number, const QString &description) {
        log(QStringLiteral("%1: error %2: %3").arg(name).arg(number).arg(description));
    });
}

void DemoWindow::log(const QString &line)
{
    events->appendPlainText(line);
}

void DemoWindow::save()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Properties"), {}, QStringLiteral("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        scrollers[i]->writeProperties(bag);
    }
    log(QStringLiteral("saved to ") + path);
}

void DemoWindow::load()
{
    const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Load Properties"), {}, QStringLiteral("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        scrollers[i]->readProperties(bag);
        scrollers[i]->RefreshCaption();
    }
    showProperties();
    log(QStringLiteral("loaded from ") + path);
}
