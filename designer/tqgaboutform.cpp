// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgaboutform.h"

#include "tqgglyphs.h"
#include "tqgstyle.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TQGAboutForm::TQGAboutForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TQGAboutForm"));
    setWindowTitle(tr("About..."));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFont(WindowFont());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, QColor(0x20, 0x20, 0x20));
    panel->setPalette(pal);
    auto *inner = new QVBoxLayout(panel);
    inner->setContentsMargins(24, 18, 24, 18);
    inner->setSpacing(8);
    auto *image = new QLabel(panel);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(GlyphPixmap(TQGGlyph::AppIcon, 64, devicePixelRatioF()));
    image->setAlignment(Qt::AlignCenter);
    image->setCursor(Qt::PointingHandCursor);
    image->installEventFilter(this);
    inner->addWidget(image);
    auto *bevel = new QFrame(panel);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    inner->addWidget(bevel);
    auto *notice1 = new QLabel(tr("A visual designer for SELECT, INSERT, UPDATE and DELETE statements."), panel);
    notice1->setObjectName(QStringLiteral("Label1"));
    notice1->setAlignment(Qt::AlignCenter);
    notice1->setWordWrap(true);
    inner->addWidget(notice1);
    auto *notice2 = new QLabel(tr("Version %1 \u2014 built with Qt %2").arg(QStringLiteral("0.1"), QLatin1String(qVersion())), panel);
    notice2->setObjectName(QStringLiteral("Label2"));
    notice2->setAlignment(Qt::AlignCenter);
    inner->addWidget(notice2);
    layout->addWidget(panel);

    auto *ok = new QPushButton(tr("OK"), this);
    ok->setObjectName(QStringLiteral("Button1"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { done(1); });
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    setFixedSize(sizeHint().expandedTo(QSize(320, 0)));
}

void TQGAboutForm::keyPressEvent(QKeyEvent *event)
{
    // Any key that types a character closes the box (Escape and Enter included); a lone
    // modifier or a navigation key does not.
    if (event->text().isEmpty() && event->key() != Qt::Key_Escape) {
        QDialog::keyPressEvent(event);
        return;
    }
    event->accept();
    done(1);
}

bool TQGAboutForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched->objectName() == QLatin1String("Image1") && event->type() == QEvent::MouseButtonRelease) {
        Image1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
