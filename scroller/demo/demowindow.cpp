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
    setWindowTitle(QStringLiteral("Scroller Demo"));
    auto *layout = new QVBoxLayout(this);
    for (int i = 0; i < 2; ++i) {
        // A host tells the control its ambient properties, then places it
        // as a new instance.
        m_scrollers[i] = new Scroller(this);
        m_scrollers[i]->setAmbientFont(font());
        m_scrollers[i]->initProperties();
        m_scrollers[i]->setCaption(i == 0 ? QStringLiteral("Welcome to the Scroller demo")
                                          : QStringLiteral("Second banner"));
        m_scrollers[i]->setAccessibleName(QStringLiteral("Scroller %1").arg(i + 1));
        layout->addWidget(m_scrollers[i]);
        watch(m_scrollers[i], QStringLiteral("Scroller %1").arg(i + 1));
    }

    auto *form = new QFormLayout;
    m_which = new QComboBox;
    m_which->addItems({QStringLiteral("Scroller 1"), QStringLiteral("Scroller 2")});
    m_caption = new QLineEdit;
    m_backColor = new QLineEdit;
    m_foreColor = new QLineEdit;
    m_enabled = new QCheckBox(QStringLiteral("&Enabled"));
    m_borderStyle = new QSpinBox;
    m_borderStyle->setRange(0, 1);
    m_interval = new QSpinBox;
    m_interval->setRange(0, 65535);
    auto *fontButton = new QPushButton(QStringLiteral("&Font..."));
    form->addRow(QStringLiteral("&Control:"), m_which);
    form->addRow(QStringLiteral("C&aption:"), m_caption);
    form->addRow(QStringLiteral("&BackColor:"), m_backColor);
    form->addRow(QStringLiteral("F&oreColor:"), m_foreColor);
    form->addRow(QString(), m_enabled);
    form->addRow(QStringLiteral("Bo&rderStyle:"), m_borderStyle);
    form->addRow(QStringLiteral("&Interval (ms):"), m_interval);
    form->addRow(QString(), fontButton);
    layout->addLayout(form);

    auto *buttons = new QHBoxLayout;
    m_designMode = new QCheckBox(QStringLiteral("&Design mode"));
    auto *saveButton = new QPushButton(QStringLiteral("&Save..."));
    auto *loadButton = new QPushButton(QStringLiteral("&Load..."));
    buttons->addWidget(m_designMode);
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(loadButton);
    layout->addLayout(buttons);

    m_events = new QPlainTextEdit;
    m_events->setReadOnly(true);
    m_events->setAccessibleName(QStringLiteral("Event log"));
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
        const QFont chosen = QFontDialog::getFont(&ok, current()->Font()->font(), this);
        if (ok)
            apply([chosen](Scroller *s) { s->setFontForDesigner(chosen); });
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
            log(QStringLiteral("%1: %2 Button=%3 Shift=%4 X=%5 Y=%6")
                    .arg(name, event)
                    .arg(button)
                    .arg(shift)
                    .arg(x)
                    .arg(y));
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
    m_events->appendPlainText(line);
}

void DemoWindow::save()
{
    const QString path =
        QFileDialog::getSaveFileName(this, QStringLiteral("Save Properties"), {}, QStringLiteral("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    file.clear();
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        m_scrollers[i]->writeProperties(bag);
    }
    log(QStringLiteral("saved to ") + path);
}

void DemoWindow::load()
{
    const QString path =
        QFileDialog::getOpenFileName(this, QStringLiteral("Load Properties"), {}, QStringLiteral("Properties (*.ini)"));
    if (path.isEmpty())
        return;
    QSettings file(path, QSettings::IniFormat);
    for (int i = 0; i < 2; ++i) {
        SettingsPropertyBag bag(file, QStringLiteral("Scroller%1").arg(i + 1));
        m_scrollers[i]->readProperties(bag);
        m_scrollers[i]->RefreshCaption();
    }
    showProperties();
    log(QStringLiteral("loaded from ") + path);
}
