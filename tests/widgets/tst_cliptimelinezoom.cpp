// The timeline zoomed in: wheel and pinch zoom around the pointer, panning,
// the whole-file view back, handles and marker at every zoom, the keys that
// nudge a handle or the clip, and the zoomed waveform drawn from the peaks.
#include "clipslider.h"

#include <QLineEdit>
#include <QNativeGestureEvent>
#include <QPainter>
#include <QPointingDevice>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using TimelineView::View;

namespace {
constexpr int kRow = 25;
constexpr int kWidth = 500;
constexpr double kHour = 3600.0;

// 500 columns over one hour; clip 100 .. 110 s, marker at 105 s.
std::unique_ptr<CClipSlider> makeSlider()
{
    auto slider = std::make_unique<CClipSlider>();
    slider->resize(kWidth, 50);
    slider->show();
    slider->activateWindow();
    if (!QTest::qWaitForWindowActive(slider.get()))
        return nullptr;
    slider->setRange(0, kHour);
    slider->setPos(105);
    slider->setClip(100, 110);
    return slider;
}

void wheel(QWidget *w, int x, int notches, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    const QPointF local(x, kRow);
    QWheelEvent event(local, w->mapToGlobal(local), QPoint(), QPoint(0, notches * 120), Qt::NoButton, mods,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &event);
}

void moveTo(QWidget *w, int x, Qt::MouseButtons held = Qt::LeftButton)
{
    const QPointF local(x, kRow);
    QMouseEvent event(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

bool nearView(const View &a, const View &b)
{
    return std::abs(a.start - b.start) < 1e-6 && std::abs(a.length - b.length) < 1e-6;
}

QString viewText(const View &v)
{
    return QStringLiteral("%1 + %2").arg(v.start, 0, 'g', 12).arg(v.length, 0, 'g', 12);
}

// 2:00 .. 3:00: a column is 0.12 s.
constexpr View kMinute{120.0, 60.0};
} // namespace

class TestClipTimelineZoom final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void ctrlWheelZoomsAroundThePointer();
    void pinchZooms();
    void wheelPansOnlyWhenZoomed();
    void dragOnEmptySpacePans();
    void doubleClickShowsTheWholeFile();
    void doubleClickLeavesTheMarker();
    void ctrlZeroFromAnywhereInTheWindow();
    void newFileStartsWhole();
    void handlesAndMarkerAtZoom();
    void clipBodyMovesByZoomedColumns();
    void dragKeepsItsView_data();
    void dragKeepsItsView();
    void lostReleaseEndsTheDrag();
    void markerFollowsWhilePlaying();
    void keysNudgeTheSelection_data();
    void keysNudgeTheSelection();
    void keysNeedASelection();
    void zoomedWaveformFromTheRenderer();
};

void TestClipTimelineZoom::ctrlWheelZoomsAroundThePointer()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QVERIFY(!slider->isZoomed());
    // The time under column 100 (720 s) stays under it.
    wheel(slider.get(), 100, 4, Qt::ControlModifier);
    QVERIFY(slider->isZoomed());
    const View v = slider->view();
    QVERIFY2(std::abs(v.length - kHour / std::pow(1.25, 4)) < 1e-6, qPrintable(viewText(v)));
    QVERIFY(std::abs(v.start + 100.0 / kWidth * v.length - 720.0) < 1e-6);
    // Far in, it stops at 10 ms a column; far out, at the whole file.
    wheel(slider.get(), 100, 100, Qt::ControlModifier);
    QVERIFY(std::abs(slider->view().length - 5.0) < 1e-9);
    wheel(slider.get(), 100, -200, Qt::ControlModifier);
    QVERIFY(!slider->isZoomed());
    QCOMPARE(slider->view(), (View{0, kHour}));
}

void TestClipTimelineZoom::pinchZooms()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    const QPointF local(250, kRow);
    QNativeGestureEvent pinch(Qt::ZoomNativeGesture, QPointingDevice::primaryPointingDevice(), 2, local,
                              local, slider->mapToGlobal(local), 1.0, QPointF(), 0);
    QCoreApplication::sendEvent(slider.get(), &pinch);
    QVERIFY(nearView(slider->view(), View{900, 1800}));
}

