#pragma once

// Helpers shared by the tests that drive the ringtone manager.

#include <QApplication>
#include <QListWidget>
#include <QTimer>

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

// The texts of the manager's rows, top to bottom.
inline QStringList rows(QWidget *manager)
{
    QStringList texts;
    auto *list = manager->findChild<QListWidget *>(QStringLiteral("listRingtone"));
    for (int i = 0; list && i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}
