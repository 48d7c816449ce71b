// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgdbselect.h"

#include "messages.h"
#include "tqgglyphs.h"
#include "tqgstyle.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "vdqtranslations.h"

#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTreeWidget>

namespace {

// Rows sort by caption without regard to letter case, as the host and the table list sort.
class AliasItem : public QTreeWidgetItem
{
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem &other) const override
    {
        const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
        return QString::compare(text(column), other.text(column), Qt::CaseInsensitive) < 0;
    }
};

// The decorative strip along the left edge.
class SideImage : public QFrame
{
public:
    explicit SideImage(QWidget *parent) : QFrame(parent)
    {
        setObjectName(QStringLiteral("Panel1"));
        setFrameShape(QFrame::StyledPanel);
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        QFrame::paintEvent(event);
        QPainter p(this);
        const QRect r = contentsRect();
        QLinearGradient g(r.topLeft(), r.bottomLeft());
        g.setColorAt(0, QColor(0x2b, 0x5c, 0x9e));
        g.setColorAt(1, QColor(0x12, 0x2e, 0x57));
        p.fillRect(r, g);
        const int size = qMin(r.width() - 16, 64);
        p.drawPixmap(QRect(r.left() + (r.width() - size) / 2, r.top() + 20, size, size),
                     GlyphPixmap(TQGGlyph::Database, size, devicePixelRatioF()));
    }
};

} // namespace

TQGDBSelect::TQGDBSelect(QWidget *parent)
    : QDialog(parent)
{
    InstallDesignerTranslations();
    setObjectName(QStringLiteral("TQGDBSelect"));
    setWindowTitle(tr("Session and Database Select"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setFixedSize(416, 285);
    BuildHeading();
    BuildLists();
    BuildButtons();
    ConnectControls();
}

void TQGDBSelect::BuildHeading()
{
    auto *image = new SideImage(this);
    image->setGeometry(8, 8, 96, 233);
    auto *imageLabel = new QWidget(image);
    imageLabel->setObjectName(QStringLiteral("Image1"));
    imageLabel->setGeometry(image->contentsRect());
    imageLabel->setAttribute(Qt::WA_TransparentForMouseEvents);

    auto *title = new QLabel(tr("Session and Database Select"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont tf = title->font();
    tf.setBold(true);
    title->setFont(tf);
    title->setGeometry(116, 8, 292, 16);
    auto *description = new QLabel(
        tr("Select the Database from the List. Alternatively you can also select the Session"), this);
    description->setObjectName(QStringLiteral("Label2"));
    description->setWordWrap(true);
    description->setGeometry(116, 26, 292, 30);
}

void TQGDBSelect::BuildLists()
{
    auto *sessionLabel = new QLabel(tr("Session"), this);
    sessionLabel->setObjectName(QStringLiteral("Label3"));
    sessionLabel->setGeometry(116, 60, 292, 14);
    m_sessions = new QComboBox(this);
    m_sessions->setObjectName(QStringLiteral("ComboBox1"));
    m_sessions->setEditable(false);
    m_sessions->setGeometry(116, 76, 292, 22);
    sessionLabel->setBuddy(m_sessions);
    auto *databaseLabel = new QLabel(tr("Database"), this);
    databaseLabel->setObjectName(QStringLiteral("Label4"));
    databaseLabel->setGeometry(116, 102, 292, 14);
    m_databases = new QTreeWidget(this);
    m_databases->setObjectName(QStringLiteral("ListView1"));
    m_databases->setAccessibleName(tr("Database"));
    m_databases->setGeometry(116, 118, 292, 123);
    m_databases->setColumnCount(2);
    m_databases->setHeaderLabels({tr("Database Alias"), tr("Driver")});
    m_databases->header()->resizeSection(0, 140);
    m_databases->header()->resizeSection(1, 175);
    // The two columns are a little wider than the list; the driver column runs under the
    // right edge instead of a scroll bar taking a row's height.
    m_databases->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_databases->setRootIsDecorated(false);
    m_databases->setAllColumnsShowFocus(true);
    m_databases->setSelectionMode(QAbstractItemView::SingleSelection);
    m_databases->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_databases->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_databases->setSortingEnabled(true);
    m_databases->sortByColumn(0, Qt::AscendingOrder);
    m_databases->header()->setSortIndicatorShown(false);
    m_databases->header()->setSectionsClickable(false);
    m_databases->setStyleSheet(ItemGridStyleSheet(QStringLiteral("QTreeWidget")));
    m_databases->viewport()->installEventFilter(this);
    m_databases->installEventFilter(this);
    databaseLabel->setBuddy(m_databases);
}

void TQGDBSelect::BuildButtons()
{
    auto *bevel = new QFrame(this);
    bevel->setObjectName(QStringLiteral("Bevel1"));
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 247, 400, 2);

    m_ok = new QPushButton(tr("OK"), this);
    m_ok->setObjectName(QStringLiteral("Button1"));
    m_ok->setDefault(true);
    m_ok->setEnabled(false);
    m_ok->setGeometry(252, 255, 75, 24);
    m_cancel = new QPushButton(tr("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("Button2"));
    m_cancel->setGeometry(333, 255, 75, 24);
}

void TQGDBSelect::ConnectControls()
{
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);

    connect(m_sessions, &QComboBox::activated, this, [this] {
        VdqMessages::Guarded(this, [this] { ComboBox1Change(); });
    });
    connect(m_databases, &QTreeWidget::itemSelectionChanged, this, &TQGDBSelect::ListView1Change);
    connect(m_databases->model(), &QAbstractItemModel::rowsRemoved, this, &TQGDBSelect::ListView1Change);
    connect(m_databases, &QTreeWidget::itemDoubleClicked, this, &TQGDBSelect::ListView1DblClick);
}

void TQGDBSelect::ComboBox1Change()
{
    m_databases->clear();
    ListView1Change();
    TSession *session = Sessions().FindSession(m_sessions->currentText());
    if (!session)
        return;
    QStringList aliases;
    session->ListAliasNames(aliases);
    for (const QString &alias : aliases) {
        auto *item = new AliasItem(m_databases);
        item->setText(0, alias);
        item->setIcon(0, Glyph(TQGGlyph::Database));
        item->setText(1, session->GetAliasDriverName(alias));
    }
}

void TQGDBSelect::ListView1Change()
{
    m_ok->setEnabled(!m_databases->selectedItems().isEmpty());
}

void TQGDBSelect::ListView1DblClick()
{
    if (!m_databases->selectedItems().isEmpty())
        accept();
}

QString TQGDBSelect::SelectedDatabase() const
{
    const QList<QTreeWidgetItem *> selected = m_databases->selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text(0);
}

void TQGDBSelect::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    // Enter with no row selected does nothing: the default button is disabled.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !m_ok->isEnabled()) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool TQGDBSelect::eventFilter(QObject *watched, QEvent *event)
{
    // A double click on an empty area of the list does nothing.
    if (watched == m_databases->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        auto *e = static_cast<QMouseEvent *>(event);
        if (!m_databases->itemAt(e->position().toPoint()))
            return true;
    }
    // The first arrow key in a list with nothing selected selects the row the cursor is on
    // (the first one), even when there is only that row to move to.
    if (watched == m_databases && event->type() == QEvent::KeyPress && m_databases->selectedItems().isEmpty()
        && m_databases->topLevelItemCount() > 0) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up || key == Qt::Key_Home || key == Qt::Key_End) {
            QTreeWidgetItem *item = m_databases->currentItem() ? m_databases->currentItem()
                                                               : m_databases->topLevelItem(0);
            m_databases->setCurrentItem(item);
            item->setSelected(true);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