void TestClipTimelineZoom::wheelPansOnlyWhenZoomed()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QWheelEvent whole(QPointF(10, kRow), slider->mapToGlobal(QPointF(10, kRow)), QPoint(), QPoint(0, -120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(slider.get(), &whole);
    QVERIFY(!whole.isAccepted()); // the window may use it
    slider->setView(kMinute);
    wheel(slider.get(), 10, -1); // down: later
    QVERIFY(nearView(slider->view(), View{126, 60}));
    wheel(slider.get(), 10, 30); // up, past the start
    QVERIFY(nearView(slider->view(), View{0, 60}));
}

void TestClipTimelineZoom::dragOnEmptySpacePans()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView(kMinute);
    QSignalSpy moved(slider.get(), &CClipSlider::posChanged);
    // Column 400 is at 168 s, right of the clip: the marker goes there, then
    // the sheet follows the pointer 100 columns (12 s) to the left.
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(400, kRow));
    QCOMPARE(moved.count(), 1);
    QVERIFY(std::abs(moved.takeFirst().at(0).toDouble() - 168.0) < 1e-9);
    moveTo(slider.get(), 350);
    moveTo(slider.get(), 300);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(300, kRow));
    QVERIFY2(nearView(slider->view(), View{132, 60}), qPrintable(viewText(slider->view())));
    QCOMPARE(moved.count(), 0);
    double pos = 0;
    slider->getPos(pos);
    QVERIFY(std::abs(pos - 168.0) < 1e-9);

    // At the whole-file view the same gesture only moves the marker.
    slider->showWholeFile();
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(400, kRow));
    moveTo(slider.get(), 300);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(300, kRow));
    QVERIFY(!slider->isZoomed());
}

void TestClipTimelineZoom::doubleClickShowsTheWholeFile()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView(kMinute);
    // On the clip a double-click is a press, and keeps the zoom.
    slider->setView({95, 60});
    QTest::mouseDClick(slider.get(), Qt::LeftButton, {}, QPoint(int((107.0 - 95.0) / 0.12), kRow));
    QVERIFY(slider->isZoomed());
    // As a mouse sends it: the first click puts the marker under the
    // pointer, the second arrives as the double-click.
    QTest::mouseClick(slider.get(), Qt::LeftButton, {}, QPoint(450, kRow));
    QTest::mouseDClick(slider.get(), Qt::LeftButton, {}, QPoint(450, kRow));
    QVERIFY(!slider->isZoomed());
    // The key does it too.
    slider->setView(kMinute);
    slider->setFocus();
    QTest::keyClick(slider.get(), Qt::Key_0, Qt::ControlModifier);
    QVERIFY(!slider->isZoomed());
}

void TestClipTimelineZoom::doubleClickLeavesTheMarker()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView(kMinute);
    QSignalSpy moved(slider.get(), &CClipSlider::posChanged);
    QTest::mouseClick(slider.get(), Qt::LeftButton, {}, QPoint(450, kRow));
    QTest::mouseDClick(slider.get(), Qt::LeftButton, {}, QPoint(450, kRow));
    QVERIFY(!slider->isZoomed());
    double pos = 0;
    slider->getPos(pos);
    QCOMPARE(pos, 105.0);
    // The player, sent to the first click's time, is sent back.
    QVERIFY(!moved.isEmpty());
    QCOMPARE(moved.last().at(0).toDouble(), 105.0);

    // At the whole-file view a double-click is a click: the marker moves.
    QTest::mouseDClick(slider.get(), Qt::LeftButton, {}, QPoint(400, kRow));
    slider->getPos(pos);
    QCOMPARE(pos, 400 * kHour / kWidth);
}

