#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <mutex>

// Hands work from GStreamer's threads to the thread of a receiver, and nowhere once the receiver has
// detached: work posted before the detach and not yet run is dropped too. A streaming thread only queues the
// call: it never waits for the receiver's thread, so nothing the receiver does can hold a pipeline up.
class MainThreadRelay : public std::enable_shared_from_this<MainThreadRelay>
{
public:
    // Always made shared: a posted call keeps the relay to ask whether it still may run.
    static std::shared_ptr<MainThreadRelay> create(QObject *receiver);

    // From any thread: runs `work` later on the receiver's thread, unless detached by then.
    void post(std::function<void()> work);
    // On the receiver's thread: nothing posted runs after this.
    void detach();

private:
    explicit MainThreadRelay(QObject *receiver);
    bool attached();

    std::mutex m_mutex;
    QObject *m_receiver;
};

using SharedMainThreadRelay = std::shared_ptr<MainThreadRelay>;
