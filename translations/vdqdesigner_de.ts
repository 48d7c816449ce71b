<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>DesignData</name>
    <message>
        <source>The design data is not valid: %1</source>
        <translation>Die Entwurfsdaten sind ungültig: %1</translation>
    </message>
</context>
<context>
    <name>FileAccess</name>
    <message>
        <source>Not a regular file</source>
        <translation>Keine reguläre Datei</translation>
    </message>
    <message>
        <source>Larger than %1 MB</source>
        <translation>Größer als %1 MB</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Ist ein Verzeichnis</translation>
    </message>
    <message>
        <source>Cannot open file %1</source>
        <translation>Die Datei %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 holds a value longer than %2 characters</source>
        <translation>%1 enthält einen Wert mit mehr als %2 Zeichen</translation>
    </message>
    <message>
        <source>Unable to write to %1</source>
        <translation>In %1 kann nicht geschrieben werden</translation>
    </message>
    <message>
        <source>%1 is not a query definition file</source>
        <translation>%1 ist keine Abfragedefinitionsdatei</translation>
    </message>
    <message>
        <source>Failed to Load Stream</source>
        <translation>Der Datenstrom konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>Cannot create file %1</source>
        <translation>Die Datei %1 kann nicht erstellt werden</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>%1 cannot be an alias: use letters, digits and &quot;_&quot;, not a leading digit or a reserved word</source>
        <translation>%1 kann kein Alias sein: Verwenden Sie Buchstaben, Ziffern und „_“, keine führende Ziffer und kein reserviertes Wort</translation>
    </message>
    <message>
        <source>The alias %1 is taken by the table %2</source>
        <translation>Der Alias %1 ist bereits für die Tabelle %2 vergeben</translation>
    </message>
    <message>
        <source>The query could change data</source>
        <translation>Die Abfrage könnte Daten ändern</translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Wert: </translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Unknown session name %1</source>
        <translation>Unbekannter Sitzungsname %1</translation>
    </message>
</context>
<context>
    <name>QPSQLResult</name>
    <message>
        <source>Unable to get result</source>
        <translation>Es kann kein Ergebnis erhalten werden</translation>
    </message>
</context>
<context>
    <name>QSQLiteResult</name>
    <message>
        <source>Unable to fetch row</source>
        <translation>Der Datensatz konnte nicht abgeholt werden</translation>
    </message>
