#include "volumegeometry.h"
#include "volumeslider.h"

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <limits>
#include <memory>

using namespace VolumeGeometry;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kRow = 8;

// The main window's instance: track 15 .. 143, centre 80, thumb at 79.
std::unique_ptr<CVolumeSlider> makeSlider()
{
    auto slider = std::make_unique<CVolumeSlider>();
    slider->resize(160, 16);
    slider->show();
    if (!QTest::qWaitForWindowExposed(slider.get()))
        return nullptr;
    return slider;
}

// QTest::mouseMove carries no buttons; a drag needs them in the event.
void moveTo(QWidget *w, int x, Qt::MouseButtons held = Qt::LeftButton)
{
    const QPointF local(x, kRow);
    QMouseEvent event(QEvent::MouseMove, local, w->mapToGlobal(local), Qt::NoButton, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

QList<int> emitted(const QSignalSpy &spy)
{
    QList<int> values;
    for (const QList<QVariant> &args : spy)
        values << args.at(0).toInt();
    return values;
}
} // namespace

class TestVolumeSlider final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void geometry();
    void snapToCentre_data();
    void snapToCentre();
    void press_data();
    void press();
    void drag_data();
    void drag();
    void snapHoldsCentre();
    void pressAwayFromThumbStartsNoDrag();
    void releaseOfAnyButtonEndsDrag();
    void setPosNeverEmits();
    void badInputNeverCrashes();
    void plusSignSwitchesAt101();
    void keys_data();
    void keys();
    void painting();
};

void TestVolumeSlider::geometry()
{
    const QRect track = trackRect(160);
    QCOMPARE(track.left(), 15);
    QCOMPARE(track.right(), 143);
    QCOMPARE(track.top(), 2);
    QCOMPARE(track.bottom(), 14);
    QCOMPARE(trackRect(100).left(), -14); // truncates toward zero

    QCOMPARE(thumbForValue(100, 0, 200, 160), 79);
    QCOMPARE(thumbForValue(0, 0, 200, 160), 15);
    QCOMPARE(thumbForValue(200, 0, 200, 160), 144); // scaled by 129: past the track
    QCOMPARE(thumbForValue(100, 5, 5, 160), 0);
    QCOMPARE(thumbForValue(kNaN, 0, 200, 160), 0);
    QCOMPARE(thumbForValue(1e300, 0, 200, 160), kThumbLimit);
    QCOMPARE(thumbForValue(-qInf(), 0, 200, 160), -kThumbLimit);

    QCOMPARE(truncatedInt(valueForThumb(143, 15, 0, 200)), 198);
    QVERIFY(valueForThumb(143, 15, 0, 200) == 200 * 0.007751937984496124 * 128);
    QCOMPARE(truncatedInt(valueForThumb(80, 15, 0, 200)), 100);
    QCOMPARE(truncatedInt(valueForThumb(15, 15, 0, 200)), 0);

    // Before the first resize the track is the null rectangle.
    QCOMPARE(clampToTrack(50, QRect()), 0);
    QCOMPARE(clampToTrack(-3, track), 15);
    QCOMPARE(clampToTrack(500, track), 143);
}

void TestVolumeSlider::snapToCentre_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("snapped");
    QTest::newRow("c - 4") << 76 << 76;
    QTest::newRow("c - 3") << 77 << 80;
    QTest::newRow("c") << 80 << 80;
    QTest::newRow("c + 3") << 83 << 80;
    QTest::newRow("c + 4") << 84 << 84;
}

void TestVolumeSlider::snapToCentre()
{
    QFETCH(int, x);
    QFETCH(int, snapped);
    QCOMPARE(VolumeGeometry::snapToCentre(x, 160), snapped);
}

void TestVolumeSlider::press_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("x");
    QTest::addColumn<QList<int>>("expected");
    QTest::addColumn<int>("volume");

    // The minus and plus signs step by a quarter of the scale rather than
    // jump to 0x or 5x.
    QTest::newRow("minus sign") << 100.0 << 8 << QList<int>{75} << 75;
    QTest::newRow("minus sign, between steps") << 57.4 << 0 << QList<int>{50} << 50;
    QTest::newRow("minus sign at 0") << 0.0 << 8 << QList<int>{} << 0;
    QTest::newRow("plus sign") << 100.0 << 152 << QList<int>{125} << 125;
    QTest::newRow("plus sign near the top") << 190.0 << 159 << QList<int>{198} << 198;
    QTest::newRow("plus sign, set beyond the top") << 200.0 << 159 << QList<int>{} << 200;
    // Between the signs and the track the press lands on the track's end.
    QTest::newRow("left of the track") << 100.0 << 13 << QList<int>{0} << 0;
    QTest::newRow("right of the track") << 100.0 << 145 << QList<int>{198} << 198;
    QTest::newRow("on the thumb") << 100.0 << 79 << QList<int>{} << 100;
    QTest::newRow("thumb left edge") << 100.0 << 77 << QList<int>{} << 100;
    QTest::newRow("thumb right edge") << 100.0 << 81 << QList<int>{} << 100;
    QTest::newRow("just left of the thumb") << 100.0 << 76 << QList<int>{94} << 94;
    QTest::newRow("just right of the thumb") << 100.0 << 82 << QList<int>{103} << 103;
    QTest::newRow("a press does not snap") << 100.0 << 83 << QList<int>{105} << 105;
}

