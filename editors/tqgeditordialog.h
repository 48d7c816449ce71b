// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QColor>
#include <QDialog>
#include <QPixmap>

class QLabel;
class QPushButton;

// What the three editor dialogs share: the fixed frame of a given client size, the
// dialog font, the header with icon, bold title and subtitle, centring on the screen
// when first shown, and the colours of the boxes being edited.
class TQGEditorDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Icon { Comparison, Value, Sort };

    // The system's inactive caption colours (Windows' defaults, Qt has no role for them).
    static QColor InactiveCaptionColor();
    static QColor InactiveCaptionTextColor();

    // Paints a box (edit or label) in the highlight colours when active, otherwise in
    // the inactive caption colours.
    static void PaintBox(QWidget *box, bool active);

    // A bold label.
    static QLabel *NewHeading(const QString &text, QWidget *parent);

    // The icon on size by size device-independent pixels, drawn for the device pixel
    // ratio so that it stays sharp on a scaled screen.
    static QPixmap IconPixmap(Icon icon, int size, qreal devicePixelRatio = 1.0);

protected:
    // The space between the dialog's edge and its controls.
    static constexpr int kMargin = 8;

    TQGEditorDialog(QWidget *parent, const QString &name, const QString &caption,
                    const QSize &clientSize, Icon icon);

    // The icon at the top left, the bold title beside it and, when given, the subtitle
    // under the title; a rule below. Returns the first free y below the rule.
    int BuildHeader(const QString &title, const QString &subtitle = QString());

    // "OK" and "Cancel" at the bottom right, closing with accept and reject. OK is the
    // default button (Enter), and Escape cancels, as in every dialog.
    void BuildButtons(QPushButton **ok, QPushButton **cancel, const QString &okName,
                      const QString &cancelName);
    // The top of the bottom button row.
    int ButtonTop() const;

    void showEvent(QShowEvent *event) override;

private:
    Icon m_icon;
    bool m_centred = false;
};
