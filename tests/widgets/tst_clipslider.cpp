#include "clipgeometry.h"
#include "clipslider.h"

#include <QBitmap>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <limits>
#include <memory>

using namespace ClipGeometry;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kRow = 25;
const QRgb kEdge = kClipEdgeColour;
const QRgb kGroove = kGripGrooveColour;
const QRgb kBackground = qRgb(142, 83, 145);

// Counts paint events, so that setters can be checked for repainting.
class PaintCounter final : public QObject
{
public:
    int count = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Emitted signals in order, as short texts: "pos 40", "clip 110 200".
class SignalLog final : public QObject
{
public:
    explicit SignalLog(CClipSlider *slider)
    {
        connect(slider, &CClipSlider::posChanged, this,
                [this](double p) { texts << QStringLiteral("pos %1").arg(p); });
        connect(slider, &CClipSlider::clipChanged, this, [this](double a, double b) {
            texts << QStringLiteral("clip %1 %2").arg(a).arg(b);
        });
    }
    QStringList texts;
};

void press(QWidget *w, int x, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(w, button, {}, QPoint(x, kRow));
}

// QTest::mouseMove carries no buttons; a drag needs them in the event.
void moveTo(QWidget *w, int x, Qt::MouseButtons held = Qt::LeftButton)
{
    const QPointF local(x, kRow);
    QMouseEvent event(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

void release(QWidget *w, int x, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseRelease(w, button, {}, QPoint(x, kRow));
}

// 500 columns over 0 .. 1000 s: column c stands for 2c seconds. Marker at
// column 250, clip over columns 50 .. 100.
std::unique_ptr<CClipSlider> makeSlider(int width = 500)
{
    auto slider = std::make_unique<CClipSlider>();
    slider->resize(width, 50);
    slider->show();
    if (!QTest::qWaitForWindowExposed(slider.get()))
        return nullptr;
    slider->setRange(0, 1000);
    slider->setPos(500);
    slider->setClip(100, 200);
    return slider;
}

bool near(QRgb a, QRgb b, int tolerance = 2)
{
    return std::abs(qRed(a) - qRed(b)) <= tolerance && std::abs(qGreen(a) - qGreen(b)) <= tolerance
        && std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

// The clip's light wash over an opaque colour.
QRgb insideOver(QRgb below)
{
    const double a = qAlpha(kClipWashColour) / 255.0;
    const auto mix = [a](int top, int under) { return int(std::lround(top * a + under * (1 - a))); };
    return qRgb(mix(qRed(kClipWashColour), qRed(below)), mix(qGreen(kClipWashColour), qGreen(below)),
                mix(qBlue(kClipWashColour), qBlue(below)));
}
} // namespace

class TestClipSlider final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void columnForSeconds_data();
    void columnForSeconds();
    void secondsForColumnGuards();
    void zones_data();
    void zones();

    void pressAndDrag_data();
    void pressAndDrag();
    void hoverCursor_data();
    void hoverCursor();
    void clipDragCursor();
    void handleStopsAtOtherHandle();
    void clipDragAgainstEdges();
    void clipDragSnapsBothEnds_data();
    void clipDragSnapsBothEnds();
    void wholeRangeClipStaysInside_data();
    void wholeRangeClipStaysInside();
    void movedClipKeepsItsLength();
    void markerDragKeepsPressColumn();
    void setClip_data();
    void setClip();
    void settersNeverEmit();
    void degenerateRange();
    void badInputNeverCrashes();
    void painting();
    void narrowClipOverlay();
    void longFileClipHasGrips();
    void overlayBeyondWidget();
    void cornerCutMask_data();
    void cornerCutMask();
    void screenshot();
};

void TestClipSlider::columnForSeconds_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<double>("rangeMin");
    QTest::addColumn<double>("rangeMax");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("column");

    QTest::newRow("scaled from zero, not from rangeMin") << 15.0 << 10.0 << 20.0 << 100 << 150;
    QTest::newRow("truncates") << 0.39 << 0.0 << 1.0 << 10 << 3;
    QTest::newRow("truncates toward zero") << -0.39 << 0.0 << 1.0 << 10 << -3;
    QTest::newRow("main window size") << 10.0 << 0.0 << 37.3 << 530 << 142;
    QTest::newRow("degenerate range") << 5.0 << 5.0 << 5.0 << 500 << 0;
    QTest::newRow("reversed range") << 5.0 << 10.0 << 0.0 << 500 << 0;
    QTest::newRow("NaN range") << 5.0 << kNaN << 10.0 << 500 << 0;
    QTest::newRow("NaN time") << kNaN << 0.0 << 10.0 << 500 << 0;
    QTest::newRow("zero width") << 5.0 << 0.0 << 10.0 << 0 << 0;
    QTest::newRow("huge time") << 1e300 << 0.0 << 10.0 << 500 << kColumnLimit;
    QTest::newRow("huge negative time") << -1e300 << 0.0 << 10.0 << 500 << -kColumnLimit;
    QTest::newRow("infinite range end") << 5.0 << 0.0 << qInf() << 500 << 0;
}

void TestClipSlider::columnForSeconds()
{
    QFETCH(double, seconds);
    QFETCH(double, rangeMin);
    QFETCH(double, rangeMax);
    QFETCH(int, width);
    QFETCH(int, column);
    QCOMPARE(ClipGeometry::columnForSeconds(seconds, rangeMin, rangeMax, width), column);
}

void TestClipSlider::secondsForColumnGuards()
{
    QVERIFY(secondsForColumn(200, 0, 37.3, 530) == 37.3 / 530 * 200);
    QCOMPARE(secondsForColumn(200, 7, 7, 530), 0.0);
    QCOMPARE(secondsForColumn(0, 0, qInf(), 530), 0.0);
    QCOMPARE(secondsForColumn(10, kNaN, 5, 530), 0.0);
    QCOMPARE(clampColumn(-5, 500), 0);
    QCOMPARE(clampColumn(700, 500), 499);
    QCOMPARE(clampColumn(3, 0), 0);
}

void TestClipSlider::zones_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("posX");
    QTest::addColumn<int>("clipMinX");
    QTest::addColumn<int>("clipMaxX");
    QTest::addColumn<Zone>("zone");

