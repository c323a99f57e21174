#pragma once

#include <QObject>

// A second guard behind the keyboard grab of the break: while locked, every key event that still reaches
// the program is dropped before any window, text field or shortcut sees it. Return, Enter or Space pressed
// alone is told as confirmKeyPressed(), as the grab tells it where it holds the keys itself.
class KeyboardLockGuard : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool locked READ locked WRITE setLocked NOTIFY lockedChanged FINAL)

public:
    explicit KeyboardLockGuard(QObject *parent = nullptr);
    ~KeyboardLockGuard() override;

    bool locked() const { return m_locked; }
    void setLocked(bool locked);

signals:
    void lockedChanged();
    void confirmKeyPressed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_locked = false;
};
