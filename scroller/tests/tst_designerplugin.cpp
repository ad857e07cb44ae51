// A .ui file with a Scroller, loaded at run time with QUiLoader through the
// Designer plugin: the widget must be a real Scroller (without the plugin
// QUiLoader quietly makes a plain QWidget) with its properties applied. The
// plugin carries its own copy of the control, so the test knows the widget
// by its class name and properties, as Designer does.

#include <QBuffer>
#include <QColor>
#include <QFont>
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
    QWidget *banner = form->findChild<QWidget *>(QStringLiteral("banner"));
    QVERIFY(banner);
    QCOMPARE(banner->metaObject()->className(), "Tovrell::Scroller");
    QCOMPARE(banner->property("Caption").toString(), QStringLiteral("Loaded from a form"));
    QCOMPARE(banner->property("BackColor").value<QColor>(), QColor(Qt::red));
    QCOMPARE(banner->property("ForeColor").value<QColor>(), QColor(Qt::blue));
    QCOMPARE(banner->property("BorderStyle").toInt(), 1);
    QCOMPARE(banner->property("Interval").toInt(), 250);
    QCOMPARE(banner->property("Enabled").toBool(), false);
    QCOMPARE(banner->property("Font").value<QFont>().family(), QStringLiteral("Liberation Mono"));
    // Outside Designer the banner runs: its picture moves on the timer.
    const QImage first = banner->grab().toImage();
    QTRY_VERIFY_WITH_TIMEOUT(banner->grab().toImage() != first, 5000);
}

QTEST_MAIN(TestDesignerPlugin)
#include "tst_designerplugin.moc"