</context>
<context>
    <name>SqlDesign</name>
    <message>
        <source>a value longer than %1 characters</source>
        <translation>ein Wert mit mehr als %1 Zeichen</translation>
    </message>
    <message>
        <source>conditions grouped by parentheses</source>
        <translation>durch Klammern gruppierte Bedingungen</translation>
    </message>
    <message>
        <source>a join condition that is not an equality of two fields</source>
        <translation>eine Verknüpfungsbedingung, die keine Gleichheit zweier Felder ist</translation>
    </message>
    <message>
        <source>a join condition that does not name the table it joins</source>
        <translation>eine Verknüpfungsbedingung, die die verknüpfte Tabelle nicht nennt</translation>
    </message>
    <message>
        <source>the USING column %1, which the tables do not both have</source>
        <translation>die USING-Spalte %1, die nicht beide Tabellen haben</translation>
    </message>
    <message>
        <source>a total in WHERE</source>
        <translation>eine Zusammenfassung in WHERE</translation>
    </message>
    <message>
        <source>a HAVING condition that does not start with a total</source>
        <translation>eine HAVING-Bedingung, die nicht mit einer Zusammenfassung beginnt</translation>
    </message>
    <message>
        <source>the field %1 a second time in the column list</source>
        <translation>das Feld %1 ein zweites Mal in der Spaltenliste</translation>
    </message>
    <message>
        <source>the unknown table or alias %1</source>
        <translation>die unbekannte Tabelle oder der unbekannte Alias %1</translation>
    </message>
    <message>
        <source>a * over a join with USING</source>
        <translation>ein * über einer Verknüpfung mit USING</translation>
    </message>
    <message>
        <source>a column number after a *</source>
        <translation>eine Spaltennummer nach einem *</translation>
    </message>
    <message>
        <source>a GROUP BY item that is neither a field nor a column</source>
        <translation>ein GROUP-BY-Eintrag, der weder ein Feld noch eine Spalte ist</translation>
    </message>
    <message>
        <source>a GROUP BY field that is not a plain field of the column list</source>
        <translation>ein GROUP-BY-Feld, das kein einfaches Feld der Spaltenliste ist</translation>
    </message>
    <message>
        <source>the field %1, which is neither grouped nor a total</source>
        <translation>das Feld %1, das weder gruppiert noch eine Zusammenfassung ist</translation>
    </message>
    <message>
        <source>an ORDER BY item that is not a field or a total of a field</source>
        <translation>ein ORDER-BY-Eintrag, der kein Feld und keine Zusammenfassung eines Feldes ist</translation>
    </message>
    <message>
        <source>the unknown field %1</source>
        <translation>das unbekannte Feld %1</translation>
    </message>
    <message>
        <source>a number of values other than the number of fields</source>
        <translation>eine Anzahl von Werten, die nicht der Anzahl der Felder entspricht</translation>
    </message>
    <message>
        <source>NOT twice</source>
        <translation>zweimal NOT</translation>
    </message>
    <message>
        <source>a condition without a comparison</source>
        <translation>eine Bedingung ohne Vergleich</translation>
    </message>
    <message>
        <source>a condition without a comparison, at &quot;%1&quot;</source>
        <translation>eine Bedingung ohne Vergleich, bei „%1“</translation>
    </message>
    <message>
        <source>a value with an unclosed parenthesis</source>
        <translation>ein Wert mit einer nicht geschlossenen Klammer</translation>
    </message>
    <message>
        <source>a line break inside a name or value</source>
        <translation>ein Zeilenumbruch in einem Namen oder Wert</translation>
    </message>
    <message>
        <source>a subquery</source>
        <translation>eine Unterabfrage</translation>
    </message>
    <message>
        <source>the unknown table %1</source>
        <translation>die unbekannte Tabelle %1</translation>
    </message>
    <message>
        <source>a query in FROM without the database to give its columns</source>
        <translation>eine Abfrage in FROM ohne Datenbank, die ihre Spalten liefert</translation>
    </message>
    <message>
        <source>a query in FROM that gives no columns</source>
        <translation>eine Abfrage in FROM, die keine Spalten liefert</translation>
    </message>
    <message>
        <source>a query in FROM that the database refuses: %1</source>
        <translation>eine Abfrage in FROM, die die Datenbank ablehnt: %1</translation>
    </message>
    <message>
        <source>a query in FROM whose alias is not a plain name</source>
        <translation>eine Abfrage in FROM, deren Alias kein einfacher Name ist</translation>
    </message>
    <message>
        <source>the field %1, which more than one table has</source>
        <translation>das Feld %1, das mehrere Tabellen haben</translation>
    </message>
    <message>
        <source>this statement: its values would be read otherwise</source>
        <translation>diese Anweisung: Ihre Werte würden anders gelesen</translation>
    </message>
    <message>
        <source>a statement that ends too early</source>
        <translation>eine Anweisung, die zu früh endet</translation>
    </message>
    <message>
        <source>&quot;%1&quot; here</source>
        <translation>„%1“ an dieser Stelle</translation>
    </message>
    <message>
        <source>a NUL character</source>
        <translation>ein NUL-Zeichen</translation>
    </message>
    <message>
        <source>an executable comment</source>
        <translation>ein ausführbarer Kommentar</translation>
    </message>
    <message>
        <source>a string or quoted name that is not closed on its line</source>
        <translation>eine Zeichenkette oder ein Name in Anführungszeichen, die in ihrer Zeile nicht geschlossen werden</translation>
    </message>
    <message>
        <source>parentheses nested more than %1 deep</source>
        <translation>Klammern, die tiefer als %1 Ebenen verschachtelt sind</translation>
    </message>
    <message>
        <source>a &quot;;&quot; inside parentheses</source>
        <translation>ein „;“ innerhalb von Klammern</translation>
    </message>
    <message>
        <source>a locking clause</source>
        <translation>eine Sperrklausel</translation>
    </message>
    <message>
        <source>a SELECT ... INTO</source>
        <translation>ein SELECT ... INTO</translation>
    </message>
    <message>
        <source>an empty statement</source>
        <translation>eine leere Anweisung</translation>
    </message>
    <message>
        <source>a WITH clause before anything but SELECT</source>
        <translation>eine WITH-Klausel vor etwas anderem als SELECT</translation>
    </message>
    <message>
        <source>a statement in parentheses</source>
        <translation>eine Anweisung in Klammern</translation>
    </message>
    <message>
        <source>a statement that is not SELECT, INSERT, UPDATE or DELETE</source>
        <translation>eine Anweisung, die nicht SELECT, INSERT, UPDATE oder DELETE ist</translation>
    </message>
    <message>
        <source>a %1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>a second statement</source>
        <translation>eine zweite Anweisung</translation>
    </message>
    <message>
        <source>a WITH query that is not a SELECT</source>
        <translation>eine WITH-Abfrage, die kein SELECT ist</translation>
    </message>
    <message>
        <source>DISTINCT ON</source>
        <translation>DISTINCT ON</translation>
    </message>
    <message>
        <source>a SELECT without FROM</source>
        <translation>ein SELECT ohne FROM</translation>
    </message>
    <message>
        <source>a WINDOW clause</source>
        <translation>eine WINDOW-Klausel</translation>
    </message>
    <message>
        <source>NULLS FIRST or LAST</source>
        <translation>NULLS FIRST oder LAST</translation>
    </message>
    <message>
        <source>a COLLATE in ORDER BY</source>
        <translation>ein COLLATE in ORDER BY</translation>
    </message>
    <message>
        <source>a second row limit</source>
        <translation>eine zweite Zeilenbegrenzung</translation>
    </message>
    <message>
        <source>a second OFFSET</source>
        <translation>ein zweites OFFSET</translation>
    </message>
    <message>
        <source>a row limit that is not a number</source>
        <translation>eine Zeilenbegrenzung, die keine Zahl ist</translation>
    </message>
    <message>
        <source>the row limit %1</source>
        <translation>die Zeilenbegrenzung %1</translation>
    </message>
    <message>
        <source>a column name written as a string</source>
        <translation>ein als Zeichenkette geschriebener Spaltenname</translation>
    </message>
    <message>
        <source>a NATURAL join</source>
        <translation>eine NATURAL-Verknüpfung</translation>
    </message>
    <message>
        <source>more than %1 tables</source>
        <translation>mehr als %1 Tabellen</translation>
    </message>
    <message>
        <source>a subquery in FROM without an alias</source>
        <translation>eine Unterabfrage in FROM ohne Alias</translation>
    </message>
    <message>
        <source>column names after a derived table&apos;s alias</source>
        <translation>Spaltennamen nach dem Alias einer abgeleiteten Tabelle</translation>
    </message>
    <message>
        <source>joins in parentheses</source>
        <translation>Verknüpfungen in Klammern</translation>
    </message>
    <message>
        <source>a table function</source>
        <translation>eine Tabellenfunktion</translation>
    </message>
    <message>
        <source>INSERT %1</source>
        <translation>INSERT %1</translation>
    </message>
    <message>
        <source>INSERT with a SELECT</source>
        <translation>INSERT mit einem SELECT</translation>
    </message>
    <message>
        <source>DEFAULT VALUES</source>
        <translation>DEFAULT VALUES</translation>
    </message>
    <message>
        <source>a second row of values</source>
        <translation>eine zweite Wertezeile</translation>
    </message>
    <message>
        <source>INSERT ... %1</source>
        <translation>INSERT ... %1</translation>
    </message>
    <message>
        <source>an UPDATE of more than one table</source>
        <translation>ein UPDATE mehrerer Tabellen</translation>
    </message>
    <message>
        <source>a list of fields set at once</source>
        <translation>eine Liste von Feldern, die auf einmal gesetzt werden</translation>
    </message>
    <message>
        <source>UPDATE with FROM</source>
        <translation>UPDATE mit FROM</translation>
    </message>
    <message>
        <source>UPDATE ... %1</source>
        <translation>UPDATE ... %1</translation>
    </message>
    <message>
        <source>a DELETE from more than one table</source>
        <translation>ein DELETE aus mehreren Tabellen</translation>
    </message>
    <message>
        <source>a DELETE of another table than the one after FROM</source>
        <translation>ein DELETE einer anderen Tabelle als der nach FROM</translation>
    </message>
    <message>
        <source>DELETE ... %1</source>
        <translation>DELETE ... %1</translation>
    </message>
    <message>
        <source>The design cannot show %1 (line %2, column %3).</source>
        <translation>Der Entwurf kann Folgendes nicht darstellen: %1 (Zeile %2, Spalte %3).</translation>
    </message>
</context>
<context>
    <name>TAliasConfig</name>
    <message>
        <source>the section header has no closing &quot;]&quot;</source>
        <translation>der Abschnittskopf hat keine schließende „]“</translation>
    </message>
    <message>
        <source>the section has no alias name</source>
        <translation>der Abschnitt hat keinen Aliasnamen</translation>
    </message>
    <message>
        <source>alias %1 is defined twice</source>
        <translation>der Alias %1 ist zweimal definiert</translation>
    </message>
    <message>
        <source>expected &quot;[alias]&quot; or &quot;Key=Value&quot;</source>
        <translation>„[alias]“ oder „Schlüssel=Wert“ erwartet</translation>
    </message>
    <message>
        <source>a key comes before the first [alias] section</source>
        <translation>ein Schlüssel steht vor dem ersten [alias]-Abschnitt</translation>
    </message>
    <message>
        <source>the line has no key before &quot;=&quot;</source>
        <translation>die Zeile hat keinen Schlüssel vor „=“</translation>
    </message>
    <message>
        <source>Driver has no value</source>
        <translation>Driver hat keinen Wert</translation>
    </message>
    <message>
        <source>Port &quot;%1&quot; is not a port number</source>
        <translation>Port „%1“ ist keine Portnummer</translation>
    </message>
    <message>
        <source>Timeout &quot;%1&quot; is not a number of seconds</source>
        <translation>Timeout „%1“ ist keine Anzahl von Sekunden</translation>
    </message>
    <message>
        <source>StatementTimeout &quot;%1&quot; is not a number of seconds</source>
        <translation>StatementTimeout „%1“ ist keine Anzahl von Sekunden</translation>
    </message>
    <message>
        <source>alias %1 has no Driver</source>
        <translation>der Alias %1 hat keinen Driver</translation>
    </message>
    <message>
        <source>Cannot read the alias file %1</source>
        <translation>Die Aliasdatei %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>Alias file %1, line %2: %3</source>
        <translation>Aliasdatei %1, Zeile %2: %3</translation>
    </message>
    <message>
        <source>Alias text, line %1: %2</source>
        <translation>Aliastext, Zeile %1: %2</translation>
    </message>
