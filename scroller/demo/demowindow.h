#pragma once

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
namespace Tovrell {
class Scroller;
}

// A host for two Scrollers: edit their properties at run time, switch
// between design and run mode, save and load their properties, and watch
// the events they raise.
class DemoWindow : public QWidget
{
    Q_OBJECT

public:
    explicit DemoWindow(QWidget *parent = nullptr);

private:
    Tovrell::Scroller *current() const;
    void showProperties();
    void apply(const std::function<void(Tovrell::Scroller *)> &change);
    void watch(Tovrell::Scroller *scroller, const QString &name);
    void log(const QString &line);
    void save();
    void load();

    Tovrell::Scroller *m_scrollers[2];
    QComboBox *m_which;
    QLineEdit *m_caption;
    QLineEdit *m_backColor;
    QLineEdit *m_foreColor;
    QCheckBox *m_enabled;
    QSpinBox *m_borderStyle;
    QSpinBox *m_interval;
    QCheckBox *m_designMode;
    QPlainTextEdit *m_events;
};
