#include "scrollerplugin.h"

#include <tovrell/scroller.h>

#include <QDesignerFormWindowInterface>
#include <QIcon>

QString ScrollerPlugin::name() const
{
    return QStringLiteral("Tovrell::Scroller");
}

QString ScrollerPlugin::group() const
{
    return QStringLiteral("Tovrell");
}

QString ScrollerPlugin::toolTip() const
{
    return QStringLiteral("Scroller: a banner that scrolls its caption");
}

QString ScrollerPlugin::whatsThis() const
{
    return QStringLiteral(
        "Scrolls its caption from right to left while the program runs and fits its font to its height.");
}

QString ScrollerPlugin::includeFile() const
{
    return QStringLiteral("tovrell/scroller.h");
}

QIcon ScrollerPlugin::icon() const
{
    return QIcon(QStringLiteral(":/tovrell/scroller-toolbox.bmp"));
}

bool ScrollerPlugin::isContainer() const
{
    return false;
}

QWidget *ScrollerPlugin::createWidget(QWidget *parent)
{
    auto *scroller = new Tovrell::Scroller(parent);
    // On a form being designed the banner stands still; loaded by a
    // program (QUiLoader) it runs.
    scroller->setAmbientUserMode(QDesignerFormWindowInterface::findFormWindow(parent) == nullptr);
    if (parent)
        scroller->setAmbientFont(parent->font());
    scroller->initProperties();
    return scroller;
}

QString ScrollerPlugin::domXml() const
{
    return QStringLiteral(
        "<ui language=\"c++\">\n"
        " <widget class=\"Tovrell::Scroller\" name=\"scroller\">\n"
        "  <property name=\"geometry\"><rect><x>0</x><y>0</y><width>408</width><height>40</height></rect></property>\n"
        " </widget>\n"
        "</ui>\n");
}