void TestClipTimelineZoom::ctrlZeroFromAnywhereInTheWindow()
{
    QWidget window;
    auto *slider = new CClipSlider(&window);
    auto *field = new QLineEdit(QStringLiteral("name"), &window);
    slider->setGeometry(0, 0, kWidth, 50);
    field->setGeometry(0, 60, 200, 24);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    slider->setRange(0, kHour);
    slider->setView(kMinute);
    field->setFocus();
    QVERIFY(field->hasFocus());
    QTest::keyClick(field, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(!slider->isZoomed());
    QCOMPARE(field->text(), QStringLiteral("name"));
    // A hidden timeline leaves the key alone.
    slider->setView(kMinute);
    slider->hide();
    QTest::keyClick(field, Qt::Key_0, Qt::ControlModifier);
    QVERIFY(slider->isZoomed());
}

void TestClipTimelineZoom::newFileStartsWhole()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView(kMinute);
    slider->setRange(0, 200);
    QVERIFY(!slider->isZoomed());
    QCOMPARE(slider->view(), (View{0, 200}));
}

void TestClipTimelineZoom::handlesAndMarkerAtZoom()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView({95, 20}); // 40 ms a column: clip at columns 125 .. 375, marker 250
    QSignalSpy clips(slider.get(), &CClipSlider::clipChanged);
    QSignalSpy moved(slider.get(), &CClipSlider::posChanged);

    // The start handle to column 100: 99.000 s.
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(125, kRow));
    moveTo(slider.get(), 100);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(100, kRow));
    QVERIFY(!clips.isEmpty());
    QCOMPARE(clips.last().at(0).toDouble(), 99.0);
    QCOMPARE(clips.last().at(1).toDouble(), 110.0);

    // The end handle to column 400: 111.000 s.
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(375, kRow));
    moveTo(slider.get(), 400);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(400, kRow));
    QCOMPARE(clips.last().at(1).toDouble(), 111.0);

    // The marker dragged to column 300: 107 s.
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(250, kRow));
    moveTo(slider.get(), 300);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(300, kRow));
    QVERIFY(std::abs(moved.last().at(0).toDouble() - 107.0) < 1e-9);
}

void TestClipTimelineZoom::clipBodyMovesByZoomedColumns()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView({95, 20}); // 40 ms a column
    QSignalSpy clips(slider.get(), &CClipSlider::clipChanged);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(200, kRow));
    moveTo(slider.get(), 225);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(225, kRow));
    QCOMPARE(clips.last().at(0).toDouble(), 101.0);
    QCOMPARE(clips.last().at(1).toDouble(), 111.0);
}

void TestClipTimelineZoom::dragKeepsItsView_data()
{
    QTest::addColumn<int>("pressColumn");
    QTest::addColumn<QString>("meanwhile"); // what happens after the first 8 columns
    QTest::addColumn<double>("clipMin");
    QTest::addColumn<double>("clipMax");
    QTest::addColumn<double>("pos");

    // View 95 .. 115 s, 40 ms a column: clip 100 .. 110 s at columns 125 ..
    // 375, marker at 105 s (column 250). Each drag goes 9 columns right.
    QTest::newRow("start handle, the marker leaves the view") << 125 << "follow" << 100.36 << 110.0 << 116.0;
    QTest::newRow("end handle, the marker leaves the view") << 375 << "follow" << 100.0 << 110.36 << 116.0;
    QTest::newRow("clip, the marker leaves the view") << 200 << "follow" << 100.36 << 110.36 << 116.0;
    QTest::newRow("marker, the player reports a later time") << 250 << "follow" << 100.0 << 110.0 << 105.36;
    QTest::newRow("start handle, Ctrl+wheel") << 125 << "wheel" << 100.36 << 110.0 << 105.0;
    QTest::newRow("end handle, Ctrl+0") << 375 << "ctrl0" << 100.0 << 110.36 << 105.0;
    QTest::newRow("start handle, arrow key") << 125 << "key" << 100.36 << 110.0 << 105.0;
}