</context>
<context>
    <name>TDatabase</name>
    <message>
        <source>Alias %1 has the unknown driver %2 (known: STANDARD, POSTGRESQL, MYSQL, ODBC)</source>
        <translation>Der Alias %1 hat den unbekannten Treiber %2 (bekannt: STANDARD, POSTGRESQL, MYSQL, ODBC)</translation>
    </message>
    <message>
        <source>Alias %1 gives no Path of its database file</source>
        <translation>Der Alias %1 gibt keinen Pfad (Path) seiner Datenbankdatei an</translation>
    </message>
    <message>
        <source>The database file %1 of alias %2 does not exist</source>
        <translation>Die Datenbankdatei %1 des Alias %2 existiert nicht</translation>
    </message>
    <message>
        <source>The database path %1 of alias %2 is not a file</source>
        <translation>Der Datenbankpfad %1 des Alias %2 ist keine Datei</translation>
    </message>
    <message>
        <source>Cannot connect to database %1: %2</source>
        <translation>Keine Verbindung zur Datenbank %1 möglich: %2</translation>
    </message>
    <message>
        <source>The database driver %1 for alias %2 is not installed</source>
        <translation>Der Datenbanktreiber %1 für den Alias %2 ist nicht installiert</translation>
    </message>
    <message>
        <source>Cannot open database %1 (%2): %3</source>
        <translation>Die Datenbank %1 (%2) kann nicht geöffnet werden: %3</translation>
    </message>
    <message>
        <source>Cannot connect to database %1: the server asks for a password; give it in the alias (Password), there is no display for the login dialog</source>
        <translation>Keine Verbindung zur Datenbank %1 möglich: Der Server verlangt ein Passwort; geben Sie es im Alias an (Password), für den Anmeldedialog gibt es keine Anzeige</translation>
    </message>
    <message>
        <source>Login to database %1 was cancelled</source>
        <translation>Die Anmeldung an der Datenbank %1 wurde abgebrochen</translation>
    </message>
    <message>
        <source>Cannot read the tables of database %1: %2</source>
        <translation>Die Tabellen der Datenbank %1 können nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>The query is more than one statement</source>
        <translation>Die Abfrage besteht aus mehr als einer Anweisung</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <source>Run Time Query Engine.</source>
        <translation>Laufzeit-Abfragemodul</translation>
    </message>
    <message>
        <source>Run-time query designer</source>
        <translation>Abfrage-Designer zur Laufzeit</translation>
    </message>
    <message>
        <source>This example shows how a program uses the query designer component: it sets the database, calls Execute, and receives the SQL statement the user designed.</source>
        <translation>Dieses Beispiel zeigt, wie ein Programm die Abfrage-Designer-Komponente verwendet: Es legt die Datenbank fest, ruft Execute auf und erhält die SQL-Anweisung, die der Benutzer entworfen hat.</translation>
    </message>
    <message>
        <source>1.</source>
        <translation>1.</translation>
    </message>
    <message>
        <source>Choose the database to design against (leave it empty to choose in the designer&apos;s selection dialog).</source>
        <translation>Wählen Sie die Datenbank, für die entworfen wird (leer lassen, um sie im Auswahldialog des Designers zu wählen).</translation>
    </message>
    <message>
        <source>(choose in the dialog)</source>
        <translation>(im Dialog wählen)</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Datenbank:</translation>
    </message>
    <message>
        <source>2.</source>
        <translation>2.</translation>
    </message>
    <message>
        <source>Call the component&apos;s Execute method to open the designer.</source>
        <translation>Rufen Sie die Methode Execute der Komponente auf, um den Designer zu öffnen.</translation>
    </message>
    <message>
        <source>Call &quot;Execute&quot;</source>
        <translation>„Execute“ aufrufen</translation>
    </message>
    <message>
        <source>Method:</source>
        <translation>Methode:</translation>
    </message>
    <message>
        <source>3.</source>
        <translation>3.</translation>
    </message>
    <message>
        <source>View the resulting SQL (after &quot;Save and Exit&quot; in the designer).</source>
        <translation>Sehen Sie sich das entstandene SQL an (nach „Speichern und beenden“ im Designer).</translation>
    </message>
    <message>
        <source>SQL:</source>
        <translation>SQL:</translation>
    </message>
</context>
<context>
    <name>TQGAboutForm</name>
    <message>
        <source>About...</source>
        <translation>Info...</translation>
    </message>
    <message>
        <source>A visual designer for SELECT, INSERT, UPDATE and DELETE statements.</source>
        <translation>Ein visueller Designer für SELECT-, INSERT-, UPDATE- und DELETE-Anweisungen.</translation>
    </message>
    <message>
        <source>Version %1 — built with Qt %2</source>
        <translation>Version %1 – erstellt mit Qt %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>TQGCanvasCommands</name>
    <message>
        <source>Select All Fields</source>
        <translation>Alle Felder auswählen</translation>
    </message>
    <message>
        <source>Hide All Fields</source>
        <translation>Alle Felder abwählen</translation>
    </message>
    <message>
        <source>Remove Table</source>
        <translation>Tabelle entfernen</translation>
    </message>
    <message>
        <source>Add Field Condition</source>
        <translation>Feldbedingung hinzufügen</translation>
    </message>
    <message>
        <source>Set Field Value</source>
        <translation>Feldwert setzen</translation>
    </message>
    <message>
        <source>Parameter Fill</source>
        <translation>Parameter füllen</translation>
    </message>
    <message>
        <source>Sort by this Field</source>
        <translation>Nach diesem Feld sortieren</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Aufsteigend</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
    <message>
        <source>Rename Alias...</source>
        <translation>Alias umbenennen...</translation>
    </message>
    <message>
        <source>A query in FROM, kept as written:
%1</source>
        <translation>Eine Abfrage in FROM, so belassen, wie sie geschrieben ist:
