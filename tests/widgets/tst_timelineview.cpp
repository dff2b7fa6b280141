// The timeline's zoom and pan arithmetic: pixel to time and back at several
// zooms, and where each move stops at the file's ends.
#include "timelineview.h"

#include <QTest>

#include <limits>

using namespace TimelineView;

Q_DECLARE_METATYPE(TimelineView::View)

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr int kWidth = 530;
constexpr double kHour = 3600.0;

QString viewText(const View &v)
{
    return QStringLiteral("View(%1, %2)").arg(v.start, 0, 'g', 12).arg(v.length, 0, 'g', 12);
}

bool near(const View &a, const View &b)
{
    return std::abs(a.start - b.start) < 1e-9 && std::abs(a.length - b.length) < 1e-9;
}
} // namespace

class TestTimelineView final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pixelsAndTimes_data();
    void pixelsAndTimes();
    void clamping_data();
    void clamping();
    void zoomKeepsThePointerTime_data();
    void zoomKeepsThePointerTime();
    void panStopsAtTheEnds_data();
    void panStopsAtTheEnds();
    void followsThePlayingMarker_data();
    void followsThePlayingMarker();
};

void TestTimelineView::pixelsAndTimes_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("column");

    // Whole hour: 6.79 s a column.
    QTest::newRow("whole hour, left edge") << View{0, kHour} << 0.0 << 0.0 << 0;
    QTest::newRow("whole hour, middle") << View{0, kHour} << 265.0 << 1800.0 << 265;
    QTest::newRow("whole hour, right edge") << View{0, kHour} << 530.0 << kHour << 530;
    // One minute from 2:00: 0.1132 s a column.
    QTest::newRow("minute, left edge") << View{120, 60} << 0.0 << 120.0 << 0;
    QTest::newRow("minute, 2:13.4") << View{120, 60} << (13.4 * 530 / 60) << 133.4 << 118;
    // The finest zoom: 10 ms a column.
    QTest::newRow("finest, one column in") << View{133, 5.3} << 1.0 << 133.01 << 1;
    QTest::newRow("finest, last column") << View{133, 5.3} << 529.0 << 138.29 << 529;
    // Times outside the view lie on columns outside the widget.
    QTest::newRow("before the view") << View{120, 60} << -53.0 << 114.0 << -53;
    QTest::newRow("after the view") << View{120, 60} << 1060.0 << 240.0 << 1060;
}

void TestTimelineView::pixelsAndTimes()
{
    QFETCH(View, view);
    QFETCH(double, x);
    QFETCH(double, seconds);
    QFETCH(int, column);
    QVERIFY(std::abs(secondsAt(x, view, kWidth) - seconds) < 1e-9);
    QVERIFY(std::abs(columnOf(seconds, view, kWidth) - x) < 1e-6);
    QCOMPARE(columnFor(seconds + 1e-7, view, kWidth), column);
}

void TestTimelineView::clamping_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<double>("total");
    QTest::addColumn<View>("expected");

    QTest::newRow("inside stays") << View{100, 60} << kHour << View{100, 60};
    QTest::newRow("before the start") << View{-5, 60} << kHour << View{0, 60};
    QTest::newRow("past the end") << View{3590, 60} << kHour << View{3540, 60};
    QTest::newRow("longer than the file") << View{10, 5000} << kHour << View{0, kHour};
    QTest::newRow("closer than 10 ms a column") << View{100, 1} << kHour << View{100, 5.3};
    QTest::newRow("finest at the end") << View{kHour, 1} << kHour << View{kHour - 5.3, 5.3};
    QTest::newRow("file shorter than the finest view") << View{0.5, 1} << 3.0 << View{0, 3.0};
    QTest::newRow("not a number") << View{kNaN, 60} << kHour << View{0, kHour};
    QTest::newRow("empty file") << View{10, 60} << 0.0 << View{0, 0};
}