    QTest::newRow("marker left") << 249 << 250 << 50 << 100 << Zone::Marker;
    QTest::newRow("marker right") << 251 << 250 << 50 << 100 << Zone::Marker;
    QTest::newRow("two right of marker") << 252 << 250 << 50 << 100 << Zone::RightOfClip;
    QTest::newRow("two left of marker") << 248 << 250 << 50 << 100 << Zone::RightOfClip;
    QTest::newRow("left of clip") << 45 << 250 << 50 << 100 << Zone::LeftOfClip;
    QTest::newRow("start handle outer") << 46 << 250 << 50 << 100 << Zone::StartHandle;
    QTest::newRow("start handle inner") << 54 << 250 << 50 << 100 << Zone::StartHandle;
    QTest::newRow("inside first") << 55 << 250 << 50 << 100 << Zone::Inside;
    QTest::newRow("inside last") << 95 << 250 << 50 << 100 << Zone::Inside;
    QTest::newRow("end handle inner") << 96 << 250 << 50 << 100 << Zone::EndHandle;
    QTest::newRow("end handle outer") << 104 << 250 << 50 << 100 << Zone::EndHandle;
    QTest::newRow("right of clip") << 105 << 250 << 50 << 100 << Zone::RightOfClip;
    QTest::newRow("start handle over the marker") << 49 << 50 << 50 << 100 << Zone::StartHandle;
    QTest::newRow("marker inside the clip") << 71 << 70 << 50 << 100 << Zone::Marker;
    QTest::newRow("end handle over the marker") << 101 << 100 << 50 << 100 << Zone::EndHandle;
    QTest::newRow("ends coincide: on the column") << 75 << 300 << 75 << 75 << Zone::StartHandle;
    QTest::newRow("ends coincide: four left") << 71 << 300 << 75 << 75 << Zone::StartHandle;
    QTest::newRow("ends coincide: five left") << 70 << 300 << 75 << 75 << Zone::LeftOfClip;
    QTest::newRow("ends coincide: one right") << 76 << 300 << 75 << 75 << Zone::EndHandle;
    QTest::newRow("ends coincide: four right") << 79 << 300 << 75 << 75 << Zone::EndHandle;
    QTest::newRow("ends coincide: five right") << 80 << 300 << 75 << 75 << Zone::RightOfClip;
    // A few columns wide: split halfway, no body to grab.
    QTest::newRow("narrow clip: left half") << 61 << 300 << 60 << 62 << Zone::StartHandle;
    QTest::newRow("narrow clip: right half") << 62 << 300 << 60 << 62 << Zone::EndHandle;
    // Ten seconds of a 4-minute file on 530 columns: the visible right edge
    // grabs the end, not the body.
    QTest::newRow("4-minute file: right edge") << 20 << 0 << 0 << 22 << Zone::EndHandle;
    // Ten seconds of a 90-minute file is under a column, with the marker on
    // it right after loading: both handles can still be grabbed.
    QTest::newRow("90-minute file: start") << 0 << 0 << 0 << 0 << Zone::StartHandle;
    QTest::newRow("90-minute file: end") << 2 << 0 << 0 << 0 << Zone::EndHandle;
}

