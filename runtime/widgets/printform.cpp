#include "printform.h"

#include "messagebox.h"

#include <QCoreApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QWidget>

#include <algorithm>

bool printForm(QWidget *clientArea)
{
    const QPrinterInfo printerInfo = QPrinterInfo::defaultPrinter();
    if (printerInfo.isNull()) {
        MsgBox(QCoreApplication::translate("PrintForm",
                                           "No printer is available. Set up a default printer and try again."),
               48);
        return false;
    }
    const QPixmap image = clientArea->grab();

    QPrinter printer(printerInfo, QPrinter::HighResolution);
    printer.setDocName(clientArea->window()->windowTitle());
    QPainter painter;
    if (!painter.begin(&printer)) {
        MsgBox(QCoreApplication::translate("PrintForm", "The printer \"%1\" cannot print now.")
                   .arg(printerInfo.printerName()),
               48);
        return false;
    }
    // The image's pixels are 1/96 inch; keep that size on paper.
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    double scale = printer.resolution() / 96.0 / image.devicePixelRatio();
    scale = std::min({scale, page.width() / image.width(), page.height() / image.height()});
    painter.scale(scale, scale);
    painter.drawPixmap(0, 0, image);
    return painter.end();
}