void TestTimelineView::clamping()
{
    QFETCH(View, view);
    QFETCH(double, total);
    QFETCH(View, expected);
    const View got = clamped(view, total, kWidth);
    QVERIFY2(near(got, expected), qPrintable(viewText(got)));
}

void TestTimelineView::zoomKeepsThePointerTime_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("factor");
    QTest::addColumn<View>("expected");

    QTest::newRow("in at the middle") << View{0, kHour} << 265.0 << 2.0 << View{900, 1800};
    QTest::newRow("in at the left edge") << View{0, kHour} << 0.0 << 4.0 << View{0, 900};
    QTest::newRow("in near the right end")
        << View{0, kHour} << 530.0 << 10.0 << View{kHour - 360, 360};
    QTest::newRow("in past the finest") << View{100, 10} << 265.0 << 8.0 << View{102.35, 5.3};
    QTest::newRow("out past the whole file") << View{1000, 600} << 100.0 << 0.01 << View{0, kHour};
    QTest::newRow("out against the end") << View{3000, 600} << 530.0 << 0.5 << View{2400, 1200};
    QTest::newRow("no factor") << View{100, 60} << 10.0 << kNaN << View{100, 60};
}

void TestTimelineView::zoomKeepsThePointerTime()
{
    QFETCH(View, view);
    QFETCH(double, x);
    QFETCH(double, factor);
    QFETCH(View, expected);
    const View got = zoomedAt(view, x, factor, kHour, kWidth);
    QVERIFY2(near(got, expected), qPrintable(viewText(got)));
    // Unless an end stopped it, the time under the pointer stays there.
    if (got.start > 0 && got.end() < kHour && got.length > 5.3 && std::isfinite(factor))
        QVERIFY(std::abs(secondsAt(x, got, kWidth) - secondsAt(x, view, kWidth)) < 1e-9);
}

void TestTimelineView::panStopsAtTheEnds_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<double>("seconds");
    QTest::addColumn<View>("expected");

    QTest::newRow("forward") << View{100, 60} << 30.0 << View{130, 60};
    QTest::newRow("back") << View{100, 60} << -30.0 << View{70, 60};
    QTest::newRow("back past the start") << View{100, 60} << -500.0 << View{0, 60};
    QTest::newRow("forward past the end") << View{3500, 60} << 500.0 << View{3540, 60};
    QTest::newRow("whole file stays") << View{0, kHour} << 100.0 << View{0, kHour};
    QTest::newRow("not a number") << View{100, 60} << kNaN << View{100, 60};
}

void TestTimelineView::panStopsAtTheEnds()
{
    QFETCH(View, view);
    QFETCH(double, seconds);
    QFETCH(View, expected);
    const View got = panned(view, seconds, kHour, kWidth);
    QVERIFY2(near(got, expected), qPrintable(viewText(got)));
}

void TestTimelineView::followsThePlayingMarker_data()
{
    QTest::addColumn<View>("view");
    QTest::addColumn<double>("pos");
    QTest::addColumn<View>("expected");

    QTest::newRow("inside stays") << View{100, 60} << 159.0 << View{100, 60};
    QTest::newRow("at the right edge turns the page") << View{100, 60} << 160.0 << View{160, 60};
    QTest::newRow("jumped back") << View{100, 60} << 20.0 << View{20, 60};
    QTest::newRow("last page ends at the end") << View{3500, 60} << 3580.0 << View{3540, 60};
    QTest::newRow("whole file never moves") << View{0, kHour} << 4000.0 << View{0, kHour};
}

void TestTimelineView::followsThePlayingMarker()
{
    QFETCH(View, view);
    QFETCH(double, pos);
    QFETCH(View, expected);
    const View got = following(view, pos, kHour, kWidth);
    QVERIFY2(near(got, expected), qPrintable(viewText(got)));
}

QTEST_GUILESS_MAIN(TestTimelineView)
#include "tst_timelineview.moc"