void TestClipSlider::zones()
{
    QFETCH(int, x);
    QFETCH(int, posX);
    QFETCH(int, clipMinX);
    QFETCH(int, clipMaxX);
    QFETCH(Zone, zone);
    QCOMPARE(zoneAt(x, posX, clipMinX, clipMaxX), zone);
}

void TestClipSlider::pressAndDrag_data()
{
    QTest::addColumn<double>("pos");
    QTest::addColumn<double>("clipMin");
    QTest::addColumn<double>("clipMax");
    QTest::addColumn<int>("pressX");
    QTest::addColumn<int>("moveX");
    QTest::addColumn<QStringList>("expected");

    // Columns: marker 250, clip 50 .. 100; column c is 2c seconds.
    QTest::newRow("left of clip jumps the marker, then hovers")
        << 500.0 << 100.0 << 200.0 << 20 << 25 << QStringList{"pos 40"};
    QTest::newRow("right of clip jumps the marker, then hovers")
        << 500.0 << 100.0 << 200.0 << 300 << 310 << QStringList{"pos 600"};
    QTest::newRow("start handle outer column")
        << 500.0 << 100.0 << 200.0 << 46 << 51 << QStringList{"clip 110 200"};
    QTest::newRow("start handle") << 500.0 << 100.0 << 200.0 << 50 << 55
                                  << QStringList{"clip 110 200"};
    QTest::newRow("inside moves the clip") << 500.0 << 100.0 << 200.0 << 75 << 80
                                           << QStringList{"clip 110 210"};
    QTest::newRow("end handle") << 500.0 << 100.0 << 200.0 << 100 << 105
                                << QStringList{"clip 100 210"};
    QTest::newRow("end handle outer column")
        << 500.0 << 100.0 << 200.0 << 104 << 109 << QStringList{"clip 100 210"};
    QTest::newRow("marker") << 500.0 << 100.0 << 200.0 << 251 << 256 << QStringList{"pos 512"};
    QTest::newRow("start handle over the marker")
        << 100.0 << 100.0 << 200.0 << 51 << 56 << QStringList{"clip 110 200"};
    QTest::newRow("end handle over the marker")
        << 200.0 << 100.0 << 200.0 << 99 << 94 << QStringList{"clip 100 190"};
    QTest::newRow("marker inside the clip")
        << 150.0 << 100.0 << 200.0 << 75 << 80 << QStringList{"pos 160"};
    QTest::newRow("ends coincide: start handle wins")
        << 500.0 << 150.0 << 150.0 << 75 << 70 << QStringList{"clip 140 150"};
    QTest::newRow("ends coincide: end handle right of it")
        << 500.0 << 150.0 << 150.0 << 76 << 81 << QStringList{"clip 150 160"};
    QTest::newRow("ends coincide: end handle two right")
        << 500.0 << 150.0 << 150.0 << 77 << 82 << QStringList{"clip 150 160"};
    QTest::newRow("press position is not clamped")
        << 500.0 << 100.0 << 200.0 << -10 << 0 << QStringList{"pos -20"};
}

