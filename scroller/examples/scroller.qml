// A Qt Quick scene with a banner: the Scroller of the QML module Tovrell.
// Run it with Qt's QML runtime (Debian's qml-qt6 package):
//   /usr/lib/qt6/bin/qml scroller.qml
// outside the prefix /usr with QML_IMPORT_PATH=<prefix>/<libdir>/qt6/qml.
import QtQuick
import Tovrell

Window {
    width: 440
    height: 72
    visible: true
    color: "white"
    title: qsTr("Qt Quick host")

    Scroller {
        id: banner
        objectName: "banner"
        anchors.fill: parent
        anchors.margins: 16
        caption: qsTr("Hello from Qt Quick")
        font.family: "Liberation Sans"
        // A user stops a moving banner, and starts it again, with a double
        // click (WCAG 2.2.2).
        onDblClick: interval = interval > 0 ? 0 : 100
        onClick: console.log("Click")
        onMouseDown: (button, shift, x, y) => console.log("MouseDown", button, shift, x, y)
    }
}
