#include "tqgqueryexecution.h"

class TQGQueryExecution::Private
{
};

TQGQueryExecution::TQGQueryExecution(const Controls &, TQuery *, std::function<bool()>,
                                     std::function<TDataSource *()>, QWidget *, QObject *parent)
    : QObject(parent), d(new Private)
{
}

TQGQueryExecution::~TQGQueryExecution() { delete d; }

void TQGQueryExecution::SpeedButton28Click() {}
void TQGQueryExecution::CloseResult() {}
