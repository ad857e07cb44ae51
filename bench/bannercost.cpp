// What a running banner costs its host: the processor time of the whole
// host process per second of wall time, for each case of size, interval
// and caption length, in five hosts started one after another, three
// rounds of them, each host's median printed (a shared machine's load
// moves a single measure by a fifth either way):
//   - a Qt program holding a Scroller (it links Tovrell::Control);
//   - a plain Xlib program holding one, with a poll loop of its own
//     (bannerhost, on the example hosts' banner.c);
//   - the same program drawing a windowless one into an image of its own,
//     which it puts on its window;
//   - a Qt Quick scene holding the QML module's Scroller, on Qt Quick's
//     software renderer (an X server without a GPU renders OpenGL on the
//     processor, which would measure the renderer, not the banner);
//   - the Qt Quick scene's own floor: the same scene showing the
//     reference's image as a texture, moved on the same timer;
//   - the reference: a Qt program whose widget renders the same text in
//     the same font once into a pixmap and, on the same timer, draws that
//     image at an offset moved by the width of "W" (and again where it
//     ends, as the banner comes round), the floor for this kind of banner.
// Each host warms up for two seconds, then is measured from /proc for the
// given seconds (4 by default). Run on an X server:
//
//   xvfb-run -a -s "-screen 0 1920x1080x24" bench/bannercost [seconds [case...]]
//
// With case numbers (from 1, in the table's order), only those cases.

#include "quickscroller.h"

#include <tovrell/scroller.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QQuickWindow>
#include <QSGImageNode>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

struct Case
{
    int width, height, interval, captionLength;
};

const Case cases[] = {
    {408, 40, 100, 48},  {1600, 120, 100, 48},  {1920, 200, 100, 48},   {408, 40, 16, 48},
    {1920, 200, 16, 48}, {408, 40, 100, 10000}, {408, 40, 100, 100000}, {1920, 200, 100, 100000},
};

QString captionOf(int length)
{
    const QString text = QStringLiteral("The quick brown fox jumps over the lazy dog 123. ");
    QString caption;
    while (caption.size() < length)
        caption += text;
    return caption.left(length);
}

// The font the Scroller fits to a height, for the reference to draw in.
QFont fittedFont(int width, int height)
{
    Tovrell::Scroller probe;
    // Shown (off the screen): a hidden widget is told of a resize only once
    // it is shown, and the font is fitted then.
    probe.setAttribute(Qt::WA_DontShowOnScreen);
    probe.show();
    probe.setAmbientFont(QApplication::font());
    probe.initProperties();
    probe.setBounds(QRect(0, 0, width, height));
    return probe.Font();
}

// The reference's image: the caption drawn once, in the font the Scroller
// fits, with room to spare after it, and the width of "W", its step. An
// image is at most 32767 pixels wide: a longer text is cut there. Drawing
// a part of an image costs the same whatever its length, so the floor
// stands.
QImage referenceImage(const Case &c, int spare, int *step)
{
    const QFont font = fittedFont(c.width, c.height);
    const QFontMetrics metrics(font);
    const QString text = captionOf(c.captionLength);
    QImage image(std::min(metrics.horizontalAdvance(text) + spare, 32767), c.height,
                 QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0, 255, 255));
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(0, metrics.ascent(), text);
    *step = metrics.horizontalAdvance(QStringLiteral("W"));
    return image;
}

class Reference : public QWidget
{
public:
    Reference(const Case &c)
        : m_image(QPixmap::fromImage(referenceImage(c, 1, &m_step)))
    {
        m_timer.callOnTimeout(this, [this] {
            m_offset = (m_offset + m_step) % std::max(1, int(m_image.width()));
            update();
        });
        m_timer.start(c.interval);
    }

protected:
    // The image, and again after it where it ends within the widget, as a
    // banner comes round.
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        for (int x = -m_offset; x < width(); x += m_image.width())
            painter.drawPixmap(x, 0, m_image);
    }

private:
    int m_step = 1; // before the image, which sets it
    QPixmap m_image;
    QTimer m_timer;
    int m_offset = 0;
};

// The reference in a Qt Quick scene: its image is a texture made once, of
// which the scene shows a part moved on at every tick.
class QuickReference : public QQuickItem
{
public:
    QuickReference(const Case &c, QQuickItem *parent)
        : QQuickItem(parent)
        , m_image(referenceImage(c, c.width, &m_step))
    {
        setFlag(ItemHasContents);
        m_timer.callOnTimeout(this, [this] {
            m_offset = (m_offset + m_step) % std::max(1, int(m_image.width() - width()));
            update();
        });
        m_timer.start(c.interval);
    }

protected:
    QSGNode *updatePaintNode(QSGNode *node, UpdatePaintNodeData *) override
    {
        auto *shown = static_cast<QSGImageNode *>(node);
        if (!shown) {
            shown = window()->createImageNode();
            shown->setOwnsTexture(true);
            shown->setTexture(window()->createTextureFromImage(m_image));
        }
        shown->setRect(boundingRect());
        shown->setSourceRect(QRectF(m_offset, 0, width(), height()));
        return shown;
    }

private:
    int m_step = 1; // before the image, which sets it
    QImage m_image;
    QTimer m_timer;
    int m_offset = 0;
};

