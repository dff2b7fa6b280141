#pragma once
#include <QDialog>
class MainDialog final : public QDialog
{
    Q_OBJECT
public:
    explicit MainDialog(QWidget *parent = nullptr);
};