void TestVolumeSlider::press()
{
    QFETCH(double, value);
    QFETCH(int, x);
    QFETCH(QList<int>, expected);
    QFETCH(int, volume);

    auto slider = makeSlider();
    QVERIFY(slider);
    slider->setPos(value);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(x, kRow));
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(x, kRow));
    QCOMPARE(emitted(spy), expected);
    QCOMPARE(slider->getVolume(), volume);
}

void TestVolumeSlider::drag_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("expected");

    QTest::newRow("into the snap zone from the left") << 77 << 100;
    QTest::newRow("into the snap zone from the right") << 83 << 100;
    QTest::newRow("left of the snap zone") << 76 << 94;
    QTest::newRow("right of the snap zone") << 84 << 106;
    QTest::newRow("beyond the right end") << 300 << 198;
    QTest::newRow("beyond the left end") << -50 << 0;
}

void TestVolumeSlider::drag()
{
    QFETCH(int, x);
    QFETCH(int, expected);

    auto slider = makeSlider();
    QVERIFY(slider);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(79, kRow));
    moveTo(slider.get(), x);
    QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(x, kRow));
    QCOMPARE(emitted(spy), QList<int>{expected});
    QCOMPARE(slider->getVolume(), expected);
}

void TestVolumeSlider::snapHoldsCentre()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(79, kRow));
    for (int x = 77; x <= 83; ++x)
        moveTo(slider.get(), x);
    moveTo(slider.get(), 90);
    QCOMPARE(emitted(spy), (QList<int>{100, 116}));
}

void TestVolumeSlider::pressAwayFromThumbStartsNoDrag()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(120, kRow));
    moveTo(slider.get(), 100);
    moveTo(slider.get(), 40);
    QCOMPARE(emitted(spy), QList<int>{162});
    QCOMPARE(slider->getVolume(), 162);
}

void TestVolumeSlider::releaseOfAnyButtonEndsDrag()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(79, kRow));
    moveTo(slider.get(), 100);
    QTest::mouseRelease(slider.get(), Qt::RightButton, {}, QPoint(100, kRow));
    moveTo(slider.get(), 120);
    QCOMPARE(emitted(spy), QList<int>{131});
}

void TestVolumeSlider::setPosNeverEmits()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    slider->setPos(150);
    slider->setPos(250); // stored unchanged, no clamping
    QCOMPARE(slider->getVolume(), 250);
    slider->setPos(-20);
    QCOMPARE(slider->getVolume(), -20);
    QCOMPARE(spy.count(), 0);

    // The thumb follows setPos: at 0 it lies on the left column, so a press
    // there grabs it instead of jumping.
    slider->setPos(0);
    QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(0, kRow));
    QCOMPARE(spy.count(), 0);
}

void TestVolumeSlider::badInputNeverCrashes()
{
    auto slider = makeSlider();
    QVERIFY(slider);
    for (double v : {kNaN, qInf(), -qInf(), 1e300, -1e300}) {
        slider->setPos(v);
        slider->grab();
        QTest::mousePress(slider.get(), Qt::LeftButton, {}, QPoint(60, kRow));
        moveTo(slider.get(), 70);
        QTest::mouseRelease(slider.get(), Qt::LeftButton, {}, QPoint(70, kRow));
    }
    slider->setPos(kNaN);
    QCOMPARE(slider->getVolume(), 0);
    slider->setPos(1e300);
    QCOMPARE(slider->getVolume(), std::numeric_limits<int>::max());

    // Never resized yet: the track is empty, which must not trip a clamp.
    CVolumeSlider fresh;
    QSignalSpy spy(&fresh, &CVolumeSlider::sliderMoved);
    QTest::mousePress(&fresh, Qt::LeftButton, {}, QPoint(50, kRow));
    QCOMPARE(spy.count(), 1);

    // Narrower than the track.
    slider->resize(40, 16);
    QTRY_COMPARE(slider->width(), 40);
    slider->setPos(100);
    slider->grab();
}