void TestClipTimelineZoom::dragKeepsItsView()
{
    QFETCH(int, pressColumn);
    QFETCH(QString, meanwhile);
    QFETCH(double, clipMin);
    QFETCH(double, clipMax);
    QFETCH(double, pos);

    auto slider = makeSlider();
    QVERIFY(slider);
    const View view{95, 20};
    slider->setView(view);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(pressColumn, kRow));
    moveTo(slider.get(), pressColumn + 8);
    if (meanwhile == QLatin1String("follow"))
        slider->followPos(116); // the playback tick: past the view's end
    else if (meanwhile == QLatin1String("wheel"))
        wheel(slider.get(), pressColumn + 8, 3, Qt::ControlModifier);
    else if (meanwhile == QLatin1String("ctrl0"))
        QTest::keyClick(slider.get(), Qt::Key_0, Qt::ControlModifier);
    else
        QTest::keyClick(slider.get(), Qt::Key_Right, Qt::ControlModifier);
    QVERIFY2(nearView(slider->view(), view), qPrintable(viewText(slider->view())));
    moveTo(slider.get(), pressColumn + 9);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(pressColumn + 9, kRow));

    double a = 0, b = 0, p = 0;
    slider->getClip(a, b);
    slider->getPos(p);
    QVERIFY2(std::abs(a - clipMin) < 1e-9 && std::abs(b - clipMax) < 1e-9,
             qPrintable(QStringLiteral("%1 .. %2").arg(a, 0, 'f', 3).arg(b, 0, 'f', 3)));
    QVERIFY2(std::abs(p - pos) < 1e-9, qPrintable(QString::number(p, 'f', 3)));
    QVERIFY(nearView(slider->view(), view));
    // Released, the next tick turns the page.
    slider->followPos(116.5);
    QVERIFY2(nearView(slider->view(), View{116.5, 20}), qPrintable(viewText(slider->view())));
}

void TestClipTimelineZoom::lostReleaseEndsTheDrag()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView({95, 20});
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(125, kRow));
    moveTo(slider.get(), 130);
    // A box opened meanwhile and took the release: the next move has no
    // button, and the page turns again.
    moveTo(slider.get(), 140, Qt::NoButton);
    slider->followPos(116);
    QVERIFY(nearView(slider->view(), View{116, 20}));
}

void TestClipTimelineZoom::markerFollowsWhilePlaying()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setView(kMinute);
    slider->followPos(150);
    QCOMPARE(slider->view(), kMinute);
    slider->followPos(181);
    QVERIFY(nearView(slider->view(), View{181, 60}));
    // A plain setPos (the stop report) leaves the view alone.
    slider->setPos(0);
    QVERIFY(nearView(slider->view(), View{181, 60}));
}

void TestClipTimelineZoom::keysNudgeTheSelection_data()
{
    QTest::addColumn<int>("pressColumn"); // at the whole-file view: 7.2 s a column
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<double>("shortest");
    QTest::addColumn<double>("clipMin");
    QTest::addColumn<double>("clipMax");

    // The clip is set to 100 .. 300 s: start handle at column 13, end
    // handle at 41, the body between.
    const int start = 13, end = 42, body = 28;
    QTest::newRow("start right 10 ms") << start << int(Qt::Key_Right) << 0 << 0.0 << 100.01 << 300.0;
    QTest::newRow("start left 100 ms") << start << int(Qt::Key_Left) << int(Qt::ShiftModifier) << 0.0 << 99.9 << 300.0;
    QTest::newRow("start left 1 s") << start << int(Qt::Key_Left) << int(Qt::ControlModifier) << 0.0 << 99.0 << 300.0;
    QTest::newRow("start home") << start << int(Qt::Key_Home) << 0 << 0.0 << 0.0 << 300.0;
    QTest::newRow("start end stops at the clip end") << start << int(Qt::Key_End) << 0 << 0.0 << 300.0 << 300.0;
    QTest::newRow("end left 10 ms") << end << int(Qt::Key_Left) << 0 << 0.0 << 100.0 << 299.99;
    QTest::newRow("end right 1 s") << end << int(Qt::Key_Right) << int(Qt::ControlModifier) << 0.0 << 100.0 << 301.0;
    QTest::newRow("end to the file's end") << end << int(Qt::Key_End) << 0 << 0.0 << 100.0 << kHour;
    QTest::newRow("clip right 100 ms") << body << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 0.0 << 100.1 << 300.1;
    QTest::newRow("clip home") << body << int(Qt::Key_Home) << 0 << 0.0 << 0.0 << 200.0;
    QTest::newRow("clip end") << body << int(Qt::Key_End) << 0 << 0.0 << kHour - 200 << kHour;
    // Home and End on a handle facing the other one stop at the shortest clip.
    QTest::newRow("end home keeps the shortest clip") << end << int(Qt::Key_Home) << 0 << 0.1 << 100.0 << 100.1;
    QTest::newRow("start end keeps the shortest clip") << start << int(Qt::Key_End) << 0 << 0.1 << 299.9 << 300.0;
    QTest::newRow("end left, a clip already shorter stays") << end << int(Qt::Key_Left) << int(Qt::ControlModifier)
                                                            << 250.0 << 100.0 << 300.0;
    QTest::newRow("end home, shortest 250 s") << end << int(Qt::Key_Home) << 0 << 250.0 << 100.0 << 300.0;
    QTest::newRow("start right 1 s, shortest 199.5 s")
        << start << int(Qt::Key_Right) << int(Qt::ControlModifier) << 199.5 << 100.5 << 300.0;
}

