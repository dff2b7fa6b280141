#include "timeedit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include <algorithm>
#include <cstdlib>

namespace ClockText {

namespace {
constexpr qint64 kSecond = 1000;
constexpr qint64 kMinute = 60 * kSecond;
constexpr qint64 kHour = 60 * kMinute;

struct Separators
{
    int firstColon;
    int secondColon;
    int dot;
};

Separators separatorsOf(const QString &text)
{
    const int first = int(text.indexOf(QLatin1Char(':')));
    const int second = first < 0 ? -1 : int(text.indexOf(QLatin1Char(':'), first + 1));
    const int dot = second < 0 ? -1 : int(text.indexOf(QLatin1Char('.'), second + 1));
    return {first, second, dot};
}
} // namespace

QString format(qint64 ms, int hourDigits, bool withMillis)
{
    ms = std::max<qint64>(ms, 0);
    const QChar zero(QLatin1Char('0'));
    QString text = QStringLiteral("%1:%2:%3")
                       .arg(ms / kHour, hourDigits, 10, zero)
                       .arg(ms / kMinute % 60, 2, 10, zero)
                       .arg(ms / kSecond % 60, 2, 10, zero);
    if (withMillis)
        text += QStringLiteral(".%1").arg(ms % kSecond, 3, 10, zero);
    return text;
}

Reading read(const QString &text)
{
    // Seven digits of hours stay far inside qint64 milliseconds.
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(\d{1,7})(?::(\d{0,2})(?::(\d{0,2})(?:(\.)(\d{0,3}))?)?)?$)"));
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {QValidator::Intermediate, -1};
    const QRegularExpressionMatch match = pattern.match(trimmed);
    if (!match.hasMatch())
        return {};
    const QString minutes = match.captured(2);
    const QString seconds = match.captured(3);
    const QString fraction = match.captured(5);
    const int m = minutes.isEmpty() ? 0 : minutes.toInt();
    const int s = seconds.isEmpty() ? 0 : seconds.toInt();
    if (m >= 60 || s >= 60)
        return {};
    // A fraction: ".5" is half a second.
    const int z = fraction.isEmpty() ? 0 : fraction.leftJustified(3, QLatin1Char('0')).toInt();
    const qint64 ms = match.captured(1).toLongLong() * kHour + m * kMinute + s * kSecond + z;
    const bool dotWithoutDigits = match.capturedStart(4) >= 0 && fraction.isEmpty();
    const bool complete = !minutes.isEmpty() && !seconds.isEmpty() && !dotWithoutDigits;
    return {complete ? QValidator::Acceptable : QValidator::Intermediate, ms};
}

Section sectionAt(const QString &text, int pos)
{
    const Separators at = separatorsOf(text);
    if (at.firstColon < 0 || pos <= at.firstColon)
        return Section::Hour;
    if (at.secondColon < 0 || pos <= at.secondColon)
        return Section::Minute;
    if (at.dot < 0 || pos <= at.dot)
        return Section::Second;
    return Section::Millisecond;
}

std::pair<int, int> sectionSpan(const QString &text, Section section)
{
    const Separators at = separatorsOf(text);
    const int size = int(text.size());
    const auto span = [size](int first, int end) {
        first = std::clamp(first, 0, size);
        end = std::clamp(end < 0 ? size : end, first, size);
        return std::pair{first, end - first};
    };
    switch (section) {
    case Section::Hour:
        return span(0, at.firstColon);
    case Section::Minute:
        return at.firstColon < 0 ? span(size, size) : span(at.firstColon + 1, at.secondColon);
    case Section::Second:
        return at.secondColon < 0 ? span(size, size) : span(at.secondColon + 1, at.dot);
    case Section::Millisecond:
        return at.dot < 0 ? span(size, size) : span(at.dot + 1, size);
    }
    return span(size, size);
}

qint64 stepOf(Section section)
{
    switch (section) {
    case Section::Hour:
        return kHour;
    case Section::Minute:
        return kMinute;
    case Section::Second:
        return kSecond;
    case Section::Millisecond:
        break;
    }
    return 1;
}

} // namespace ClockText

using namespace ClockText;

CTimeEdit::CTimeEdit(QWidget *parent)
    : QAbstractSpinBox(parent)
{
    // QTimeEdit's own range until one is set.
    m_max = 24 * 3600 * 1000 - 1;
    lineEdit()->setText(format(m_ms));
    // The section follows the cursor, except when everything is selected
    // (as a Tab into the field does): then Up and Down keep stepping the
    // section they stepped before.
    connect(lineEdit(), &QLineEdit::cursorPositionChanged, this, [this](int, int pos) {
        const QLineEdit *edit = lineEdit();
        if (edit->hasSelectedText() && edit->selectedText().size() == edit->text().size())
            return;
        m_section = sectionAt(edit->text(), edit->hasSelectedText() ? edit->selectionStart() : pos);
    });
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!keyboardTracking())
            return;
        const Reading reading = read(text);
        if (reading.state != QValidator::Acceptable || bounded(reading.ms) != reading.ms || reading.ms == m_ms)
            return;
        m_ms = reading.ms;
        Q_EMIT timeChanged(m_ms);
    });
    // Enter and the focus leaving end an edit.
    connect(this, &QAbstractSpinBox::editingFinished, this, &CTimeEdit::takeText);
}

