// The time field on milliseconds: reading what is typed, hours past a day,
// stepping the section under the cursor, clamping into the range.
#include "timeedit.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {
constexpr qint64 kHour = 3600 * 1000;

// A field in an active window with a second one to Tab to.
struct Form
{
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    CTimeEdit *edit = new CTimeEdit(window.get());
    QLineEdit *next = new QLineEdit(window.get());

    bool show()
    {
        edit->setGeometry(0, 0, 160, 26);
        next->setGeometry(0, 30, 160, 26);
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
};
} // namespace

class TestTimeEdit final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void reading_data();
    void reading();
    void formatting();
    void typedTimes_data();
    void typedTimes();
    void upDownStepTheSection_data();
    void upDownStepTheSection();
    void rangeClampsAndTells();
    void keyboardTrackingTakesEachWholeTime();
};

void TestTimeEdit::reading_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    QTest::addColumn<qint64>("ms");

    const int ok = QValidator::Acceptable, partial = QValidator::Intermediate, bad = QValidator::Invalid;
    QTest::newRow("an hour and a half") << "1:30:00.000" << ok << 90 * 60 * 1000LL;
    QTest::newRow("past a day") << "25:00:00.000" << ok << 25 * kHour;
    QTest::newRow("a hundred hours") << "100:00:01.001" << ok << 100 * kHour + 1001;
    QTest::newRow("without milliseconds") << "0:01:05" << ok << 65000LL;
    QTest::newRow("a fraction is a fraction") << "0:00:10.5" << ok << 10500LL;
    QTest::newRow("one-digit minutes") << "0:7:00.000" << ok << 7 * 60000LL;
    QTest::newRow("hours only, so far") << "1" << partial << kHour;
    QTest::newRow("minutes begun") << "1:3" << partial << kHour + 3 * 60000LL;
    QTest::newRow("a dot without digits") << "0:00:10." << partial << 10000LL;
    QTest::newRow("nothing") << "" << partial << -1LL;
    QTest::newRow("75 minutes") << "1:75" << bad << -1LL;
    QTest::newRow("60 seconds") << "0:00:60.000" << bad << -1LL;
    QTest::newRow("four digits of milliseconds") << "0:00:10.0000" << bad << -1LL;
    QTest::newRow("letters") << "1h30" << bad << -1LL;
    QTest::newRow("a sign") << "-0:00:01.000" << bad << -1LL;
}

void TestTimeEdit::reading()
{
    QFETCH(QString, text);
    QFETCH(int, state);
    QFETCH(qint64, ms);
    const ClockText::Reading reading = ClockText::read(text);
    QCOMPARE(int(reading.state), state);
    if (state != QValidator::Invalid)
        QCOMPARE(reading.ms, ms);
}

void TestTimeEdit::formatting()
{
    QCOMPARE(ClockText::format(0), QStringLiteral("0:00:00.000"));
    QCOMPARE(ClockText::format(25 * kHour + 61001), QStringLiteral("25:01:01.001"));
    QCOMPARE(ClockText::format(4200, 2), QStringLiteral("00:00:04.200"));
    QCOMPARE(ClockText::format(30 * kHour + 999, 2, false), QStringLiteral("30:00:00"));
    QCOMPARE(ClockText::format(-5), QStringLiteral("0:00:00.000"));
}

void TestTimeEdit::typedTimes_data()
{
    QTest::addColumn<qint64>("maximum");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("leaveBy"); // Qt::Key_Tab or Qt::Key_Return
    QTest::addColumn<qint64>("ms");
    QTest::addColumn<QString>("shown");

    const int tab = Qt::Key_Tab, enter = Qt::Key_Return;
    QTest::newRow("1:30:00.000") << 3 * kHour << "1:30:00.000" << tab << 90 * 60000LL << "1:30:00.000";
    QTest::newRow("1:00:00.000") << 3 * kHour << "1:00:00.000" << enter << kHour << "1:00:00.000";
    QTest::newRow("10:00:00.000 on a long range") << 12 * kHour << "10:00:00.000" << tab << 10 * kHour
                                                  << "10:00:00.000";
    QTest::newRow("25:00:00.000 on a 30 h range") << 30 * kHour << "25:00:00.000" << tab << 25 * kHour
                                                  << "25:00:00.000";
    QTest::newRow("past the maximum: the maximum") << 30 * kHour << "31:00:00.000" << enter << 30 * kHour
                                                   << "30:00:00.000";
    QTest::newRow("begun only: the rest is 0") << 3 * kHour << "2:15" << tab << 135 * 60000LL << "2:15:00.000";
    QTest::newRow("a letter is not taken") << 3 * kHour << "0:0x1:00.000" << tab << 60000LL << "0:01:00.000";
}

