// SPDX-License-Identifier: MIT
// The lines the game window draws itself, read back in device pixels on a scaled screen
// (run with QT_SCALE_FACTOR set): on a screen scaled by 1.25 or 1.75 a line drawn in
// logical pixels loses an edge or comes out one pixel wide here and two there.
#include "tests/support/gamewindow.h"
#include "tests/support/qtmain.h"
#include "ui/main_window/form1.h"

#include <QTest>

#include <cmath>

namespace {

// How many device pixels of `color` follow one another from `from`, one `step` at a time.
int runof(const QImage &image, QPoint from, QPoint step, const QColor &color)
{
    int count = 0;
    for (QPoint p = from; image.rect().contains(p) && image.pixelColor(p) == color; p += step)
        ++count;
    return count;
}

struct Edge {
    const char *name;
    QPoint from;  // the outermost device pixel of the line, half-way along it
    QPoint step;  // inwards
};

// The four edges of `logical` (in the window's logical pixels) on an image of the window
// `scale` device pixels to the logical one.
std::array<Edge, 4> edgesof(const QRect &logical, qreal scale)
{
    const auto device = [scale](qreal v) { return int(std::lround(v * scale)); };
    const int left = device(logical.left()), right = device(logical.left() + logical.width()) - 1;
    const int top = device(logical.top()), bottom = device(logical.top() + logical.height()) - 1;
    const int midx = device(logical.center().x()), midy = device(logical.center().y());
    return {{{"top", {midx, top}, {0, 1}},
             {"left", {left, midy}, {1, 0}},
             {"bottom", {midx, bottom}, {0, -1}},
             {"right", {right, midy}, {-1, 0}}}};
}

}  // namespace

class LinesTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        form_ = numora::testsupport::openform(5);
        QVERIFY(form_);
        numora::testsupport::WindowPlayer(form_.get()).newgame();
    }
    void cleanup() { form_.reset(); }

    void everyEdgeIsPresentAndOfOneWidth_data();
    void everyEdgeIsPresentAndOfOneWidth();

private:
    std::unique_ptr<numora::Form1> form_;
};

void LinesTest::everyEdgeIsPresentAndOfOneWidth_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QColor>("color");
    QTest::addColumn<int>("design");     // width of the line in design pixels
    QTest::addColumn<QColor>("inside");  // what follows it on top and left; invalid: not checked
    QTest::addColumn<int>("rings");      // lines of `color` side by side on the bottom and right
    // Confirm Number, the default button, carries a black frame; its dark bevel below and to
    // the right is black too, its light bevel above and to the left white.
    QTest::newRow("default button") << QStringLiteral("Command12") << QColor(Qt::black) << 1 << QColor(Qt::white) << 2;
    QTest::newRow("dark red outline") << QStringLiteral("Shape3") << QColor(128, 0, 0) << 2 << QColor() << 1;
    QTest::newRow("navy outline") << QStringLiteral("Shape5") << QColor(0, 0, 128) << 2 << QColor() << 1;
    QTest::newRow("row numbers") << QStringLiteral("Label4") << QColor(Qt::black) << 1 << QColor() << 1;
}

void LinesTest::everyEdgeIsPresentAndOfOneWidth()
{
    QFETCH(QString, control);
    QFETCH(QColor, color);
    QFETCH(int, design);
    QFETCH(QColor, inside);
    QFETCH(int, rings);
    auto *widget = form_->findChild<QWidget *>(control);
    QVERIFY(widget);
    form_->setFocus();  // no push button has the focus: the default button carries the frame
    if (auto *button = qobject_cast<QPushButton *>(widget))
        QVERIFY(button->isDefault());
    const qreal scale = form_->devicePixelRatioF();
    const QImage shot = form_->grab().toImage();
    QCOMPARE(shot.devicePixelRatio(), scale);
    const QRect logical(widget->mapTo(form_.get(), QPoint()), widget->size());
    const int line = qMax(1, int(std::lround(scale * design)));
    for (const Edge &edge : edgesof(logical, scale)) {
        const bool far = edge.step.x() < 0 || edge.step.y() < 0;
        const int expected = far ? rings * line : line;
        const int run = runof(shot, edge.from, edge.step, color);
        QVERIFY2(run == expected, qPrintable(QStringLiteral("%1 edge at %2: %3 device pixels of the line, not %4")
                                                 .arg(QLatin1String(edge.name), QString::number(scale),
                                                      QString::number(run), QString::number(expected))));
        // Nothing between the frame and the bevel.
        if (inside.isValid() && !far)
            QCOMPARE(shot.pixelColor(edge.from + edge.step * expected), inside);
    }
}

NUMORA_QTEST_MAIN(LinesTest)

#include "lines_test.moc"