// A Qt Quick scene of one banner, or of the reference, for one case, until
// it is killed.
int runQuickHost(const QString &kind, const Case &c)
{
    QQuickWindow window;
    window.resize(c.width, c.height);
    QQuickItem *banner = nullptr;
    if (kind == u"quick-reference") {
        banner = new QuickReference(c, window.contentItem());
    } else {
        auto *scroller = new QuickScroller(window.contentItem());
        scroller->setInterval(c.interval);
        scroller->setCaption(captionOf(c.captionLength));
        banner = scroller;
    }
    banner->setSize(QSizeF(c.width, c.height));
    window.show();
    return QApplication::exec();
}

// A host of one kind, for one case, until it is killed.
int runHost(const QString &kind, const Case &c)
{
    if (kind.startsWith(u"quick"))
        return runQuickHost(kind, c);
    QWidget *banner = nullptr;
    if (kind == u"reference") {
        banner = new Reference(c);
    } else {
        auto *scroller = new Tovrell::Scroller;
        scroller->setAmbientFont(QApplication::font());
        scroller->initProperties();
        scroller->setInterval(c.interval);
        scroller->setCaption(captionOf(c.captionLength));
        banner = scroller;
    }
    banner->resize(c.width, c.height);
    banner->show();
    return QApplication::exec();
}

// The time the process's threads have run, from the scheduler's own
// counts (nanoseconds, where /proc/<pid>/stat counts hundredths).
double processorSeconds(qint64 pid)
{
    double seconds = 0.0;
    const QDir tasks(QStringLiteral("/proc/%1/task").arg(pid));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (schedstat.open(QIODevice::ReadOnly))
            seconds += double(schedstat.readAll().split(' ').value(0).toLongLong()) / 1e9;
    }
    return seconds;
}

// The percentage of a core that the host took over the measured seconds.
double measure(const QString &program, const QStringList &arguments, double seconds)
{
    QProcess host;
    host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    host.start(program, arguments);
    if (!host.waitForStarted())
        return -1.0;
    QThread::msleep(2000);
    const double before = processorSeconds(host.processId());
    QElapsedTimer wall;
    wall.start();
    QThread::msleep(unsigned(seconds * 1000));
    const double used = processorSeconds(host.processId()) - before;
    const double elapsed = double(wall.nsecsElapsed()) / 1e9;
    const bool alive = host.state() == QProcess::Running;
    host.kill();
    host.waitForFinished();
    return alive ? 100.0 * used / elapsed : -1.0;
}

double median(std::array<double, 3> measures)
{
    std::sort(measures.begin(), measures.end());
    return measures[1];
}

} // namespace

int main(int argc, char **argv)
{
    // The scene's renderer, chosen before the application starts.
    if (argc > 2 && qstrncmp(argv[2], "quick", 5) == 0)
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() == 7 && arguments[1] == u"--host")
        return runHost(arguments[2],
                       {arguments[3].toInt(), arguments[4].toInt(), arguments[5].toInt(), arguments[6].toInt()});

    const double seconds = arguments.size() > 1 ? arguments[1].toDouble() : 4.0;
    // The C host finds the library through a registry of its own.
    const QString registry = QDir::temp().filePath(QStringLiteral("bannercost-registry.ini"));
    qputenv("FORM_COMPONENT_REGISTRY", registry.toLocal8Bit());
    QProcess::execute(QStringLiteral(REGCOMPONENT), {QStringLiteral(TOVRELL_LIBRARY)});

    // Each host: how it starts, then what it is told of the case.
    const QString self = QApplication::applicationFilePath();
    const struct
    {
        const char *name;
        QString program;
        QStringList before, after;
    } hosts[] = {
        {"Qt host", self, {"--host", "scroller"}, {}},
        {"C host", QStringLiteral(BANNERHOST), {}, {}},
        {"windowless", QStringLiteral(BANNERHOST), {}, {"windowless"}},
        {"Qt Quick", self, {"--host", "quick"}, {}},
        {"Quick ref", self, {"--host", "quick-reference"}, {}},
        {"reference", self, {"--host", "reference"}, {}},
    };
    constexpr std::size_t hostCount = std::size(hosts);
    std::printf("%-26s", "case (px, ms, characters)");
    for (const auto &host : hosts)
        std::printf(" %11s", host.name);
    for (std::size_t h = 0; h + 1 < hostCount; ++h)
        std::printf(" %10.10s/ref", hosts[h].name);
    std::printf(" %14s\n", "Quick/Quick ref");
    const QStringList chosen = arguments.mid(2);
    for (const Case &c : cases) {
        const QString number = QString::number(&c - cases + 1);
        if (!chosen.isEmpty() && !chosen.contains(number))
            continue;
        const QStringList size = {QString::number(c.width), QString::number(c.height), QString::number(c.interval),
                                  QString::number(c.captionLength)};
        std::array<std::array<double, 3>, hostCount> measures{};
        for (std::size_t round = 0; round < 3; ++round) {
            for (std::size_t h = 0; h < hostCount; ++h)
                measures[h][round] = measure(hosts[h].program, hosts[h].before + size + hosts[h].after, seconds);
        }
        const QString name =
            QStringLiteral("%1x%2, %3, %4").arg(c.width).arg(c.height).arg(c.interval).arg(c.captionLength);
        std::printf("%-26s", qPrintable(name));
        for (const auto &host : measures)
            std::printf(" %10.2f%%", median(host));
        for (std::size_t h = 0; h + 1 < hostCount; ++h)
            std::printf(" %13.2fx", median(measures[h]) / median(measures[hostCount - 1]));
        // The scene against the scene's own floor.
        std::printf(" %13.2fx\n", median(measures[3]) / median(measures[4]));
        std::fflush(stdout);
    }
    QFile::remove(registry);
    return 0;
}