void TestClipSlider::pressAndDrag()
{
    QFETCH(double, pos);
    QFETCH(double, clipMin);
    QFETCH(double, clipMax);
    QFETCH(int, pressX);
    QFETCH(int, moveX);
    QFETCH(QStringList, expected);

    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setPos(pos);
    slider->setClip(clipMin, clipMax);
    SignalLog log(slider.get());

    press(slider.get(), pressX);
    moveTo(slider.get(), moveX);
    release(slider.get(), moveX);
    QCOMPARE(log.texts, expected);
}

void TestClipSlider::hoverCursor_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<Qt::CursorShape>("shape");

    QTest::newRow("marker") << 250 << Qt::SizeHorCursor;
    QTest::newRow("left of clip") << 10 << Qt::ArrowCursor;
    QTest::newRow("start handle") << 49 << Qt::SizeHorCursor;
    QTest::newRow("inside") << 70 << Qt::OpenHandCursor;
    QTest::newRow("end handle") << 101 << Qt::SizeHorCursor;
    QTest::newRow("right of clip") << 400 << Qt::ArrowCursor;
}

void TestClipSlider::hoverCursor()
{
    QFETCH(int, x);
    QFETCH(Qt::CursorShape, shape);

    auto slider = makeSlider();
    QVERIFY(slider);
    SignalLog log(slider.get());
    // Start from a shape that no zone uses.
    slider->setCursor(Qt::WaitCursor);
    moveTo(slider.get(), x, Qt::NoButton);
    QCOMPARE(slider->cursor().shape(), shape);
    QVERIFY(log.texts.isEmpty());
}

void TestClipSlider::clipDragCursor()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    press(slider.get(), 70);
    QCOMPARE(slider->cursor().shape(), Qt::ClosedHandCursor);
    // Any button ends the drag.
    release(slider.get(), 70, Qt::RightButton);
    QCOMPARE(slider->cursor().shape(), Qt::OpenHandCursor);

    SignalLog log(slider.get());
    moveTo(slider.get(), 90);
    QVERIFY(log.texts.isEmpty());
}

void TestClipSlider::handleStopsAtOtherHandle()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    double a = 0;
    double b = 0;

    press(slider.get(), 50);
    moveTo(slider.get(), 300);
    slider->getClip(a, b);
    QCOMPARE(a, 200.0);
    QCOMPARE(b, 200.0);
    // Coming back, the handle follows the pointer at once.
    moveTo(slider.get(), 90);
    slider->getClip(a, b);
    QCOMPARE(a, 180.0);
    release(slider.get(), 90);

    slider->setClip(100, 200);
    press(slider.get(), 100);
    moveTo(slider.get(), 0);
    slider->getClip(a, b);
    QCOMPARE(a, 100.0);
    QCOMPARE(b, 100.0);
    release(slider.get(), 0);
}

void TestClipSlider::clipDragAgainstEdges()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    SignalLog log(slider.get());

    // The pointer grabs the clip 10 columns right of its start; the clip
    // stops at the edge and follows the pointer's distance from the press.
    press(slider.get(), 60);
    moveTo(slider.get(), 0);
    // Beyond the widget the pointer is clamped to column 0: no new step.
    moveTo(slider.get(), -40);
    moveTo(slider.get(), 20);
    release(slider.get(), 20);
    QCOMPARE(log.texts, (QStringList{"clip 0 100", "clip 20 120"}));

    log.texts.clear();
    press(slider.get(), 30);
    moveTo(slider.get(), 499);
    // Still past the edge: the clip stays where it is, so nothing is sent.
    moveTo(slider.get(), 480);
    moveTo(slider.get(), 400);
    release(slider.get(), 400);
    // The right edge is the end of the range itself, not the last column.
    QCOMPARE(log.texts, (QStringList{"clip 900 1000", "clip 760 860"}));
}

