#pragma once

#include <QAbstractSpinBox>
#include <QString>
#include <QValidator>

#include <utility>

// Clock texts of any length: a film can run past a day, which QTime (and so
// QTimeEdit) wraps to the next midnight. Times are whole milliseconds.
namespace ClockText {

enum class Section { Hour, Minute, Second, Millisecond };

// "h:mm:ss.zzz" (withMillis) or "h:mm:ss", the hours at least hourDigits
// wide and as wide as they need beyond. Negative times show as 0.
QString format(qint64 ms, int hourDigits = 1, bool withMillis = true);

struct Reading
{
    QValidator::State state = QValidator::Invalid;
    // The time typed, sections not yet typed counting as 0; -1 when
    // nothing is typed at all.
    qint64 ms = -1;
};

// What a user typed into a time field. Acceptable: hours of any length,
// minutes and seconds of one or two digits below 60, and an optional
// fraction of up to three digits ("1:30:00", "25:00:00.000", "0:00:10.5").
// Intermediate: the beginning of such a text ("1:3", "1:30:00."). Anything
// else is Invalid.
Reading read(const QString &text);

// The section holding the cursor at pos in a formatted text; a cursor right
// after a section's digits belongs to that section.
Section sectionAt(const QString &text, int pos);
// Where a section's digits lie in a formatted text: first index, length.
std::pair<int, int> sectionSpan(const QString &text, Section section);
// One step of the section, in milliseconds.
qint64 stepOf(Section section);

} // namespace ClockText

// A time field on milliseconds, with no upper end but its maximum: shows
// "h:mm:ss.zzz", Up/Down (the wheel, the buttons, Page Up/Down by ten)
// step the section the cursor is in, and a typed time is clamped into the
// range once entered (Enter, Tab, a click elsewhere) unless keyboard
// tracking asks for every keystroke. Setting the time from code emits
// timeChanged too, as QTimeEdit does.
class CTimeEdit final : public QAbstractSpinBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTimeEdit)

public:
    using Section = ClockText::Section;

    explicit CTimeEdit(QWidget *parent = nullptr);

    qint64 msecs() const { return m_ms; }
    qint64 minimumMsecs() const { return m_min; }
    qint64 maximumMsecs() const { return m_max; }
    // As QTimeEdit: a maximum below the minimum moves the minimum down with
    // it (and the other way round), and the time is clamped into the range.
    void setMinimumMsecs(qint64 ms);
    void setMaximumMsecs(qint64 ms);

    Section currentSection() const { return m_section; }
    void setCurrentSection(Section section);

    void stepBy(int steps) override;
    QValidator::State validate(QString &input, int &pos) const override;
    void fixup(QString &input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public Q_SLOTS:
    void setMsecs(qint64 ms);

Q_SIGNALS:
    void timeChanged(qint64 ms);

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void takeText();
    void showTime();
    void selectSection(Section section);
    qint64 bounded(qint64 ms) const;

    qint64 m_ms = 0;
    qint64 m_min = 0;
    qint64 m_max = 0;
    Section m_section = Section::Second;
};
