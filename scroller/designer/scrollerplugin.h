#pragma once

#include <QtUiPlugin/QDesignerCustomWidgetInterface>

// Puts Tovrell::Scroller into Qt Designer's widget box. In Designer the
// control is in design mode and does not scroll; its seven properties are
// edited in the property editor and saved in .ui files.
class ScrollerPlugin : public QObject, public QDesignerCustomWidgetInterface
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "org.qt-project.Qt.QDesignerCustomWidgetInterface")
    Q_INTERFACES(QDesignerCustomWidgetInterface)

public:
    using QObject::QObject;

    QString name() const override;
    QString group() const override;
    QString toolTip() const override;
    QString whatsThis() const override;
    QString includeFile() const override;
    QIcon icon() const override;
    bool isContainer() const override;
    QWidget *createWidget(QWidget *parent) override;
    QString domXml() const override;
};
