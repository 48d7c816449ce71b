#include "tqgprinting.h"

void PrintSqlText(TQGSqlEditor *) {}
int PrintSqlText(TQGSqlEditor *, QPrinter *) { return 0; }
