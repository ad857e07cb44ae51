// A .ui file with a Scroller, loaded at run time with QUiLoader through the
// Designer plugin: the widget must be a real Scroller (without the plugin
// QUiLoader quietly makes a plain QWidget) with its properties applied.

#include "scroller.h"

#include <QBuffer>
#include <QTest>
#include <QUiLoader>

class TestDesignerPlugin : public QObject
{
    Q_OBJECT

private slots:
    void pluginIsFound();
    void uiFileAppliesTheProperties();
};

void TestDesignerPlugin::pluginIsFound()
{
    QUiLoader loader;
    loader.addPluginPath(QStringLiteral(PLUGIN_DIR));
    QVERIFY2(loader.availableWidgets().contains(QStringLiteral("Tovrell::Scroller")), qPrintable(loader.errorString()));
}

void TestDesignerPlugin::uiFileAppliesTheProperties()
{
    QByteArray ui = R"(<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>Form</class>
 <widget class="QWidget" name="Form">
  <property name="geometry"><rect><x>0</x><y>0</y><width>500</width><height>100</height></rect></property>
  <widget class="Tovrell::Scroller" name="banner">
   <property name="geometry"><rect><x>10</x><y>10</y><width>408</width><height>40</height></rect></property>
   <property name="Caption"><string>Loaded from a form</string></property>
   <property name="BackColor"><color><red>255</red><green>0</green><blue>0</blue></color></property>
   <property name="ForeColor"><color><red>0</red><green>0</green><blue>255</blue></color></property>
   <property name="BorderStyle"><number>1</number></property>
   <property name="Interval"><number>250</number></property>
   <property name="Enabled"><bool>false</bool></property>
   <property name="Font"><font><family>Liberation Mono</family><pointsize>14</pointsize></font></property>
  </widget>
 </widget>
</ui>
)";
    QBuffer file(&ui);
    QUiLoader loader;
    loader.addPluginPath(QStringLiteral(PLUGIN_DIR));
    std::unique_ptr<QWidget> form(loader.load(&file));
    QVERIFY2(form, qPrintable(loader.errorString()));
    auto *banner = qobject_cast<Tovrell::Scroller *>(form->findChild<QWidget *>(QStringLiteral("banner")));
    QVERIFY2(banner, "the .ui's Scroller was not made by the plugin");
    QCOMPARE(banner->Caption().toString(), QStringLiteral("Loaded from a form"));
    QCOMPARE(banner->BackColor(), 0x000000FFu);
    QCOMPARE(banner->ForeColor(), 0x00FF0000u);
    QCOMPARE(banner->BorderStyle(), 1);
    QCOMPARE(banner->Interval(), 250);
    QVERIFY(!banner->Enabled());
    QCOMPARE(banner->Font()->font().family(), QStringLiteral("Liberation Mono"));
    // Outside Designer the banner runs.
    QVERIFY(banner->ambientUserMode());
}

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