void TestTimeEdit::typedTimes()
{
    QFETCH(qint64, maximum);
    QFETCH(QString, typed);
    QFETCH(int, leaveBy);
    QFETCH(qint64, ms);
    QFETCH(QString, shown);

    Form form;
    QVERIFY(form.show());
    form.edit->setKeyboardTracking(false);
    form.edit->setMaximumMsecs(maximum);
    form.edit->setMsecs(20000);
    QSignalSpy changed(form.edit, &CTimeEdit::timeChanged);
    form.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.edit, typed);
    QCOMPARE(changed.count(), 0); // nothing is taken while typing
    QTest::keyClick(form.edit, Qt::Key(leaveBy));
    QCOMPARE(form.edit->msecs(), ms);
    QCOMPARE(form.edit->text(), shown);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toLongLong(), ms);
    QCOMPARE(form.next->hasFocus(), leaveBy == Qt::Key_Tab);
}

void TestTimeEdit::upDownStepTheSection_data()
{
    QTest::addColumn<int>("cursor"); // in "1:30:00.000"; -1: all selected, as after a Tab
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("presses");
    QTest::addColumn<QString>("shown");

    QTest::newRow("hour up") << 1 << int(Qt::Key_Up) << 1 << "2:30:00.000";
    QTest::newRow("hour up past a day") << 0 << int(Qt::Key_Up) << 24 << "25:30:00.000";
    QTest::newRow("hour up stops at the maximum") << 1 << int(Qt::Key_Up) << 40 << "30:00:00.000";
    QTest::newRow("minute down") << 3 << int(Qt::Key_Down) << 2 << "1:28:00.000";
    QTest::newRow("second page up") << 6 << int(Qt::Key_PageUp) << 1 << "1:30:10.000";
    QTest::newRow("millisecond down borrows from the minutes") << 9 << int(Qt::Key_Down) << 1 << "1:29:59.999";
    QTest::newRow("all selected: the section set before") << -1 << int(Qt::Key_Up) << 1 << "1:30:01.000";
}

void TestTimeEdit::upDownStepTheSection()
{
    QFETCH(int, cursor);
    QFETCH(int, key);
    QFETCH(int, presses);
    QFETCH(QString, shown);

    Form form;
    QVERIFY(form.show());
    form.edit->setMaximumMsecs(30 * kHour);
    form.edit->setMsecs(90 * 60000);
    form.edit->setCurrentSection(CTimeEdit::Section::Second);
    if (cursor < 0) {
        form.edit->setFocus(Qt::TabFocusReason);
    } else {
        form.edit->setFocus();
        form.edit->findChild<QLineEdit *>()->setCursorPosition(cursor);
    }
    for (int i = 0; i < presses; ++i)
        QTest::keyClick(form.edit, Qt::Key(key));
    QCOMPARE(form.edit->text(), shown);
    // The stepped section stays selected, ready for the next step or digits.
    const auto [first, length] = ClockText::sectionSpan(shown, form.edit->currentSection());
    QCOMPARE(form.edit->findChild<QLineEdit *>()->selectionStart(), first);
    QCOMPARE(form.edit->findChild<QLineEdit *>()->selectedText().size(), length);
}

void TestTimeEdit::rangeClampsAndTells()
{
    CTimeEdit edit;
    edit.setMaximumMsecs(30 * kHour);
    QSignalSpy changed(&edit, &CTimeEdit::timeChanged);
    edit.setMsecs(26 * kHour);
    QCOMPARE(edit.text(), QStringLiteral("26:00:00.000"));
    QCOMPARE(changed.count(), 1);
    // A shorter file: the time comes down with the maximum, and says so.
    edit.setMaximumMsecs(6000);
    QCOMPARE(edit.msecs(), 6000);
    QCOMPARE(changed.last().at(0).toLongLong(), 6000);
    edit.setMsecs(-20);
    QCOMPARE(edit.msecs(), 0);
    // A minimum above the maximum takes the maximum along.
    edit.setMinimumMsecs(8000);
    QCOMPARE(edit.maximumMsecs(), 8000);
    QCOMPARE(edit.msecs(), 8000);
    const int before = int(changed.count());
    edit.setMsecs(8000);
    QCOMPARE(changed.count(), before); // no change, no signal
}

void TestTimeEdit::keyboardTrackingTakesEachWholeTime()
{
    Form form;
    QVERIFY(form.show());
    form.edit->setMaximumMsecs(3 * kHour);
    QSignalSpy changed(form.edit, &CTimeEdit::timeChanged);
    form.edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form.edit, Qt::Key_A, Qt::ControlModifier);
    // A keystroke that makes a whole time in range is taken: "2:15:0"
    // already is 2:15:00, so the last zero changes nothing. A time past the
    // maximum waits for the end of the edit.
    QTest::keyClicks(form.edit, QStringLiteral("2:15:00"));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.first().at(0).toLongLong(), 135 * 60000LL);
    QCOMPARE(form.edit->text(), QStringLiteral("2:15:00")); // the text is left as typed
    QTest::keyClick(form.edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(form.edit, QStringLiteral("5:00:00"));
    QCOMPARE(changed.count(), 1);
    QTest::keyClick(form.edit, Qt::Key_Return);
    QCOMPARE(form.edit->msecs(), 3 * kHour);
    QCOMPARE(changed.count(), 2);
}

QTEST_MAIN(TestTimeEdit)
#include "tst_timeedit.moc"
