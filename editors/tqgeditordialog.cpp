// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgeditordialog.h"

#include "tqgstyle.h"

#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QtMath>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

void paintTile(QPainter &p, int size, const QColor &top, const QColor &bottom)
{
    QLinearGradient gradient(0, 0, 0, size);
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    const QRectF tile(0.5, 0.5, size - 1, size - 1);
    p.setPen(QPen(bottom.darker(130), 1));
    p.setBrush(gradient);
    p.drawRoundedRect(tile, size * 0.18, size * 0.18);
}

// A funnel over an equals sign: choosing rows by comparison.
void paintComparison(QPainter &p, qreal s)
{
    paintTile(p, int(s), QColor(0x5b, 0x9b, 0xe6), QColor(0x1f, 0x55, 0xa8));
    QPainterPath funnel;
    funnel.moveTo(s * 0.20, s * 0.22);
    funnel.lineTo(s * 0.80, s * 0.22);
    funnel.lineTo(s * 0.57, s * 0.50);
    funnel.lineTo(s * 0.57, s * 0.78);
    funnel.lineTo(s * 0.43, s * 0.70);
    funnel.lineTo(s * 0.43, s * 0.50);
    funnel.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawPath(funnel);
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawRect(QRectF(s * 0.64, s * 0.60, s * 0.20, s * 0.07));
    p.drawRect(QRectF(s * 0.64, s * 0.73, s * 0.20, s * 0.07));
}

// A pencil: a value being written.
void paintValue(QPainter &p, qreal s)
{
    paintTile(p, int(s), QColor(0x6c, 0xc0, 0x6a), QColor(0x2e, 0x7d, 0x32));
    p.save();
    p.translate(s * 0.5, s * 0.5);
    p.rotate(45);
    const qreal w = s * 0.16, len = s * 0.62;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xff, 0xd5, 0x4f));
    p.drawRect(QRectF(-w / 2, -len / 2, w, len * 0.72));
    p.setBrush(QColor(0xf4, 0x8f, 0xb1));
    p.drawRect(QRectF(-w / 2, -len / 2 - s * 0.06, w, s * 0.08));
    QPainterPath tip;
    tip.moveTo(-w / 2, -len / 2 + len * 0.72);
    tip.lineTo(w / 2, -len / 2 + len * 0.72);
    tip.lineTo(0, len / 2);
    tip.closeSubpath();
    p.setBrush(QColor(0xf5, 0xde, 0xb3));
    p.drawPath(tip);
    p.setBrush(QColor(0x33, 0x33, 0x33));
    QPainterPath lead;
    lead.moveTo(-w * 0.2, len / 2 - s * 0.07);
    lead.lineTo(w * 0.2, len / 2 - s * 0.07);
    lead.lineTo(0, len / 2);
    lead.closeSubpath();
    p.drawPath(lead);
    p.restore();
}

// Bars of growing length beside a downward arrow: an ordering.
void paintSort(QPainter &p, qreal s)
{
    paintTile(p, int(s), QColor(0xff, 0xb7, 0x4d), QColor(0xe0, 0x6c, 0x00));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    for (int i = 0; i < 4; ++i)
        p.drawRect(QRectF(s * 0.44, s * (0.20 + i * 0.16), s * (0.14 + i * 0.10), s * 0.09));
    p.drawRect(QRectF(s * 0.22, s * 0.18, s * 0.08, s * 0.46));
    QPainterPath head;
    head.moveTo(s * 0.12, s * 0.60);
    head.lineTo(s * 0.40, s * 0.60);
    head.lineTo(s * 0.26, s * 0.82);
    head.closeSubpath();
    p.drawPath(head);
}

} // namespace

TQGEditorDialog::TQGEditorDialog(QWidget *parent, const QString &name, const QString &caption,
                                 const QSize &clientSize, Icon icon)
    : QDialog(parent), m_icon(icon)
{
    setObjectName(name);
    setWindowTitle(caption);
    setFont(WindowFont());
    setFixedSize(clientSize);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    QIcon windowIcon;
    windowIcon.addPixmap(IconPixmap(icon, 16));
    windowIcon.addPixmap(IconPixmap(icon, 32));
    setWindowIcon(windowIcon);
}

QColor TQGEditorDialog::InactiveCaptionColor()
{
    return QColor(0xbf, 0xcd, 0xdb);
}

