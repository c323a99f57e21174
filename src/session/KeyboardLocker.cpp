#include "session/KeyboardLocker.h"

KeyboardLocker::KeyboardLocker(AccessibilityTrust &trust, std::unique_ptr<KeyboardGrabBackend> backend)
    : m_trust(trust)
    , m_backend(std::move(backend))
{
    m_backend->setOnConfirmKey([this] {
        if (m_isLocked && onConfirmKey)
            onConfirmKey();
    });
    m_backend->setOnHoldChanged([this] {
        if (onHoldChanged)
            onHoldChanged();
    });
}

KeyboardLocker::~KeyboardLocker()
{
    unlock();
}

bool KeyboardLocker::lock()
{
    if (m_isLocked)
        return true;
    if (m_backend->needsInputAccess() && !m_trust.isTrusted())
        return false;
    if (!m_backend->grab([this] { handleEmergencyChord(); }))
        return false;
    m_isLocked = true;
    return true;
}

void KeyboardLocker::unlock()
{
    if (m_isLocked)
        m_backend->release();
    m_isLocked = false;
}

void KeyboardLocker::handleEmergencyChord()
{
    unlock();
    if (onEmergencyUnlock)
        onEmergencyUnlock();
}