%1</translation>
    </message>
    <message>
        <source>A query of the WITH clause: %1</source>
        <translation>Eine Abfrage der WITH-Klausel: %1</translation>
    </message>
    <message>
        <source>Place Table</source>
        <translation>Tabelle platzieren</translation>
    </message>
    <message>
        <source>Draw Link</source>
        <translation>Verknüpfung ziehen</translation>
    </message>
    <message>
        <source>Tick Field</source>
        <translation>Feld auswählen</translation>
    </message>
    <message>
        <source>Untick Field</source>
        <translation>Feld abwählen</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>Place Tables</source>
        <translation>Tabellen platzieren</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Rename Alias</source>
        <translation>Alias umbenennen</translation>
    </message>
    <message>
        <source>Alias of %1:</source>
        <translation>Alias von %1:</translation>
    </message>
    <message>
        <source>Move Table</source>
        <translation>Tabelle verschieben</translation>
    </message>
    <message>
        <source>Size Table</source>
        <translation>Tabellengröße ändern</translation>
    </message>
    <message>
        <source>Add Related Tables</source>
        <translation>Verknüpfte Tabellen hinzufügen</translation>
    </message>
    <message>
        <source>%1 references no table that is not on the canvas yet.</source>
        <translation>%1 verweist auf keine Tabelle, die noch nicht im Entwurf liegt.</translation>
    </message>
</context>
<context>
    <name>TQGCanvasHost</name>
    <message>
        <source>You are only allowed to have one table with the builder for INSERT, UPDATE and DELETE queries. For more detailed queries, use the SQL text editor along with the SQL Templates.</source>
        <translation>Für INSERT-, UPDATE- und DELETE-Abfragen ist im Designer nur eine Tabelle erlaubt. Für umfangreichere Abfragen verwenden Sie den SQL-Texteditor zusammen mit den SQL-Vorlagen.</translation>
    </message>
</context>
<context>
    <name>TQGCheckListBox</name>
    <message>
        <source>Group By</source>
        <translation>Gruppieren</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Avg</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
</context>
<context>
    <name>TQGColumnForm</name>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Calculated Field</source>
        <translation>Berechnetes Feld</translation>
    </message>
    <message>
        <source>An expression over the design&apos;s fields, its total and its name</source>
        <translation>Ein Ausdruck über die Felder des Entwurfs, seine Zusammenfassung und sein Name</translation>
    </message>
    <message>
        <source>&amp;Fields</source>
        <translation>&amp;Felder</translation>
    </message>
    <message>
        <source>Double click a field to write it into the expression</source>
        <translation>Doppelklicken Sie auf ein Feld, um es in den Ausdruck zu schreiben</translation>
    </message>
    <message>
        <source>&amp;Expression</source>
        <translation>&amp;Ausdruck</translation>
    </message>
    <message>
        <source>&amp;Total</source>
        <translation>&amp;Zusammenfassung</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Group By</source>
        <translation>Gruppieren</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Average</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Minimum</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <source>Maximum</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <source>Count Distinct</source>
        <translation>Anzahl (eindeutig)</translation>
    </message>
    <message>
        <source>Count of Rows</source>
        <translation>Anzahl der Zeilen</translation>
    </message>
    <message>
        <source>&amp;Name</source>
        <translation>&amp;Name</translation>
    </message>
    <message>
        <source>as the engine names it</source>
        <translation>wie die Datenbank ihn benennt</translation>
    </message>
    <message>
        <source>&amp;Show in the result</source>
        <translation>Im Ergebnis an&amp;zeigen</translation>
    </message>
</context>
<context>
    <name>TQGComparisonForm</name>
    <message>
        <source>Comparison/Join Criteria</source>
        <translation>Vergleichs-/Verknüpfungskriterien</translation>
    </message>
    <message>
        <source>Comparison Details</source>
        <translation>Vergleichsdetails</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Comparison</source>
        <translation>Vergleich</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Value Type</source>
        <translation>Wertart</translation>
    </message>
    <message>
        <source>Data Field</source>
        <translation>Datenfeld</translation>
    </message>
    <message>
        <source>DataSource Parameters</source>
        <translation>Datenquellen-Parameter</translation>
    </message>
    <message>
        <source>Designed Parameters</source>
        <translation>Entworfene Parameter</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(keine)</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Sum</source>
        <translation>Summe</translation>
    </message>
    <message>
        <source>Avg</source>
        <translation>Mittelwert</translation>
    </message>
    <message>
        <source>Min</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>Max</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>Table Name</source>
        <translation>Tabellenname</translation>
    </message>
    <message>
        <source>Field Name</source>
        <translation>Feldname</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Zusammenfassung</translation>
    </message>
    <message>
        <source>Data Source Fields</source>
        <translation>Felder der Datenquelle</translation>
    </message>
    <message>
        <source>(dataset must be active to view)</source>
        <translation>(Datenmenge muss zur Anzeige aktiv sein)</translation>
    </message>
    <message>
        <source>:FieldName</source>
        <translation>:Feldname</translation>
    </message>
    <message>
        <source>:ParameterName</source>
        <translation>:Parametername</translation>
    </message>
    <message>
        <source>Created Parameters</source>
        <translation>Erstellte Parameter</translation>
    </message>
    <message>
        <source>Parameter Name:</source>
        <translation>Parametername:</translation>
    </message>
    <message>
        <source>Comparison Method</source>
        <translation>Vergleichsart</translation>
    </message>
    <message>
        <source>= (Equals)</source>
        <translation>= (Gleich)</translation>
    </message>
    <message>
        <source>&lt;= (Less Than or Equals)</source>
        <translation>&lt;= (Kleiner oder gleich)</translation>
    </message>
    <message>
        <source>&lt; (Less Than)</source>
        <translation>&lt; (Kleiner als)</translation>
    </message>
    <message>
        <source>&gt; (Greater Than)</source>
        <translation>&gt; (Größer als)</translation>
    </message>
    <message>
        <source>&lt;&gt; (Not Equal)</source>
        <translation>&lt;&gt; (Ungleich)</translation>
    </message>
    <message>
        <source>&gt;= (Greater Than or Equals)</source>
        <translation>&gt;= (Größer oder gleich)</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>%1 is not a field of a table in the design. Choose the field from the Data Field list, or correct its name.</source>
        <translation>%1 ist kein Feld einer Tabelle im Entwurf. Wählen Sie das Feld aus der Liste „Datenfeld“ oder korrigieren Sie seinen Namen.</translation>
    </message>
    <message>
        <source>You must enter a valid number.</source>
        <translation>Sie müssen eine gültige Zahl eingeben.</translation>
    </message>
</context>
<context>
    <name>TQGDBNavigator</name>
    <message>
        <source>First record</source>
        <translation>Erster Datensatz</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Vorheriger Datensatz</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Nächster Datensatz</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Letzter Datensatz</translation>
    </message>
    <message>
        <source>Refresh data</source>
        <translation>Daten aktualisieren</translation>
    </message>
    <message>
        <source>Stop reading (Esc)</source>
        <translation>Lesen anhalten (Esc)</translation>
    </message>
