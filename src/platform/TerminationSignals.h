#pragma once

#include <QObject>
#include <QSocketNotifier>

// Turns SIGTERM and SIGINT into a signal of the event loop, so that a polite kill runs the same orderly
// shutdown as the Quit item. The handler only writes a byte into a pipe (the one thing that is safe there).
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested();

private:
    void drain();

    QSocketNotifier *m_notifier = nullptr;
};