qint64 CTimeEdit::bounded(qint64 ms) const
{
    return std::clamp(ms, m_min, m_max);
}

void CTimeEdit::setMsecs(qint64 ms)
{
    ms = bounded(ms);
    const bool changed = ms != m_ms;
    m_ms = ms;
    showTime();
    if (changed)
        Q_EMIT timeChanged(m_ms);
}

void CTimeEdit::setMinimumMsecs(qint64 ms)
{
    m_min = std::max<qint64>(ms, 0);
    m_max = std::max(m_max, m_min);
    updateGeometry();
    setMsecs(m_ms);
}

void CTimeEdit::setMaximumMsecs(qint64 ms)
{
    m_max = std::max<qint64>(ms, 0);
    m_min = std::min(m_min, m_max);
    updateGeometry();
    setMsecs(m_ms);
}

void CTimeEdit::setCurrentSection(Section section)
{
    m_section = section;
    const auto [first, length] = sectionSpan(lineEdit()->text(), section);
    lineEdit()->setCursorPosition(first + length);
}

void CTimeEdit::showTime()
{
    const QString text = format(m_ms);
    if (lineEdit()->text() == text)
        return;
    const Section keep = m_section;
    lineEdit()->setText(text);
    setCurrentSection(keep);
}

void CTimeEdit::takeText()
{
    const Reading reading = read(lineEdit()->text());
    // What cannot be read goes back to the time it was.
    if (reading.state == QValidator::Invalid || reading.ms < 0) {
        showTime();
        return;
    }
    setMsecs(reading.ms);
}

void CTimeEdit::selectSection(Section section)
{
    const auto [first, length] = sectionSpan(lineEdit()->text(), section);
    lineEdit()->setSelection(first, length);
}

void CTimeEdit::stepBy(int steps)
{
    // A time typed but not yet entered is taken first, then stepped.
    if (lineEdit()->text() != format(m_ms))
        takeText();
    const Section section = m_section;
    const qint64 step = stepOf(section);
    // Saturating: a step past either end lands on it.
    const qint64 room = steps > 0 ? m_max - m_ms : m_ms - m_min;
    const qint64 wanted = qint64(std::abs(steps)) > room / step ? room : qint64(std::abs(steps)) * step;
    setMsecs(m_ms + (steps > 0 ? wanted : -wanted));
    m_section = section;
    selectSection(section);
}

QAbstractSpinBox::StepEnabled CTimeEdit::stepEnabled() const
{
    if (isReadOnly())
        return StepNone;
    StepEnabled enabled = StepNone;
    if (m_ms < m_max)
        enabled |= StepUpEnabled;
    if (m_ms > m_min)
        enabled |= StepDownEnabled;
    return enabled;
}

QValidator::State CTimeEdit::validate(QString &input, int &) const
{
    const Reading reading = read(input);
    // Out of range is not wrong yet: it is clamped once entered.
    if (reading.state == QValidator::Acceptable && bounded(reading.ms) != reading.ms)
        return QValidator::Intermediate;
    return reading.state;
}

void CTimeEdit::fixup(QString &input) const
{
    const Reading reading = read(input);
    if (reading.state != QValidator::Invalid && reading.ms >= 0)
        input = format(bounded(reading.ms));
}

void CTimeEdit::keyPressEvent(QKeyEvent *event)
{
    QLineEdit *edit = lineEdit();
    const QString typed = event->text();
    const bool plain = !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (!isReadOnly() && plain && typed.size() == 1 && !edit->hasSelectedText()) {
        const QChar c = typed.at(0);
        const QString text = edit->text();
        const int pos = edit->cursorPosition();
        const bool onDigit = pos < text.size() && text.at(pos).isDigit();
        // Typing the separator that is already there steps over it.
        if ((c == QLatin1Char(':') || c == QLatin1Char('.')) && pos < text.size() && text.at(pos) == c) {
            edit->setCursorPosition(pos + 1);
            event->accept();
            return;
        }
        // A full section takes a digit in place of the one after the cursor,
        // as a clock field does: "0:00:1|0.000" and 5 gives "0:00:15.000".
        if (c.isDigit() && onDigit) {
            QString inserted = text;
            inserted.insert(pos, c);
            int at = pos + 1;
            if (validate(inserted, at) == QValidator::Invalid)
                edit->setSelection(pos, 1);
        }
    }
    QAbstractSpinBox::keyPressEvent(event);
}

QSize CTimeEdit::sizeHint() const
{
    ensurePolished();
    const QFontMetrics metrics(fontMetrics());
    // Room for the longest time of the range, and never less than ten hours.
    const QString widest = format(std::max<qint64>(m_max, 10 * 3600 * 1000 - 1));
    const int width = metrics.horizontalAdvance(widest) + metrics.horizontalAdvance(QLatin1Char(' ')) + 2;
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, QSize(width, lineEdit()->sizeHint().height()),
                                     this);
}

QSize CTimeEdit::minimumSizeHint() const
{
    return sizeHint();
}