void TestClipSlider::clipDragSnapsBothEnds_data()
{
    QTest::addColumn<int>("pressX");
    QTest::addColumn<int>("moveX");
    QTest::addColumn<double>("start");
    QTest::addColumn<double>("end");

    // 530 columns over 37.3 s; the clip 3.33 .. 9.99 s sits on columns 47 .. 141.
    // Only the dragged end moves, to whole milliseconds; a moved clip keeps
    // its length exactly.
    QTest::newRow("start handle") << 47 << 50 << 3.519 << 9.99;
    QTest::newRow("end handle") << 141 << 150 << 3.33 << 10.557;
    QTest::newRow("whole clip") << 90 << 100 << 4.034 << 10.694;
    QTest::newRow("end handle to the last column") << 141 << 529 << 3.33 << 37.3;
    QTest::newRow("start handle to the first column") << 47 << 0 << 0.0 << 9.99;
}

void TestClipSlider::clipDragSnapsBothEnds()
{
    QFETCH(int, pressX);
    QFETCH(int, moveX);
    QFETCH(double, start);
    QFETCH(double, end);

    auto slider = makeSlider(530);
    QVERIFY(slider);
    slider->setRange(0, 37.3);
    slider->setPos(30);
    slider->setClip(3.33, 9.99);
    QSignalSpy spy(slider.get(), &CClipSlider::clipChanged);

    press(slider.get(), pressX);
    moveTo(slider.get(), moveX);
    release(slider.get(), moveX);

    QCOMPARE(spy.count(), 1);
    double a = 0;
    double b = 0;
    slider->getClip(a, b);
    QVERIFY2(qAbs(a - start) < 1e-9, qPrintable(QString::number(a, 'g', 17)));
    QVERIFY2(qAbs(b - end) < 1e-9, qPrintable(QString::number(b, 'g', 17)));
    QVERIFY(spy.at(0).at(0).toDouble() == a && spy.at(0).at(1).toDouble() == b);
}

void TestClipSlider::wholeRangeClipStaysInside_data()
{
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("clipEnd");
    // A file shorter than the default clip: the clip is the whole file.
    QTest::newRow("4.7 s") << 4.7 << 4.7;
    QTest::newRow("0.51 s") << 0.51 << 0.51;
    QTest::newRow("9.999 s") << 9.999 << 9.999;
}

void TestClipSlider::wholeRangeClipStaysInside()
{
    QFETCH(double, duration);
    QFETCH(double, clipEnd);
    auto slider = makeSlider(530);
    QVERIFY(slider);
    slider->setRange(0, duration);
    slider->setClip(0, clipEnd);
    SignalLog log(slider.get());
    press(slider.get(), 200);
    for (int x : {300, 529, 100, 0, 260})
        moveTo(slider.get(), x);
    release(slider.get(), 260);
    double a = -1, b = -1;
    slider->getClip(a, b);
    QCOMPARE(a, 0.0);
    QCOMPARE(b, clipEnd);
    QVERIFY2(log.texts.isEmpty(), qPrintable(log.texts.join(QLatin1Char(','))));
}

void TestClipSlider::movedClipKeepsItsLength()
{
    // Many small steps there and back: no drift from rounding to columns.
    auto slider = makeSlider(530);
    QVERIFY(slider);
    slider->setRange(0, 183.7);
    slider->setClip(12.345, 22.345);
    press(slider.get(), 40);
    for (int x = 41; x < 400; x += 7)
        moveTo(slider.get(), x);
    for (int x = 400; x > 3; x -= 3)
        moveTo(slider.get(), x);
    release(slider.get(), 3);
    double a = -1, b = -1;
    slider->getClip(a, b);
    QVERIFY2(qAbs((b - a) - 10.0) < 1e-9, qPrintable(QString::number(b - a, 'g', 17)));
    QVERIFY(a >= 0.0);
}

void TestClipSlider::markerDragKeepsPressColumn()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    SignalLog log(slider.get());
    press(slider.get(), 250);
    moveTo(slider.get(), 260);
    moveTo(slider.get(), 250); // back on the press column: ignored
    moveTo(slider.get(), 251);
    release(slider.get(), 251);
    QCOMPARE(log.texts, (QStringList{"pos 520", "pos 502"}));
    double p = 0;
    slider->getPos(p);
    QCOMPARE(p, 502.0);
}