</context>
<context>
    <name>TQGDBSelect</name>
    <message>
        <source>Session and Database Select</source>
        <translation>Sitzung und Datenbank auswählen</translation>
    </message>
    <message>
        <source>Select the Database from the List. Alternatively you can also select the Session</source>
        <translation>Wählen Sie die Datenbank aus der Liste. Sie können auch die Sitzung wählen</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Database</source>
        <translation>Datenbank</translation>
    </message>
    <message>
        <source>Database Alias</source>
        <translation>Datenbank-Alias</translation>
    </message>
    <message>
        <source>Driver</source>
        <translation>Treiber</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TQGDataLink</name>
    <message>
        <source>Inner join: only the rows where both tables match</source>
        <translation>Innere Verknüpfung: nur die Zeilen, in denen beide Tabellen übereinstimmen</translation>
    </message>
    <message>
        <source>Left join: every row of %1</source>
        <translation>Linke Verknüpfung: jede Zeile von %1</translation>
    </message>
    <message>
        <source>Right join: every row of %1</source>
        <translation>Rechte Verknüpfung: jede Zeile von %1</translation>
    </message>
    <message>
        <source>Full join: every row of %1 and of %2</source>
        <translation>Vollständige Verknüpfung: jede Zeile von %1 und von %2</translation>
    </message>
    <message>
        <source>Join %1</source>
        <translation>Verknüpfung %1</translation>
    </message>
</context>
<context>
    <name>TQGDesignFromSql</name>
    <message>
        <source>Unknown session name %1</source>
        <translation>Unbekannter Sitzungsname %1</translation>
    </message>
    <message>
        <source>Design from SQL</source>
        <translation>Entwurf aus SQL</translation>
    </message>