void TestVolumeSlider::keys_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("right") << 100.0 << int(Qt::Key_Right) << QList<int>{105};
    QTest::newRow("up") << 100.0 << int(Qt::Key_Up) << QList<int>{105};
    QTest::newRow("left") << 100.0 << int(Qt::Key_Left) << QList<int>{95};
    QTest::newRow("down, between steps") << 57.4 << int(Qt::Key_Down) << QList<int>{55};
    QTest::newRow("right, between steps") << 57.4 << int(Qt::Key_Right) << QList<int>{60};
    QTest::newRow("page up") << 100.0 << int(Qt::Key_PageUp) << QList<int>{125};
    QTest::newRow("page down") << 100.0 << int(Qt::Key_PageDown) << QList<int>{75};
    QTest::newRow("right at the top") << 198.0 << int(Qt::Key_Right) << QList<int>{};
    QTest::newRow("up to the top") << 196.0 << int(Qt::Key_Up) << QList<int>{198};
    QTest::newRow("left at 0") << 0.0 << int(Qt::Key_Left) << QList<int>{};
    QTest::newRow("home") << 100.0 << int(Qt::Key_Home) << QList<int>{0};
    QTest::newRow("end") << 100.0 << int(Qt::Key_End) << QList<int>{198};
    QTest::newRow("another key") << 100.0 << int(Qt::Key_A) << QList<int>{};
}

void TestVolumeSlider::keys()
{
    QFETCH(double, value);
    QFETCH(int, key);
    QFETCH(QList<int>, expected);

    auto slider = makeSlider();
    QVERIFY(slider);
    // Tab reaches it.
    QCOMPARE(slider->focusPolicy(), Qt::StrongFocus);
    slider->setPos(value);
    QSignalSpy spy(slider.get(), &CVolumeSlider::sliderMoved);
    QTest::keyClick(slider.get(), Qt::Key(key));
    QCOMPARE(emitted(spy), expected);
    if (!expected.isEmpty()) {
        QCOMPARE(slider->getVolume(), expected.last());
        // The thumb follows the value.
        QCOMPARE(thumbForValue(expected.last(), 0, 200, 160),
                 thumbForValue(slider->getVolume(), 0, 200, 160));
    }
}

void TestVolumeSlider::plusSignSwitchesAt101()
{
    QVERIFY(!showsBoostPlus(100.0));
    QVERIFY(!showsBoostPlus(100.9));
    QVERIFY(showsBoostPlus(101.0));
    QVERIFY(showsBoostPlus(200.0));
}

// The pictures here are this test's own solid-colour stand-ins (see
// fixtures/images), so every column can be told apart.
void TestVolumeSlider::painting()
{
    const QRgb left = qRgb(255, 128, 0);
    const QRgb right = qRgb(0, 0, 255);
    const QRgb thumbMiddle = qRgb(0, 0, 0);
    const QRgb thumbSide = qRgb(128, 128, 128);
    const QRgb plus = qRgb(0, 200, 255);
    const QRgb plusBoost = qRgb(255, 200, 0);
    const QRgb minus = qRgb(240, 240, 240);

    auto slider = makeSlider();
    QVERIFY(slider);
    const QRgb background = slider->palette().color(QPalette::Window).rgb();

    // Value 100: thumb centre at column 79, orange track 15 .. 78.
    QImage shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(14, kRow), background);
    QCOMPARE(shot.pixel(15, kRow), left);
    QCOMPARE(shot.pixel(76, kRow), left);
    QCOMPARE(shot.pixel(77, kRow), thumbSide);
    QCOMPARE(shot.pixel(79, kRow), thumbMiddle);
    QCOMPARE(shot.pixel(79, 15), thumbMiddle);
    QCOMPARE(shot.pixel(81, kRow), thumbSide);
    QCOMPARE(shot.pixel(82, kRow), right);
    QCOMPARE(shot.pixel(143, kRow), right);
    QCOMPARE(shot.pixel(144, kRow), background);
    QCOMPARE(shot.pixel(30, 1), background);
    QCOMPARE(shot.pixel(30, 2), left);
    QCOMPARE(shot.pixel(30, 14), left);
    QCOMPARE(shot.pixel(30, 15), background);
    QCOMPARE(shot.pixel(6, 5), minus);
    QCOMPARE(shot.pixel(12, 11), minus);
    QCOMPARE(shot.pixel(5, 5), background);
    QCOMPARE(shot.pixel(147, 5), plus);
    QCOMPARE(shot.pixel(153, 11), plus);

    slider->setPos(100.9);
    QCOMPARE(slider->grab().toImage().pixel(150, 8), plus);
    slider->setPos(101.0);
    QCOMPARE(slider->grab().toImage().pixel(150, 8), plusBoost);

    // Value 0: no orange at all, the thumb on the first track column.
    slider->setPos(0);
    shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(15, kRow), thumbMiddle);
    QCOMPARE(shot.pixel(18, kRow), right);

    // Beyond the range the orange part stops at the picture's end.
    slider->setPos(250);
    shot = slider->grab().toImage();
    QCOMPARE(shot.pixel(143, kRow), left);
    QCOMPARE(shot.pixel(150, 8), plusBoost);
}

QTEST_MAIN(TestVolumeSlider)
#include "tst_volumeslider.moc"
