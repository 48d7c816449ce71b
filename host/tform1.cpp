// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tform1.h"

#include "messages.h"
#include "tqgglyphs.h"
#include "tqgstyle.h"
#include "tsession.h"
#include "tsessionlist.h"
#include "tvdruntimequery.h"
#include "vdqtranslations.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

namespace {

// Rows of a fixed height, whatever the font asks for.
class FixedHeightDelegate : public QStyledItemDelegate
{
public:
    FixedHeightDelegate(int height, QObject *parent) : QStyledItemDelegate(parent), m_height(height) {}
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        return QSize(QStyledItemDelegate::sizeHint(option, index).width(), m_height);
    }

private:
    int m_height;
};

QLabel *stepNumber(const QString &text, QWidget *parent, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont f = label->font();
    f.setPointSize(20);
    f.setBold(true);
    label->setFont(f);
    label->setAlignment(Qt::AlignRight | Qt::AlignTop);
    label->setMinimumWidth(34);
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, QColor(0x2b, 0x5c, 0x9e));
    label->setPalette(pal);
    return label;
}

QLabel *instruction(const QString &text, QWidget *parent, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setWordWrap(true);
    return label;
}

QLabel *caption(const QString &text, QWidget *parent, const char *name)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

} // namespace

void TForm1::InitApplication()
{
    QApplication::setApplicationName(QStringLiteral("VDQBExample"));
    QApplication::setOrganizationName(QStringLiteral("VdqDesigner"));
}

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent), m_query(new TVDRunTimeQuery(this))
{
    InstallDesignerTranslations();
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(tr("Run Time Query Engine."));
    setWindowIcon(Glyph(TQGGlyph::AppIcon));
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    m_query->setObjectName(QStringLiteral("VDRunTimeQuery1"));

    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(central);
    auto *layout = new QGridLayout(central);
    layout->setContentsMargins(16, 14, 16, 16);
    layout->setHorizontalSpacing(10);
    layout->setVerticalSpacing(8);

    auto *heading = new QLabel(tr("Run-time query designer"), this);
    heading->setObjectName(QStringLiteral("Label1"));
    QFont hf = heading->font();
    hf.setBold(true);
    hf.setPointSize(hf.pointSize() + 4);
    heading->setFont(hf);
    layout->addWidget(heading, 0, 0, 1, 3);
    auto *description = instruction(
        tr("This example shows how a program uses the query designer component: it sets the "
           "database, calls Execute, and receives the SQL statement the user designed."),
        this, "Label2");
    layout->addWidget(description, 1, 0, 1, 3);

    layout->addWidget(stepNumber(tr("1."), central, "Label3"), 2, 0, 2, 1);
    layout->addWidget(instruction(tr("Choose the database to design against (leave it empty to choose "
                                     "in the designer's selection dialog)."), central, "Label4"), 2, 1, 1, 2);
    m_databases = new QComboBox(this);
    m_databases->setObjectName(QStringLiteral("ComboBox1"));
    m_databases->setEditable(false);
    m_databases->setMinimumContentsLength(24);
    m_databases->setPlaceholderText(tr("(choose in the dialog)"));
    m_databases->setItemDelegate(new FixedHeightDelegate(16, m_databases));
    layout->addWidget(caption(tr("Database:"), central, "Label9"), 3, 1);
    layout->addWidget(m_databases, 3, 2);

    layout->addWidget(stepNumber(tr("2."), central, "Label5"), 4, 0, 2, 1);
    layout->addWidget(instruction(tr("Call the component's Execute method to open the designer."), central, "Label6"),
                      4, 1, 1, 2);
    m_button = new QPushButton(tr("Call \"Execute\""), this);
    m_button->setObjectName(QStringLiteral("Button1"));
    // Enter presses the button while it has the focus, and only then: a main window has no
    // default button.
    m_button->setAutoDefault(true);
    layout->addWidget(caption(tr("Method:"), central, "Label10"), 5, 1);
    layout->addWidget(m_button, 5, 2, 1, 1, Qt::AlignLeft);

    layout->addWidget(stepNumber(tr("3."), central, "Label7"), 6, 0, 2, 1);
    layout->addWidget(instruction(tr("View the resulting SQL (after \"Save and Exit\" in the designer)."),
                                  this, "Label8"),
                      6, 1, 1, 2);
    m_memo = new QPlainTextEdit(this);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setFont(FixedPitchFont(QStringLiteral("Courier New")));
    // A vertical scroll bar only: long statement lines wrap, so the whole text shows.
    m_memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_memo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_memo->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_memo->setMinimumSize(460, 180);
    layout->addWidget(caption(tr("SQL:"), central, "Label11"), 7, 1, Qt::AlignTop);
    layout->addWidget(m_memo, 7, 2);
    layout->setColumnStretch(2, 1);

    connect(m_button, &QPushButton::clicked, this, &TForm1::Button1Click);
    FormCreate();
    setFixedSize(sizeHint());
}

void TForm1::FormCreate()
{
    VdqMessages::Guarded(this, [this] {
        QStringList names;
        Sessions().DefaultSession()->ListDatabaseNames(names);
        m_databases->addItems(names);
        m_databases->setCurrentIndex(-1);
    });
}

void TForm1::Button1Click()
{
    m_query->SetDatabaseName(m_databases->currentIndex() >= 0 ? m_databases->currentText() : QString());
    m_query->SetSQL({});
    if (VdqMessages::Guarded(this, [this] { m_query->Execute(); }))
        m_memo->setPlainText(m_query->SQL().join(u'\n'));
}