QColor TQGEditorDialog::InactiveCaptionTextColor()
{
    return QColor(0x00, 0x00, 0x00);
}

void TQGEditorDialog::PaintBox(QWidget *box, bool active)
{
    const QPalette source = box->window()->palette();
    const QColor back = active ? source.color(QPalette::Active, QPalette::Highlight)
                               : InactiveCaptionColor();
    const QColor text = active ? source.color(QPalette::Active, QPalette::HighlightedText)
                               : InactiveCaptionTextColor();
    QPalette palette = source;
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::Base, back);
        palette.setColor(group, QPalette::Window, back);
        palette.setColor(group, QPalette::Text, text);
        palette.setColor(group, QPalette::WindowText, text);
        // Selected text stays readable on a highlighted box.
        palette.setColor(group, QPalette::Highlight, text);
        palette.setColor(group, QPalette::HighlightedText, back);
    }
    box->setAutoFillBackground(true);
    box->setPalette(palette);
}

QLabel *TQGEditorDialog::NewHeading(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont bold = label->font();
    bold.setBold(true);
    label->setFont(bold);
    return label;
}

QPixmap TQGEditorDialog::IconPixmap(Icon icon, int size, qreal devicePixelRatio)
{
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QPixmap pixmap(qCeil(size * ratio), qCeil(size * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    switch (icon) {
    case Icon::Comparison:
        paintComparison(p, size);
        break;
    case Icon::Value:
        paintValue(p, size);
        break;
    case Icon::Sort:
        paintSort(p, size);
        break;
    }
    return pixmap;
}

int TQGEditorDialog::BuildHeader(const QString &title, const QString &subtitle)
{
    auto *icon = new QLabel(this);
    icon->setPixmap(IconPixmap(m_icon, kIconSize, devicePixelRatioF()));
    icon->setGeometry(kMargin, kMargin, kIconSize, kIconSize);

    const int textLeft = kMargin + kIconSize + 8;
    const int textWidth = width() - textLeft - kMargin;
    QLabel *titleLabel = NewHeading(title, this);
    QFont titleFont = titleLabel->font();
    titleFont.setPointSize(titleFont.pointSize() + 2);
    titleLabel->setFont(titleFont);
    if (subtitle.isEmpty()) {
        titleLabel->setGeometry(textLeft, kMargin, textWidth, kIconSize);
    } else {
        titleLabel->setGeometry(textLeft, kMargin - 1, textWidth, 18);
        auto *subtitleLabel = new QLabel(subtitle, this);
        subtitleLabel->setGeometry(textLeft, kMargin + 17, textWidth, 15);
        QPalette muted = subtitleLabel->palette();
        muted.setColor(QPalette::WindowText, muted.color(QPalette::Active, QPalette::PlaceholderText));
        subtitleLabel->setPalette(muted);
    }

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    const int ruleTop = kMargin + kIconSize + 3;
    rule->setGeometry(kMargin, ruleTop, width() - 2 * kMargin, 2);
    return ruleTop + 2 + 5;
}

void TQGEditorDialog::showEvent(QShowEvent *event)
{
    // QDialog places itself over its parent; these dialogs open in the screen's centre.
    QDialog::showEvent(event);
    if (!m_centred && !event->spontaneous()) {
        m_centred = true;
        QScreen *screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
}

int TQGEditorDialog::ButtonTop() const
{
    return height() - kMargin - kButtonHeight;
}

void TQGEditorDialog::BuildButtons(QPushButton **ok, QPushButton **cancel, const QString &okName,
                                   const QString &cancelName)
{
    *ok = new QPushButton(tr("OK"), this);
    (*ok)->setObjectName(okName);
    *cancel = new QPushButton(tr("Cancel"), this);
    (*cancel)->setObjectName(cancelName);
    const int cancelLeft = width() - kMargin - kButtonWidth;
    (*cancel)->setGeometry(cancelLeft, ButtonTop(), kButtonWidth, kButtonHeight);
    (*ok)->setGeometry(cancelLeft - 6 - kButtonWidth, ButtonTop(), kButtonWidth, kButtonHeight);
    // Enter is OK wherever the focus is, unless a box there takes Enter itself.
    for (QPushButton *button : {*ok, *cancel})
        button->setAutoDefault(false);
    (*ok)->setDefault(true);
    connect(*ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(*cancel, &QPushButton::clicked, this, &QDialog::reject);
}

