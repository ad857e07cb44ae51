#include "demowindow.h"

#include "settingspropertybag.h"
#include <tovrell/scroller.h>

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
    setWindowTitle(tr("Scroller Demo"));
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        // A host tells the control its ambient properties, then places it
        // as a new instance.
        m_scrollers[i] = new Scroller(this);
        m_scrollers[i]->setAmbientFont(font());
        m_scrollers[i]->initProperties();
        m_scrollers[i]->setCaption(i == 0 ? tr("Welcome to the Scroller demo") : tr("Second banner"));
        layout->addWidget(m_scrollers[i]);
        watch(m_scrollers[i], tr("Scroller %1").arg(i + 1));
    }

    auto *form = new QFormLayout;
    m_which = new QComboBox;
    m_which->addItems({tr("Scroller 1"), tr("Scroller 2")});
    m_caption = new QLineEdit;
    m_backColor = new QLineEdit;
    m_foreColor = new QLineEdit;
    m_enabled = new QCheckBox(tr("&Enabled"));
    m_borderStyle = new QSpinBox;
    m_borderStyle->setRange(0, 1);
    m_interval = new QSpinBox;
    m_interval->setRange(0, 65535);
    auto *fontButton = new QPushButton(tr("&Font..."));
    form->addRow(tr("&Control:"), m_which);
    form->addRow(tr("C&aption:"), m_caption);
    form->addRow(tr("&BackColor:"), m_backColor);
    form->addRow(tr("F&oreColor:"), m_foreColor);
    form->addRow(QString(), m_enabled);
    form->addRow(tr("Bo&rderStyle:"), m_borderStyle);
    form->addRow(tr("&Interval (ms):"), m_interval);
    form->addRow(QString(), fontButton);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    m_designMode = new QCheckBox(tr("&Design mode"));
    auto *saveButton = new QPushButton(tr("&Save..."));
    auto *loadButton = new QPushButton(tr("&Load..."));
    buttons->addWidget(m_designMode);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(loadButton);
    layout->addLayout(buttons);

    m_events = new QPlainTextEdit;
    m_events->setReadOnly(true);
    m_events->setAccessibleName(tr("Event log"));
    layout->addWidget(m_events);

    connect(m_which, &QComboBox::currentIndexChanged, this, &DemoWindow::showProperties);
    connect(m_caption, &QLineEdit::editingFinished, this,
            [this] { apply([this](Scroller *s) { s->setCaption(m_caption->text()); }); });
    connect(m_backColor, &QLineEdit::editingFinished, this,
            [this] { apply([this](Scroller *s) { s->setBackColor(m_backColor->text().toUInt(nullptr, 0)); }); });
    connect(m_foreColor, &QLineEdit::editingFinished, this,
            [this] { apply([this](Scroller *s) { s->setForeColor(m_foreColor->text().toUInt(nullptr, 0)); }); });
    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) { apply([on](Scroller *s) { s->setEnabled(on); }); });
    connect(m_borderStyle, &QSpinBox::valueChanged, this,
            [this](int style) { apply([style](Scroller *s) { s->setBorderStyle(qint16(style)); }); });
    connect(m_interval, &QSpinBox::valueChanged, this,
            [this](int ms) { apply([ms](Scroller *s) { s->setInterval(ms); }); });
    connect(fontButton, &QPushButton::clicked, this, [this] {
        bool ok = false;
        const QFont chosen = QFontDialog::getFont(&ok, current()->Font(), this);
        if (ok)
            apply([chosen](Scroller *s) { s->setFont(chosen); });
    });
    connect(m_designMode, &QCheckBox::toggled, this, [this](bool design) {
        for (Scroller *s : m_scrollers)
            s->setAmbientUserMode(!design);
    });
    connect(saveButton, &QPushButton::clicked, this, &DemoWindow::save);
    connect(loadButton, &QPushButton::clicked, this, &DemoWindow::load);
    showProperties();
    resize(520, 520);
}

Scroller *DemoWindow::current() const
{
    return m_scrollers[m_which->currentIndex()];
}

void DemoWindow::showProperties()
{
    const QSignalBlocker blockEnabled(m_enabled), blockBorder(m_borderStyle), blockInterval(m_interval);
    m_caption->setText(current()->Caption().toString());
    m_backColor->setText(hex(current()->BackColor()));
    m_foreColor->setText(hex(current()->ForeColor()));
    m_enabled->setChecked(current()->Enabled());
    m_borderStyle->setValue(current()->BorderStyle());
    m_interval->setValue(current()->Interval());
}

// The setters refuse a value by throwing Tovrell::Error.
void DemoWindow::apply(const std::function<void(Scroller *)> &change)
{
    try {
        change(current());
    } catch (const Tovrell::Error &error) {
        log(tr("error %1: %2").arg(error.number()).arg(error.message()));
        showProperties();
    }
}

void DemoWindow::watch(Scroller *scroller, const QString &name)
{
    connect(scroller, &Scroller::Click, this, [this, name] { log(tr("%1: Click").arg(name)); });
    connect(scroller, &Scroller::DblClick, this, [this, name] { log(tr("%1: DblClick").arg(name)); });
    const auto mouse = [this, name](const QString &event) {
        return [this, name, event](qint16 &button, qint16 &shift, float &x, float &y) {
            log(tr("%1: %2 Button=%3 Shift=%4 X=%5 Y=%6").arg(name, event).arg(button).arg(shift).arg(x).arg(y));
        };
    };
    connect(scroller, &Scroller::MouseDown, this, mouse(QStringLiteral("MouseDown")));
    connect(scroller, &Scroller::MouseUp, this, mouse(QStringLiteral("MouseUp")));
    connect(scroller, &Scroller::propertyChanged, this,
            [this, name](const QString &property) { log(tr("%1: %2 changed").arg(name, property)); });
    connect(scroller, &Scroller::errorRaised, this, [this, name](int number, const QString &description) {
        log(tr("%1: error %2: %3").arg(name).arg(number).arg(description));
    });
}

void DemoWindow::log(const QString &line)
{
    m_events->appendPlainText(line);
}

void DemoWindow::save()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save Properties"), {}, tr("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        m_scrollers[i]->writeProperties(bag);
    }
    log(tr("saved to %1").arg(path));
}

void DemoWindow::load()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("Load Properties"), {}, tr("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        m_scrollers[i]->readProperties(bag);
        m_scrollers[i]->RefreshCaption();
    }
    showProperties();
    log(tr("loaded from %1").arg(path));
}
