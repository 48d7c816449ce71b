#pragma once

#include <QString>
#include <QStringList>

// The named parameters (":Name") of a statement, in order of first use, each once (letter
// case ignored): outside strings, quoted names and "--" comments; "::" is a cast.
QStringList SqlParameterNames(const QString &sql);
