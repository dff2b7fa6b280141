#pragma once

// Helpers shared by the tests that drive the ringtone manager.

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>

// Runs `answer` on the next modal window once it is shown (a message box or
// a file dialog), as a user would answer it.
inline void answerNextModal(std::function<void(QWidget *)> answer)
{
    QTimer::singleShot(0, [answer] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            answerNextModal(answer);
            return;
        }
        answer(modal);
    });
}

// Types text into the focused-or-not widget as a keyboard or an input method
// would, a character (or surrogate pair) at a time: QTest's key clicks take
// Latin-1 only.
inline void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

// The texts of the manager's rows, top to bottom.
inline QStringList rows(QWidget *manager)
{
    QStringList texts;
    auto *list = manager->findChild<QListWidget *>(QStringLiteral("listRingtone"));
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Answers the modal windows that open while it lives, in order, each with
// the next of the given answers; the message boxes' texts are kept. A modal
// window beyond the answers is closed as Escape would (its texts kept too),
// so a test never hangs on a box it did not expect.
class ModalAnswers final
{
public:
    explicit ModalAnswers(std::deque<std::function<void(QWidget *)>> answers = {})
        : pending(std::move(answers))
    {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { poll(); });
        timer.start();
    }

    QStringList messages;

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || modal == answered)
            return;
        answered = modal;
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (box)
            messages << box->text();
        if (!pending.empty()) {
            const auto answer = std::move(pending.front());
            pending.pop_front();
            answer(modal);
        } else if (QAbstractButton *escape = box ? box->escapeButton() : nullptr) {
            escape->click();
        } else if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        }
    }

    std::deque<std::function<void(QWidget *)>> pending;
    QPointer<QWidget> answered;
    QTimer timer;
};