void TestClipSlider::setClip_data()
{
    QTest::addColumn<double>("dMin");
    QTest::addColumn<double>("dMax");
    QTest::addColumn<double>("expectedMin");
    QTest::addColumn<double>("expectedMax");

    // The clip starts at 2 .. 200 s over the range 0 .. 1000 s.
    QTest::newRow("reversed") << 5.0 << 3.0 << 2.0 << 200.0;
    QTest::newRow("end beyond range") << -1.0 << 1001.0 << 2.0 << 200.0;
    QTest::newRow("start before range") << -0.0 << 10.0 << -0.0 << 10.0;
    QTest::newRow("pair beyond range") << 1001.0 << 1002.0 << 2.0 << 200.0;
    QTest::newRow("-1 keeps the start") << -1.0 << 7.0 << 2.0 << 7.0;
    QTest::newRow("-1 keeps the end") << 150.0 << -1.0 << 150.0 << 200.0;
    QTest::newRow("-1 start would pass the end") << 300.0 << -1.0 << 2.0 << 200.0;
    QTest::newRow("-1 end would pass the start") << -1.0 << 1.0 << 2.0 << 200.0;
    QTest::newRow("whole range") << 0.0 << 1000.0 << 0.0 << 1000.0;
    QTest::newRow("empty clip") << 40.0 << 40.0 << 40.0 << 40.0;
    QTest::newRow("NaN start") << kNaN << 5.0 << 2.0 << 200.0;
    QTest::newRow("NaN end") << 5.0 << kNaN << 2.0 << 200.0;
}

void TestClipSlider::setClip()
{
    QFETCH(double, dMin);
    QFETCH(double, dMax);
    QFETCH(double, expectedMin);
    QFETCH(double, expectedMax);

    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setClip(2, 200);
    PaintCounter paints;
    slider->installEventFilter(&paints);
    QCoreApplication::processEvents();
    paints.count = 0;

    slider->setClip(dMin, dMax);
    QCoreApplication::processEvents();
    double a = 0;
    double b = 0;
    slider->getClip(a, b);
    QCOMPARE(a, expectedMin);
    QCOMPARE(b, expectedMax);
    const bool taken = !(a == 2.0 && b == 200.0);
    QCOMPARE(paints.count > 0, taken);
}

void TestClipSlider::settersNeverEmit()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    SignalLog log(slider.get());
    PaintCounter paints;
    slider->installEventFilter(&paints);
    QCoreApplication::processEvents();
    paints.count = 0;

    slider->setRange(0, 100);
    slider->setWaveImage(QImage(10, 10, QImage::Format_ARGB32));
    QCoreApplication::processEvents();
    QCOMPARE(paints.count, 0);

    // The range already moved the columns: the next repaint shows them.
    slider->setPos(60);
    QTRY_VERIFY(paints.count > 0);
    const QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(300, kRow), qRgb(255, 0, 0));

    slider->setClip(10, 20);
    double p = -1;
    slider->getPos(p);
    QCOMPARE(p, 60.0);
    QVERIFY(log.texts.isEmpty());
}

void TestClipSlider::degenerateRange()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setRange(5, 5);
    SignalLog log(slider.get());

    // Every column is 0: the end handle is grabbed right of the marker.
    press(slider.get(), 2);
    moveTo(slider.get(), 20);
    release(slider.get(), 20);
    QVERIFY(log.texts.isEmpty());
    double a = 0;
    double b = 0;
    slider->getClip(a, b);
    QCOMPARE(a, 100.0);
    QCOMPARE(b, 200.0);
    // The overlay did move: the end went from column 0 to 18.
    const QImage shot = slider->grab().toImage();
    QVERIFY(near(shot.pixel(10, kRow), insideOver(kBackground)));
    QCOMPARE(shot.pixel(17, 5), kEdge);
    QCOMPARE(shot.pixel(18, 5), kBackground);

    // The start handle lies over the marker and wins; it moves, unreported.
    press(slider.get(), 0);
    moveTo(slider.get(), 30);
    release(slider.get(), 30);
    QVERIFY(log.texts.isEmpty());
    // Right of the clip the marker jumps, to the only time there is.
    press(slider.get(), 40);
    QCOMPARE(log.texts, QStringList{"pos 0"});
}