void TestClipTimelineZoom::keysNudgeTheSelection()
{
    QFETCH(int, pressColumn);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(double, shortest);
    QFETCH(double, clipMin);
    QFETCH(double, clipMax);

    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setPos(3000);
    slider->setClip(100, 300);
    slider->setShortestClip(shortest);
    QTest::mouseClick(slider.get(), Qt::LeftButton, {}, QPoint(pressColumn, kRow));
    QVERIFY(slider->hasFocus());
    QVERIFY(slider->selection() != CClipSlider::Selection::None);
    double a = 0, b = 0;
    slider->getClip(a, b);
    QCOMPARE(a, 100.0);
    QCOMPARE(b, 300.0);

    QSignalSpy clips(slider.get(), &CClipSlider::clipChanged);
    QTest::keyClick(slider.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    slider->getClip(a, b);
    if (a == 100.0 && b == 300.0) {
        QCOMPARE(clips.count(), 0);
        return;
    }
    QVERIFY2(std::abs(a - clipMin) < 1e-9 && std::abs(b - clipMax) < 1e-9,
             qPrintable(QStringLiteral("%1 .. %2").arg(a, 0, 'f', 3).arg(b, 0, 'f', 3)));
    // The window's editors and length label follow the signal.
    QCOMPARE(clips.count(), 1);
    QCOMPARE(clips.first().at(0).toDouble(), a);
    QCOMPARE(clips.first().at(1).toDouble(), b);
}

void TestClipTimelineZoom::keysNeedASelection()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setPos(3000);
    QTest::mouseClick(slider.get(), Qt::LeftButton, {}, QPoint(300, kRow)); // empty space
    QCOMPARE(slider->selection(), CClipSlider::Selection::None);
    QSignalSpy clips(slider.get(), &CClipSlider::clipChanged);
    QTest::keyClick(slider.get(), Qt::Key_Right);
    QCOMPARE(clips.count(), 0);
}

void TestClipTimelineZoom::zoomedWaveformFromTheRenderer()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setClip(3000, 3010); // out of the way
    slider->setPos(3500);
    QList<std::pair<double, double>> asked;
    slider->setWaveRenderer([&asked](double from, double to, int width, int height) {
        asked.append({from, to});
        QImage image(width, height, QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        QPainter(&image).fillRect(0, 0, width / 2, height, Qt::green);
        return image;
    });
    // The whole-file view paints the whole-file picture, never the renderer.
    QImage whole(kWidth, 50, QImage::Format_ARGB32);
    whole.fill(Qt::blue);
    slider->setWaveImage(whole);
    QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(100, 20), qRgb(0, 0, 255));
    QVERIFY(asked.isEmpty());

    slider->setView(kMinute);
    shot = slider->grab().toImage();
    QCOMPARE(asked.size(), 1);
    QCOMPARE(asked.first(), std::make_pair(120.0, 180.0));
    QCOMPARE(shot.pixel(100, 20), qRgb(0, 255, 0));
    QCOMPARE(shot.pixel(400, 20), qRgb(142, 83, 145));
    // Drawn once per view: a repaint of the same view asks no more.
    slider->grab();
    QCOMPARE(asked.size(), 1);
}

QTEST_MAIN(TestClipTimelineZoom)
#include "tst_cliptimelinezoom.moc"
