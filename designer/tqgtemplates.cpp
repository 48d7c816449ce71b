// SPDX-FileCopyrightText: 2026 The VdqDesigner developers
// SPDX-License-Identifier: BSD-3-Clause

#include "tqgtemplates.h"

#include "designwords.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QTextCursor>

namespace {

// One row of a submenu: a separator when name is null. Captions are translated in the
// "TQGTemplates" context; the texts are SQL and never translated.
struct TemplateItem
{
    const char *name;
    const char *caption;
    const char *text;
};

struct TemplateSubmenu
{
    const char *name;
    const char *caption;
    std::initializer_list<TemplateItem> items;
};

const TemplateItem TemplateSeparator = {nullptr, nullptr, nullptr};

// The texts keep CR LF line breaks as they were written; the editor turns them into its own
// line breaks on insertion. Trailing spaces before some breaks are part of the texts.
const TemplateSubmenu StatementMenus[] = {
    {"Select2", QT_TRANSLATE_NOOP("TQGTemplates", "Select"),
     {{"StandardQuery1", QT_TRANSLATE_NOOP("TQGTemplates", "Standard Query"),
       "SELECT * FROM <tablename>\r\nWHERE <conditionlist>;"},
      TemplateSeparator,
      {"SubQuery1", QT_TRANSLATE_NOOP("TQGTemplates", "Sub Query"),
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE <fieldname> IN\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"ExistsQuery1", QT_TRANSLATE_NOOP("TQGTemplates", "Exists Query"),
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE EXISTS\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"NotExists1", QT_TRANSLATE_NOOP("TQGTemplates", "Not Exists"),
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE NOT EXISTS\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"GroupBy1", QT_TRANSLATE_NOOP("TQGTemplates", "Group By"),
       "SELECT <fieldlist>\r\nFROM <tablename>\r\nGROUP BY <groupfieldlist>;"}}},
    {"Update2", QT_TRANSLATE_NOOP("TQGTemplates", "Update"),
     {{"StandardUpdate1", QT_TRANSLATE_NOOP("TQGTemplates", "Standard Update"),
       "UPDATE <tablename>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
       "WHERE <conditionlist>;"},
      TemplateSeparator,
      {"UpdatewithSubQuery1", QT_TRANSLATE_NOOP("TQGTemplates", "Update with SubQuery"),
       "UPDATE <tablename1>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
       "WHERE <value> = \r\n    ( SELECT <fieldname>\r\n      FROM <tablename2>\r\n"
       "      WHERE <conditionlist> );"}}},
    {"Delete1", QT_TRANSLATE_NOOP("TQGTemplates", "Delete"),
     {{"DeleteAll1", QT_TRANSLATE_NOOP("TQGTemplates", "Delete All Records"), "DELETE FROM <tablename>;"},
      TemplateSeparator,
      {"SingleDelete1", QT_TRANSLATE_NOOP("TQGTemplates", "Single Delete"),
       "DELETE FROM <tablename>\r\nWHERE <fieldname> = <fieldvalue>;"},
      {"ConditionalDelete1", QT_TRANSLATE_NOOP("TQGTemplates", "Conditional Delete"),
       "DELETE FROM <tablename>\r\nWHERE <conditionlist>;"},
      {"SubQueryDelete1", QT_TRANSLATE_NOOP("TQGTemplates", "SubQuery Delete"),
       "DELETE FROM <tablename1>\r\nWHERE <value> = \r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"}}},
    {"Insert2", QT_TRANSLATE_NOOP("TQGTemplates", "Insert"),
     {{"StandardInsert1", QT_TRANSLATE_NOOP("TQGTemplates", "Standard Insert"),
       "INSERT INTO \r\n<tablename> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
       "VALUES (<fieldvalue1>, <fieldvalue2>, ...., <fieldvalueX>);"},
      TemplateSeparator,
      {"MultipleRecordInsert1", QT_TRANSLATE_NOOP("TQGTemplates", "Multiple Record Insert"),
       "INSERT INTO \r\n<tablename1> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
       "SELECT <fieldname1>, <fieldname2>, ...., <fieldnameX> FROM <tablename2>\r\n"
       "WHERE <conditionlist>;"},
      {"TableCopyInsert1", QT_TRANSLATE_NOOP("TQGTemplates", "Table Copy Insert"),
       "INSERT INTO <tablename1>\r\nSELECT * from <tablename2>;\r\n"}}},
};

const TemplateSubmenu FunctionMenu = {
    "Functions1", QT_TRANSLATE_NOOP("TQGTemplates", "Functions"),
    {{"AVG1", QT_TRANSLATE_NOOP("TQGTemplates", "Avg()"), "AVG(<fieldname>)"},
     {"Cast1", QT_TRANSLATE_NOOP("TQGTemplates", "Cast()"), "CAST (<value> AS <newdatatype>)"},
     {"Count1", QT_TRANSLATE_NOOP("TQGTemplates", "Count()"), "COUNT(<fieldname>)"},
     {"MAX1", QT_TRANSLATE_NOOP("TQGTemplates", "Max()"), "MAX(<fieldname>)"},
     {"Min1", QT_TRANSLATE_NOOP("TQGTemplates", "Min()"), "MIN(<fieldname>)"},
     {"Sum1", QT_TRANSLATE_NOOP("TQGTemplates", "Sum()"), "SUM(<fieldname>)"},
     {"Upper1", QT_TRANSLATE_NOOP("TQGTemplates", "Upper()"), "UPPER(<fieldname>)"}}};

void addSubmenu(QMenu *menu, const TemplateSubmenu &submenu, TQGSqlEditor *editor)
{
    QMenu *sub = menu->addMenu(QCoreApplication::translate("TQGTemplates", submenu.caption));
    sub->setObjectName(QLatin1String(submenu.name));
    sub->menuAction()->setObjectName(QLatin1String(submenu.name));
    const QPointer<TQGSqlEditor> target(editor);
    for (const TemplateItem &item : submenu.items) {
        if (!item.name) {
            sub->addSeparator();
            continue;
        }
        QAction *action = sub->addAction(QCoreApplication::translate("TQGTemplates", item.caption));
        action->setObjectName(QLatin1String(item.name));
        const QString text = QString::fromLatin1(item.text);
        QObject::connect(action, &QAction::triggered, editor, [target, text] {
            if (target)
                InsertTemplate(target, text);
        });
    }
}

} // namespace

void BuildTemplateMenu(QMenu *menu, TQGSqlEditor *editor)
{
    for (const TemplateSubmenu &submenu : StatementMenus)
        addSubmenu(menu, submenu, editor);
    menu->addSeparator();
    addSubmenu(menu, FunctionMenu, editor);
}

void InsertTemplate(TQGSqlEditor *editor, const QString &templateText)
{
    // The editor keeps plain line feeds; CR LF and a lone CR both become one line break.
    const QString text = NormalizeLineBreaks(templateText);
    // insertText replaces the selection, or inserts at the caret, as one undo step; the
    // page that shows the editor is left as it is.
    QTextCursor cursor = editor->textCursor();
    cursor.beginEditBlock();
    cursor.insertText(text);
    cursor.endEditBlock();
    editor->setTextCursor(cursor);
}
