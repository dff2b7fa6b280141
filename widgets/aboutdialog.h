#pragma once

#include "framelesswindow.h"

#include <QDialog>
#include <QPixmap>

class QLabel;

// The About box: version, home and support links and the company line over a
// picture. A click anywhere but on a link closes it.
class AboutDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(AboutDialog)

public:
    explicit AboutDialog(QWidget *parent = nullptr);

private Q_SLOTS:
    void openUrl(const QString &url);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    CWindowDrag drag{this};
    QLabel *labelHomePage = nullptr;
    QLabel *labelSupport = nullptr;
    QLabel *labelCompany = nullptr;
    QLabel *labelVersion = nullptr;
    QPixmap background;
};
