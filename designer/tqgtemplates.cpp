#include "tqgtemplates.h"

#include "designwords.h"
#include "tqgsqleditor.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QPointer>
#include <QTextCursor>

namespace {

// One row of a submenu: a separator when name is null.
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

const TemplateItem Separator = {nullptr, nullptr, nullptr};

// The texts keep CR LF line breaks as they were written; the editor turns them into its own
// line breaks on insertion. Trailing spaces before some breaks are part of the texts.
const TemplateSubmenu StatementMenus[] = {
    {"Select2", "Select",
     {{"StandardQuery1", "Standard Query", "SELECT * FROM <tablename>\r\nWHERE <conditionlist>;"},
      Separator,
      {"SubQuery1", "Sub Query",
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE <fieldname> IN\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"ExistsQuery1", "Exists Query",
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE EXISTS\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"NotExists1", "Not Exists",
       "SELECT <fieldlist>\r\nFROM <tablename1>\r\nWHERE NOT EXISTS\r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"},
      {"GroupBy1", "Group By", "SELECT <fieldlist>\r\nFROM <tablename>\r\nGROUP BY <groupfieldlist>;"}}},
    {"Update2", "Update",
     {{"StandardUpdate1", "Standard Update",
       "UPDATE <tablename>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
       "WHERE <conditionlist>;"},
      Separator,
      {"UpdatewithSubQuery1", "Update with SubQuery",
       "UPDATE <tablename1>\r\nSET <fieldname1> = <fieldvalue1>,\r\n    <fieldname2> = <fieldvalue2>\r\n"
       "WHERE <value> = \r\n    ( SELECT <fieldname>\r\n      FROM <tablename2>\r\n"
       "      WHERE <conditionlist> );"}}},
    {"Delete1", "Delete",
     {{"DeleteAll1", "Delete All Records", "DELETE FROM <tablename>;"},
      Separator,
      {"SingleDelete1", "Single Delete", "DELETE FROM <tablename>\r\nWHERE <fieldname> = <fieldvalue>;"},
      {"ConditionalDelete1", "Conditional Delete", "DELETE FROM <tablename>\r\nWHERE <conditionlist>;"},
      {"SubQueryDelete1", "SubQuery Delete",
       "DELETE FROM <tablename1>\r\nWHERE <value> = \r\n    ( SELECT <fieldname>\r\n"
       "      FROM <tablename2>\r\n      WHERE <conditionlist> );"}}},
    {"Insert2", "Insert",
     {{"StandardInsert1", "Standard Insert",
       "INSERT INTO \r\n<tablename> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
       "VALUES (<fieldvalue1>, <fieldvalue2>, ...., <fieldvalueX>);"},
      Separator,
      {"MultipleRecordInsert1", "Multiple Record Insert",
       "INSERT INTO \r\n<tablename1> (<fieldname1>, <fieldname2>, ...., <fieldnameX>)\r\n"
       "SELECT <fieldname1>, <fieldname2>, ...., <fieldnameX> FROM <tablename2>\r\n"
       "WHERE <conditionlist>;"},
      {"TableCopyInsert1", "Table Copy Insert", "INSERT INTO <tablename1>\r\nSELECT * from <tablename2>;\r\n"}}},
};

const TemplateSubmenu FunctionMenu = {
    "Functions1", "Functions",
    {{"AVG1", "Avg()", "AVG(<fieldname>)"},
     {"Cast1", "Cast()", "CAST (<value> AS <newdatatype>)"},
     {"Count1", "Count()", "COUNT(<fieldname>)"},
     {"MAX1", "Max()", "MAX(<fieldname>)"},
     {"Min1", "Min()", "MIN(<fieldname>)"},
     {"Sum1", "Sum()", "SUM(<fieldname>)"},
     {"Upper1", "Upper()", "UPPER(<fieldname>)"}}};

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
