// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QDialog>

// The about box: picture, notices and OK. A click on the picture or any key closes it.
class TQGAboutForm : public QDialog
{
    Q_OBJECT
public:
    explicit TQGAboutForm(QWidget *parent = nullptr);

    void Image1Click() { done(1); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};
