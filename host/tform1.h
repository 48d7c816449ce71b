#pragma once

#include <QDialog>

class QComboBox;
class QPlainTextEdit;
class QPushButton;
class TVDRunTimeQuery;

// The example host: choose a database, call Execute, see the SQL the designer returned.
class TForm1 : public QDialog
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);

    void FormCreate();
    void Button1Click();

    QComboBox *ComboBox1() const { return m_databases; }
    QPushButton *Button1() const { return m_button; }
    QPlainTextEdit *Memo1() const { return m_memo; }
    TVDRunTimeQuery *VDRunTimeQuery1() const { return m_query; }

private:
    QComboBox *m_databases;
    QPushButton *m_button;
    QPlainTextEdit *m_memo;
    TVDRunTimeQuery *m_query;
};