void TestClipSlider::badInputNeverCrashes()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    SignalLog log(slider.get());

    slider->setPos(kNaN);
    slider->setPos(qInf());
    slider->setPos(-1e308);
    slider->grab();
    double p = 0;
    slider->getPos(p);
    QCOMPARE(p, -1e308); // stored as given

    // A range that is not a number: the marker reports 0, not NaN.
    slider->setRange(kNaN, kNaN);
    slider->setPos(0);
    press(slider.get(), 40);
    release(slider.get(), 40);
    QCOMPARE(log.texts, QStringList{"pos 0"});

    // No columns: nothing to map a press or a move to.
    log.texts.clear();
    slider->setRange(0, 1000);
    slider->resize(0, 50);
    QTRY_COMPARE(slider->width(), 0);
    for (int x : {0, 1, 5, -5}) {
        press(slider.get(), x);
        moveTo(slider.get(), x + 7);
        release(slider.get(), x + 7);
    }
    slider->grab();
    QVERIFY(log.texts.isEmpty());
}

void TestClipSlider::painting()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setRange(0, 500);
    slider->setPos(300);
    slider->setClip(100, 200);

    QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(50, kRow), kBackground);
    QCOMPARE(shot.pixel(300, kRow), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(300, 0), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(300, 49), qRgb(255, 0, 0));
    QCOMPARE(shot.pixel(301, kRow), kBackground);
    // Edges: two columns at each end, two rows at top and bottom.
    for (const QPoint p : {QPoint(100, 5), QPoint(101, 5), QPoint(198, 5), QPoint(199, 5),
                           QPoint(150, 0), QPoint(150, 1), QPoint(150, 48), QPoint(150, 49)})
        QCOMPARE(shot.pixel(p), kEdge);
    QVERIFY(near(shot.pixel(102, 5), insideOver(kBackground)));
    QVERIFY(near(shot.pixel(150, 2), insideOver(kBackground)));
    QCOMPARE(shot.pixel(200, 5), kBackground);
    // A grip on each handle, mostly outside the clip, grooved in the middle.
    QCOMPARE(shot.pixel(96, kRow), kEdge);
    QCOMPARE(shot.pixel(98, kRow), kGroove);
    QCOMPARE(shot.pixel(203, kRow), kEdge);
    QCOMPARE(shot.pixel(200, kRow), kGroove);
    QCOMPARE(shot.pixel(95, kRow), kBackground);
    QCOMPARE(shot.pixel(204, kRow), kBackground);

    // The waveform fills the whole widget, scaled, under the overlay.
    QImage wave(10, 5, QImage::Format_ARGB32);
    wave.fill(qRgb(0, 200, 0));
    slider->setWaveImage(wave);
    shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(0, 0), qRgb(0, 200, 0));
    QCOMPARE(shot.pixel(499, 49), qRgb(0, 200, 0));
    // The waveform stays what the clip shows: lighter, not covered.
    const QRgb inside = shot.pixel(150, kRow);
    QVERIFY(near(inside, insideOver(qRgb(0, 200, 0))));
    QVERIFY(qGreen(inside) > 200 && qRed(inside) < 60 && qBlue(inside) < 60);

    // A null waveform draws nothing.
    slider->setWaveImage(QImage());
    QCOMPARE(slider->grab().toImage().pixel(50, kRow), kBackground);
}

void TestClipSlider::narrowClipOverlay()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setRange(0, 500);
    slider->setClip(100, 100.9);
    const QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(99, 5), kBackground);
    QCOMPARE(shot.pixel(100, 5), kEdge);
    QCOMPARE(shot.pixel(101, 5), kEdge);
    QCOMPARE(shot.pixel(102, 5), kBackground);
}

