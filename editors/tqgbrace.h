#pragma once

#include <QWidget>

// The large "{" that groups the comparison dialog's three boxes into one condition.
class TQGBrace : public QWidget
{
    Q_OBJECT
public:
    explicit TQGBrace(QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};
