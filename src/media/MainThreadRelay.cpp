#include "media/MainThreadRelay.h"

#include <QMetaObject>

MainThreadRelay::MainThreadRelay(QObject *receiver)
    : m_receiver(receiver)
{ }

std::shared_ptr<MainThreadRelay> MainThreadRelay::create(QObject *receiver)
{
    return std::shared_ptr<MainThreadRelay>(new MainThreadRelay(receiver));
}

void MainThreadRelay::post(std::function<void()> work)
{
    // Held while posting, so that the receiver cannot be deleted in between; a call still queued when it
    // is deleted is dropped with it.
    const std::lock_guard lock(m_mutex);
    if (!m_receiver)
        return;
    QMetaObject::invokeMethod(
        m_receiver,
        [self = shared_from_this(), work = std::move(work)] {
            if (self->attached())
                work();
        },
        Qt::QueuedConnection);
}

void MainThreadRelay::detach()
{
    const std::lock_guard lock(m_mutex);
    m_receiver = nullptr;
}

bool MainThreadRelay::attached()
{
    const std::lock_guard lock(m_mutex);
    return m_receiver != nullptr;
}