void TestClipSlider::longFileClipHasGrips()
{
    // Ten seconds of a 90-minute file on the main window's 530 columns.
    auto slider = makeSlider(530);
    QVERIFY(slider);
    slider->setRange(0, 5400);
    slider->setPos(0);
    slider->setClip(0, 10);
    const QImage shot = slider->grab().toImage();
    // The marker (column 0) is drawn over them.
    for (const int x : {1, 4, 5})
        QCOMPARE(shot.pixel(x, 20), kEdge);
    QCOMPARE(shot.pixel(7, 20), kBackground);

    // And the end grip is grabbed two columns right of the clip.
    SignalLog log(slider.get());
    press(slider.get(), 2);
    moveTo(slider.get(), 55);
    release(slider.get(), 55);
    QCOMPARE(log.texts.size(), 1);
    QVERIFY2(log.texts.first().startsWith(QLatin1String("clip 0 ")), qPrintable(log.texts.first()));
}

void TestClipSlider::overlayBeyondWidget()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setClip(0, 1000);
    // A tiny range puts the clip end millions of columns away.
    slider->setRange(0, 1e-3);
    const QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(0, 5), kEdge);
    QCOMPARE(shot.pixel(1, 5), kEdge);
    // No grip at the right edge for an end millions of columns away.
    QVERIFY(near(shot.pixel(499, kRow), insideOver(kBackground)));

    // Clip entirely right of the widget: only the background.
    slider->setRange(0, 1000);
    slider->setClip(900, 1000);
    slider->setRange(0, 10);
    QCOMPARE(slider->grab().toImage().pixel(499, kRow), kBackground);
}

void TestClipSlider::cornerCutMask_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("cut");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<bool>("visible");

    const QSize bar(530, 50);
    QTest::newRow("top-left corner") << bar << 10 << QPoint(2, 2) << false;
    QTest::newRow("top-left inside the cut") << bar << 10 << QPoint(8, 8) << true;
    QTest::newRow("top edge past the cut") << bar << 10 << QPoint(12, 0) << true;
    QTest::newRow("top-right corner") << bar << 10 << QPoint(527, 2) << false;
    QTest::newRow("top-right inside the cut") << bar << 10 << QPoint(522, 8) << true;
    QTest::newRow("bottom-left corner") << bar << 10 << QPoint(2, 47) << false;
    QTest::newRow("bottom-right corner") << bar << 10 << QPoint(527, 47) << false;
    QTest::newRow("centre") << bar << 10 << QPoint(265, 25) << true;
    QTest::newRow("left edge middle") << bar << 10 << QPoint(0, 25) << true;
    // The cut is limited to half the height: 40 x 10 cuts by 5.
    QTest::newRow("cut limited: corner") << QSize(40, 10) << 10 << QPoint(1, 1) << false;
    QTest::newRow("cut limited: middle of the top") << QSize(40, 10) << 10 << QPoint(20, 0)
                                                    << true;
    QTest::newRow("no cut") << bar << 0 << QPoint(0, 0) << true;
}

void TestClipSlider::cornerCutMask()
{
    QFETCH(QSize, size);
    QFETCH(int, cut);
    QFETCH(QPoint, point);
    QFETCH(bool, visible);

    QWidget widget;
    widget.resize(size);
    applyCornerCutMask(&widget, cut);
    QCOMPARE(widget.mask().contains(point), visible);
}

void TestClipSlider::screenshot()
{
    const QString folder = qEnvironmentVariable("TQ_WIDGETS_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("TQ_WIDGETS_SCREENSHOTS not set");

    auto slider = makeSlider(530);
    QVERIFY(slider);
    slider->setRange(0, 60);
    slider->setPos(31);
    slider->setClip(12, 24);
    QImage wave(530, 50, QImage::Format_ARGB32);
    wave.fill(Qt::transparent);
    {
        QPainter painter(&wave);
        painter.setPen(QColor(255, 255, 255, 200));
        for (int x = 0; x < 530; ++x) {
            const double level = std::abs(std::sin(x * 0.07) * std::sin(x * 0.011)) * 22 + 1;
            painter.drawLine(x, int(25 - level), x, int(25 + level));
        }
    }
    slider->setWaveImage(wave);
    applyCornerCutMask(slider.get(), 10);
    QPixmap shot(slider->size());
    shot.fill(Qt::white);
    slider->render(&shot, QPoint(), QRegion(slider->mask()));
    QVERIFY(shot.save(folder + QStringLiteral("/widgets-clipslider.png")));
}

QTEST_MAIN(TestClipSlider)
#include "tst_clipslider.moc"