</context>
<context>
    <name>TQGDesignLists</name>
    <message>
        <source>Values</source>
        <translation>Werte</translation>
    </message>
    <message>
        <source>FieldName</source>
        <translation>Feldname</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Conditions</source>
        <translation>Bedingungen</translation>
    </message>
    <message>
        <source>Condition</source>
        <translation>Bedingung</translation>
    </message>
    <message>
        <source>boolean Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <source>Sorting</source>
        <translation>Sortierung</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Aufsteigend</translation>
    </message>
    <message>
        <source>(</source>
        <translation>(</translation>
    </message>
    <message>
        <source>)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>Columns</source>
        <translation>Spalten</translation>
    </message>
    <message>
        <source>Column</source>
        <translation>Spalte</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Group By</source>
        <translation>Gruppieren</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Anzeigen</translation>
    </message>
    <message>
        <source>Move Up</source>
        <translation>Nach oben</translation>
    </message>
    <message>
        <source>Move Down</source>
        <translation>Nach unten</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Fill Parameter List</source>
        <translation>Parameterliste füllen</translation>
    </message>
    <message>
        <source>Boolean Operator</source>
        <translation>Logischer Operator</translation>
    </message>
    <message>
        <source>AND</source>
        <translation>AND</translation>
    </message>
    <message>
        <source>OR</source>
        <translation>OR</translation>
    </message>
    <message>
        <source>Ascending Order</source>
        <translation>Aufsteigende Reihenfolge</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>Add Calculated Field</source>
        <translation>Berechnetes Feld hinzufügen</translation>
    </message>
    <message>
        <source>Add Calculated Field...</source>
        <translation>Berechnetes Feld hinzufügen...</translation>
    </message>
    <message>
        <source>Edit Column...</source>
        <translation>Spalte bearbeiten...</translation>
    </message>
    <message>
        <source>Columns as Ticked</source>
        <translation>Spalten wie ausgewählt</translation>
    </message>
    <message>
        <source>Open Parenthesis</source>
        <translation>Klammer öffnen</translation>
    </message>
    <message>
        <source>Close Parenthesis</source>
        <translation>Klammer schließen</translation>
    </message>
    <message>
        <source>NOT</source>
        <translation>NOT</translation>
    </message>
    <message>
        <source>Clear Grouping</source>
        <translation>Gruppierung aufheben</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>The ticked fields, in table order. Add, move or name a column to keep the columns in an order of their own</source>
        <translation>Die ausgewählten Felder in der Reihenfolge der Tabellen. Fügen Sie eine Spalte hinzu, verschieben oder benennen Sie sie, um den Spalten eine eigene Reihenfolge zu geben</translation>
    </message>
    <message>
        <source>Edit Column</source>
        <translation>Spalte bearbeiten</translation>
    </message>
    <message>
        <source>Move Column</source>
        <translation>Spalte verschieben</translation>
    </message>
    <message>
        <source>The condition of a join link: it holds for every row of the result, whatever the other conditions say</source>
        <translation>Die Bedingung einer Verknüpfung: Sie gilt für jede Zeile des Ergebnisses, was auch immer die anderen Bedingungen sagen</translation>
    </message>
    <message>
        <source>Add Row</source>
        <translation>Zeile hinzufügen</translation>
    </message>
    <message>
        <source>Add Condition</source>
        <translation>Bedingung hinzufügen</translation>
    </message>
    <message>
        <source>Set Field Value</source>
        <translation>Feldwert setzen</translation>
    </message>
    <message>
        <source>Sort by Field</source>
        <translation>Nach Feld sortieren</translation>
    </message>
    <message>
        <source>Parameter Fill</source>
        <translation>Parameter füllen</translation>
    </message>
    <message>
        <source>Edit Condition</source>
        <translation>Bedingung bearbeiten</translation>
    </message>
    <message>
        <source>Edit Value</source>
        <translation>Wert bearbeiten</translation>
    </message>
    <message>
        <source>Edit Sorting</source>
        <translation>Sortierung bearbeiten</translation>
    </message>
    <message>
        <source>Remove Row</source>
        <translation>Zeile entfernen</translation>
    </message>
    <message>
        <source>Condition Operator</source>
        <translation>Bedingungsoperator</translation>
    </message>
    <message>
        <source>Sort Direction</source>
        <translation>Sortierrichtung</translation>
    </message>
</context>
<context>
    <name>TQGDesignOptions</name>
    <message>
        <source>Totals On</source>
        <translation>Zusammenfassungen an</translation>
    </message>
    <message>
        <source>Totals Off</source>
        <translation>Zusammenfassungen aus</translation>
    </message>
    <message>
        <source>Distinct Rows</source>
        <translation>Eindeutige Zeilen</translation>
    </message>
    <message>
        <source>Row Limit</source>
        <translation>Zeilenbegrenzung</translation>
    </message>
    <message>
        <source>Return at most this many rows (0: all rows):</source>
        <translation>Höchstens so viele Zeilen liefern (0: alle Zeilen):</translation>
    </message>
    <message>
        <source>Join Properties...</source>
        <translation>Verknüpfungseigenschaften...</translation>
    </message>
    <message>
        <source>Join Type</source>
        <translation>Verknüpfungsart</translation>
    </message>
</context>
<context>
    <name>TQGEditorDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>TQGExportResults</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>CSV-Dateien (*.csv)</translation>
    </message>
    <message>
        <source>JSON files (*.json)</source>
        <translation>JSON-Dateien (*.json)</translation>
    </message>
    <message>
        <source>Export Results</source>
        <translation>Ergebnisse exportieren</translation>
    </message>
    <message>
        <source>There are no results to export: execute a query first.</source>
        <translation>Es gibt keine Ergebnisse zum Exportieren: Führen Sie zuerst eine Abfrage aus.</translation>
    </message>
    <message>
        <source>Cannot create the file %1: %2</source>
        <translation>Die Datei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>Exporting the results...</source>
        <translation>Die Ergebnisse werden exportiert...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Cannot write the file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%L1 rows written, %L2 read so far</source>
        <translation>%L1 Zeilen geschrieben, %L2 bisher gelesen</translation>
    </message>
    <message>
        <source>%L1 of %L2 rows written</source>
        <translation>%L1 von %L2 Zeilen geschrieben</translation>
    </message>
</context>
<context>
    <name>TQGFileCommands</name>
    <message>
        <source>SQL Files (*.sql)</source>
        <translation>SQL-Dateien (*.sql)</translation>
    </message>
    <message>
        <source>Vendrel Query (*.vdq)</source>
        <translation>Vendrel-Abfrage (*.vdq)</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Open SQL File</source>
        <translation>SQL-Datei öffnen</translation>
    </message>
    <message>
        <source>Save SQL File</source>
        <translation>SQL-Datei speichern</translation>
    </message>
    <message>
        <source>Open Query</source>
        <translation>Abfrage öffnen</translation>
    </message>
    <message>
        <source>Save Query</source>
        <translation>Abfrage speichern</translation>
    </message>
</context>
<context>
    <name>TQGForeignKeyForm</name>
    <message>
        <source>Join by Foreign Key</source>
        <translation>Über Fremdschlüssel verknüpfen</translation>
    </message>
    <message>
        <source>%1 and %2 are related by more than one foreign key. Join them by:</source>
        <translation>%1 und %2 sind über mehr als einen Fremdschlüssel verbunden. Verknüpfen über:</translation>
    </message>
    <message>
        <source>Do Not Join</source>
        <translation>Nicht verknüpfen</translation>
    </message>
</context>
<context>
    <name>TQGJoinForm</name>
    <message>
        <source>Join Properties</source>
        <translation>Verknüpfungseigenschaften</translation>
    </message>
    <message>
        <source>Which rows does the join between %1 and %2 give?</source>
        <translation>Welche Zeilen liefert die Verknüpfung zwischen %1 und %2?</translation>
    </message>
    <message>
        <source>Only the rows where %1 and %2 match (inner join)</source>
        <translation>Nur die Zeilen, in denen %1 und %2 übereinstimmen (innere Verknüpfung)</translation>
    </message>
    <message>
        <source>Every row of %1, and the rows of %2 that match (left join)</source>
        <translation>Jede Zeile von %1 und die passenden Zeilen von %2 (linke Verknüpfung)</translation>
    </message>
    <message>
        <source>Every row of %2, and the rows of %1 that match (right join)</source>
        <translation>Jede Zeile von %2 und die passenden Zeilen von %1 (rechte Verknüpfung)</translation>
    </message>
    <message>
        <source>Every row of %1 and every row of %2, matched where they match (full join)</source>
        <translation>Jede Zeile von %1 und jede Zeile von %2, verbunden, wo sie übereinstimmen (vollständige Verknüpfung)</translation>
    </message>
</context>
<context>
    <name>TQGLoginDialog</name>
    <message>
        <source>Database Login</source>
        <translation>Datenbankanmeldung</translation>
    </message>
    <message>
        <source>&amp;User Name:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>&amp;Password:</source>
        <translation>&amp;Passwort:</translation>
    </message>
    <message>
        <source>Database: %1</source>
        <translation>Datenbank: %1</translation>
    </message>
</context>
<context>
    <name>TQGPrinting</name>
    <message>
        <source>No printer is installed. Install a printer to print the SQL statement.</source>
        <translation>Es ist kein Drucker installiert. Installieren Sie einen Drucker, um die SQL-Anweisung zu drucken.</translation>
    </message>
    <message>
        <source>Query Generator SQL Statement</source>
        <translation>SQL-Anweisung des Abfragegenerators</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; cannot be used.</source>
        <translation>Der Drucker „%1“ kann nicht verwendet werden.</translation>
    </message>
    <message>
        <source>The printer &quot;%1&quot; reports no printable page.</source>
        <translation>Der Drucker „%1“ meldet keine druckbare Seite.</translation>
    </message>
    <message>
        <source>The print job could not be started on the printer &quot;%1&quot;.</source>
        <translation>Der Druckauftrag konnte auf dem Drucker „%1“ nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The printing system refused page %1 of the SQL statement.</source>
        <translation>Das Drucksystem hat Seite %1 der SQL-Anweisung abgelehnt.</translation>
    </message>
    <message>
        <source>The printing system could not finish the SQL statement&apos;s print job.</source>
        <translation>Das Drucksystem konnte den Druckauftrag der SQL-Anweisung nicht abschließen.</translation>
    </message>
</context>
<context>
    <name>TQGQueryExecution</name>
    <message>
        <source>Execute Query</source>
        <translation>Abfrage ausführen</translation>
    </message>
    <message numerus="yes">
        <source>Reading: %1 record(s) so far</source>
        <translation>
            <numerusform>Lesen: bisher %1 Datensatz</numerusform>
            <numerusform>Lesen: bisher %1 Datensätze</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 record(s) read, reading stopped: a part of the result</source>
        <translation>
            <numerusform>%1 Datensatz gelesen, Lesen angehalten: ein Teil des Ergebnisses</numerusform>
            <numerusform>%1 Datensätze gelesen, Lesen angehalten: ein Teil des Ergebnisses</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 record(s)</source>
        <translation>
            <numerusform>%1 Datensatz</numerusform>
            <numerusform>%1 Datensätze</numerusform>
        </translation>
    </message>
    <message>
        <source>Executing the SQL statement...</source>
        <translation>Die SQL-Anweisung wird ausgeführt...</translation>
    </message>
    <message>
        <source>The SQL statement has been executed.</source>
        <translation>Die SQL-Anweisung wurde ausgeführt.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message numerus="yes">
        <source>%n row(s) affected.</source>
        <translation>
            <numerusform>%n Zeile betroffen.</numerusform>
            <numerusform>%n Zeilen betroffen.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TQGQueryForm</name>
    <message>
        <source>SQL Query Generator</source>
        <translation>SQL-Abfragegenerator</translation>
    </message>
    <message>
        <source>Designer pages</source>
        <translation>Designer-Seiten</translation>
    </message>
    <message>
        <source>Query Generator</source>
        <translation>Abfragegenerator</translation>
    </message>
    <message>
        <source>SQL</source>
        <translation>SQL</translation>
    </message>
    <message>
        <source>Session: &lt;Session Name&gt;</source>
        <translation>Sitzung: &lt;Sitzungsname&gt;</translation>
    </message>
    <message>
        <source>Database: &lt;Database Name&gt;</source>
        <translation>Datenbank: &lt;Datenbankname&gt;</translation>
    </message>
    <message>
        <source>&lt;#&gt; Table(s)</source>
        <translation>&lt;#&gt; Tabelle(n)</translation>
    </message>
    <message>
        <source>Print Query</source>
        <translation>Abfrage drucken</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
    <message>
        <source>The design has changes that are not saved. Save them?</source>
        <translation>Der Entwurf hat ungespeicherte Änderungen. Sollen sie gespeichert werden?</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Query Type</source>
        <translation>Abfrageart</translation>
    </message>
    <message>
        <source>New Query</source>
        <translation>Neue Abfrage</translation>
    </message>
    <message>
        <source>Session: %1</source>
        <translation>Sitzung: %1</translation>
    </message>
    <message>
        <source>Database: %1</source>
        <translation>Datenbank: %1</translation>
    </message>
    <message>
        <source>Unknown session name %1</source>
        <translation>Unbekannter Sitzungsname %1</translation>
    </message>
    <message>
        <source>Large Icons</source>
        <translation>Große Symbole</translation>
    </message>
    <message>
        <source>Small Icons</source>
        <translation>Kleine Symbole</translation>
    </message>
    <message>
        <source>List</source>
        <translation>Liste</translation>
    </message>
    <message>
        <source>Details</source>
        <translation>Details</translation>
    </message>
    <message>
        <source>Lists</source>
        <translation>Listen</translation>
    </message>
    <message>
        <source>Execute Query</source>
        <translation>Abfrage ausführen</translation>
    </message>
    <message numerus="yes">
        <source>%n Table(s)</source>
        <translation>
            <numerusform>%n Tabelle</numerusform>
            <numerusform>%n Tabellen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>TQGQueryMenus</name>
    <message>
        <source>New Query</source>
        <translation>Neue Abfrage</translation>
    </message>
    <message>
        <source>Open Query</source>
        <translation>Abfrage öffnen</translation>
    </message>
    <message>
        <source>Save Query</source>
        <translation>Abfrage speichern</translation>
    </message>
    <message>
        <source>Print Query</source>
        <translation>Abfrage drucken</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select Query</source>
        <translation>Auswahlabfrage</translation>
    </message>
    <message>
        <source>Insert Query</source>
        <translation>Einfügeabfrage</translation>
    </message>
    <message>
        <source>Update Query</source>
        <translation>Aktualisierungsabfrage</translation>
    </message>
    <message>
        <source>Delete Query</source>
        <translation>Löschabfrage</translation>
    </message>
    <message>
        <source>Execute Query</source>
        <translation>Abfrage ausführen</translation>
    </message>
    <message>
        <source>Save and Exit</source>
        <translation>Speichern und beenden</translation>
    </message>
    <message>
        <source>Cancel and Exit</source>
        <translation>Abbrechen und beenden</translation>
    </message>
    <message>
        <source>Design from SQL</source>
        <translation>Entwurf aus SQL</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Zusammenfassungen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Save and E&amp;xit</source>
        <translation>Speichern und &amp;beenden</translation>
    </message>
    <message>
        <source>Exit &amp;without Saving</source>
        <translation>Beenden &amp;ohne Speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles markieren</translation>
    </message>
    <message>
        <source>&amp;SQL Generator</source>
        <translation>&amp;SQL-Generator</translation>
    </message>
    <message>
        <source>Show Table List</source>
        <translation>Tabellenliste anzeigen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Distinct Rows</source>
        <translation>Eindeutige Zeilen</translation>
    </message>
    <message>
        <source>Row Limit...</source>
        <translation>Zeilenbegrenzung...</translation>
    </message>
    <message>
        <source>Undo Design from SQL</source>
        <translation>Entwurf aus SQL rückgängig machen</translation>
    </message>
    <message>
        <source>&amp;DML Templates</source>
        <translation>DML-&amp;Vorlagen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Info</translation>
    </message>
    <message>
        <source>Execute SQL</source>
        <translation>SQL ausführen</translation>
    </message>
    <message>
        <source>Load...</source>
        <translation>Laden...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>Alles &amp;markieren</translation>
    </message>
    <message>
        <source>Insert Table(s)</source>
        <translation>Tabelle(n) einfügen</translation>
    </message>
    <message>
        <source>Hide Table List</source>
        <translation>Tabellenliste ausblenden</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>%1 rückgängig machen</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>%1 wiederholen</translation>
    </message>
    <message>
        <source>Export Results...</source>
        <translation>Ergebnisse exportieren...</translation>
    </message>
    <message>
        <source>Join Tables by Their Foreign Keys</source>
        <translation>Tabellen über ihre Fremdschlüssel verknüpfen</translation>
    </message>
</context>
<context>
    <name>TQGScrollBox</name>
    <message>
        <source>Design canvas</source>
        <translation>Entwurfsfläche</translation>
    </message>
</context>
<context>
    <name>TQGSortForm</name>
    <message>
        <source>Order by Field</source>
        <translation>Nach Feld sortieren</translation>
    </message>
    <message>
        <source>Sort by Field</source>
        <translation>Nach Feld sortieren</translation>
    </message>
    <message>
        <source>Database Table</source>
        <translation>Datenbanktabelle</translation>
    </message>
    <message>
        <source>Field</source>
        <translation>Feld</translation>
    </message>
    <message>
        <source>Sort Order</source>
        <translation>Sortierreihenfolge</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Aufsteigend</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
</context>
<context>
    <name>TQGSqlEditor</name>
    <message>
        <source>SQL text</source>
        <translation>SQL-Text</translation>
    </message>
</context>
<context>
    <name>TQGStoredWordDelegate</name>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>TQGTableList</name>
    <message>
        <source>Table Name</source>
        <translation>Tabellenname</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Tables</source>
        <translation>Tabellen</translation>
    </message>
    <message>
        <source>Filter tables</source>
        <translation>Tabellen filtern</translation>
    </message>
</context>
<context>
    <name>TQGTemplates</name>
    <message>
        <source>Select</source>
        <translation>Auswahl</translation>
    </message>
    <message>
        <source>Standard Query</source>
        <translation>Standardabfrage</translation>
    </message>
    <message>
        <source>Sub Query</source>
        <translation>Unterabfrage</translation>
    </message>
    <message>
        <source>Exists Query</source>
        <translation>Exists-Abfrage</translation>
    </message>
    <message>
        <source>Not Exists</source>
        <translation>Not Exists</translation>
    </message>
    <message>
        <source>Group By</source>
        <translation>Group By</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Aktualisierung</translation>
    </message>
    <message>
        <source>Standard Update</source>
        <translation>Standardaktualisierung</translation>
    </message>
    <message>
        <source>Update with SubQuery</source>
        <translation>Aktualisierung mit Unterabfrage</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Delete All Records</source>
        <translation>Alle Datensätze löschen</translation>
    </message>
    <message>
        <source>Single Delete</source>
        <translation>Einzelnes Löschen</translation>
    </message>
    <message>
        <source>Conditional Delete</source>
        <translation>Bedingtes Löschen</translation>
    </message>
    <message>
        <source>SubQuery Delete</source>
        <translation>Löschen mit Unterabfrage</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Standard Insert</source>
        <translation>Standardeinfügung</translation>
    </message>
    <message>
        <source>Multiple Record Insert</source>
        <translation>Mehrere Datensätze einfügen</translation>
    </message>
    <message>
        <source>Table Copy Insert</source>
        <translation>Tabelle kopieren</translation>
    </message>
    <message>
        <source>Functions</source>
        <translation>Funktionen</translation>
    </message>
    <message>
        <source>Avg()</source>
        <translation>Avg()</translation>
    </message>
    <message>
        <source>Cast()</source>
        <translation>Cast()</translation>
    </message>
    <message>
        <source>Count()</source>
        <translation>Count()</translation>
    </message>
    <message>
        <source>Max()</source>
        <translation>Max()</translation>
    </message>
    <message>
        <source>Min()</source>
        <translation>Min()</translation>
    </message>
    <message>
        <source>Sum()</source>
        <translation>Sum()</translation>
    </message>
    <message>
        <source>Upper()</source>
        <translation>Upper()</translation>
    </message>
</context>
<context>
    <name>TQGValueForm</name>
    <message>
        <source>Field Value to set...</source>
        <translation>Zu setzender Feldwert...</translation>
    </message>
    <message>
        <source>Set Field Value</source>
        <translation>Feldwert setzen</translation>
    </message>
    <message>
        <source>Comparison Details</source>
        <translation>Vergleichsdetails</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>Value Type</source>
        <translation>Wertart</translation>
    </message>
    <message>
        <source>Designed Parameters</source>
        <translation>Entworfene Parameter</translation>
    </message>
    <message>
        <source>:ParameterName</source>
        <translation>:Parametername</translation>
    </message>
    <message>
        <source>Set Value</source>
        <translation>Wert setzen</translation>
    </message>
    <message>
        <source>Sets the Value</source>
        <translation>Setzt den Wert</translation>
    </message>
    <message>
        <source>Value: </source>
        <translation>Wert: </translation>
    </message>
    <message>
        <source>Created Parameters</source>
        <translation>Erstellte Parameter</translation>
    </message>
    <message>
        <source>Parameter Name:</source>
        <translation>Parametername:</translation>
    </message>
</context>
<context>
    <name>TQGValuePage</name>
    <message>
        <source>Values</source>
        <translation>Werte</translation>
    </message>
    <message>
        <source>Number Value</source>
        <translation>Zahlenwert</translation>
    </message>
    <message>
        <source>String Value</source>
        <translation>Zeichenkette</translation>
    </message>
    <message>
        <source>Date Value</source>
        <translation>Datumswert</translation>
    </message>
    <message>
        <source>Time Value</source>
        <translation>Zeitwert</translation>
    </message>
    <message>
        <source>Logical Value</source>
        <translation>Wahrheitswert</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Zahl</translation>
    </message>
    <message>
        <source>Text</source>
        <translation>Text</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>True</source>
        <translation>Wahr</translation>
    </message>
    <message>
        <source>False</source>
        <translation>Falsch</translation>
    </message>
    <message>
        <source>Value Type</source>
        <translation>Wertart</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
</context>
<context>
    <name>TQGenGrid</name>
    <message>
        <source>Result rows</source>
        <translation>Ergebniszeilen</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Export Results...</source>
        <translation>Ergebnisse exportieren...</translation>
    </message>
</context>
<context>
    <name>TQuery</name>
    <message>
        <source>Cannot perform this operation on an open query</source>
        <translation>Dieser Vorgang ist bei einer geöffneten Abfrage nicht möglich</translation>
    </message>
    <message>
        <source>The query has no database name</source>
        <translation>Die Abfrage hat keinen Datenbanknamen</translation>
    </message>
    <message>
        <source>No SQL statement available</source>
        <translation>Keine SQL-Anweisung vorhanden</translation>
    </message>
    <message>
        <source>The SQL statement does not return rows</source>
        <translation>Die SQL-Anweisung liefert keine Zeilen</translation>
    </message>
    <message>
        <source>The SQL statement has been executed; it does not return rows</source>
        <translation>Die SQL-Anweisung wurde ausgeführt; sie liefert keine Zeilen</translation>
    </message>
    <message>
        <source>The SQL statement changes data; run it as an Insert, Update or Delete query</source>
        <translation>Die SQL-Anweisung ändert Daten; führen Sie sie als Einfüge-, Aktualisierungs- oder Löschabfrage aus</translation>
    </message>
    <message>
        <source>Only one SQL statement can be run at a time</source>
        <translation>Es kann nur eine SQL-Anweisung auf einmal ausgeführt werden</translation>
    </message>
    <message>
        <source>The SQL statement returns rows; run it as a Select Query</source>
        <translation>Die SQL-Anweisung liefert Zeilen; führen Sie sie als Auswahlabfrage aus</translation>
    </message>
    <message>
        <source>The SQL statement was cancelled</source>
        <translation>Die SQL-Anweisung wurde abgebrochen</translation>
    </message>
    <message>
        <source>The SQL statement ran longer than its time-out of %1 s and was cancelled</source>
        <translation>Die SQL-Anweisung lief länger als ihr Zeitlimit von %1 s und wurde abgebrochen</translation>
    </message>
    <message>
        <source>Cannot create file %1: %2</source>
        <translation>Die Datei %1 kann nicht erstellt werden: %2</translation>
    </message>
    <message>
        <source>Cannot open file %1: %2</source>
        <translation>Die Datei %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>Unable to write to %1: %2</source>
        <translation>In %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The database server did not answer the cancel within %1 s; the statement was abandoned and its connection will be closed when the server answers again</source>
        <translation>Der Datenbankserver hat auf den Abbruch nicht innerhalb von %1 s geantwortet; die Anweisung wurde aufgegeben, und ihre Verbindung wird geschlossen, sobald der Server wieder antwortet</translation>
    </message>
</context>
<context>
    <name>TSession</name>
    <message>
        <source>Invalid session name %1</source>
        <translation>Ungültiger Sitzungsname %1</translation>
    </message>
    <message>
        <source>Invalid alias name %1</source>
        <translation>Ungültiger Aliasname %1</translation>
    </message>
    <message>
        <source>A session needs a name</source>
        <translation>Eine Sitzung braucht einen Namen</translation>
    </message>
</context>
<context>
    <name>VdqDesigner</name>
    <message>
        <source>The connection is not valid</source>
        <translation>Die Verbindung ist ungültig</translation>
    </message>
    <message>
        <source>The designer cannot work with the database driver %1</source>
        <translation>Der Designer kann nicht mit dem Datenbanktreiber %1 arbeiten</translation>
    </message>
    <message>
        <source>Design from the Host</source>
        <translation>Entwurf vom Hostprogramm</translation>
    </message>
</context>
<context>
    <name>VdqQueryDesigner</name>
    <message>
        <source>The designer is open already</source>
        <translation>Der Designer ist bereits geöffnet</translation>
    </message>
</context>
</TS>
