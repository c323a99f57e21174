#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <limits>

class QWindow;

// A fresh data folder for one test: XDG_DATA_HOME and XDG_CONFIG_HOME point into it,
// so nothing a test does can reach the real home folder.
class TemporaryDataHome
{
public:
    TemporaryDataHome();
    QString path() const { return m_directory.path(); }
    QString filePath(const QString &relative) const { return m_directory.filePath(relative); }

private:
    QTemporaryDir m_directory;
};

// A wall-clock time on the machine's own zone.
inline QDateTime local(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::LocalTime);
}

inline constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// The literals as a list of texts, read as UTF-8, for test tables.
inline QStringList strings(std::initializer_list<const char *> utf8)
{
    QStringList list;
    for (const char *text : utf8)
        list.append(QString::fromUtf8(text));
    return list;
}

QByteArray readFileBytes(const QString &path);
bool writeFileBytes(const QString &path, const QByteArray &bytes);
// Every file below `folder`, hidden ones included, with its bytes.
QMap<QString, QByteArray> fileBytesBelow(const QString &folder);

// Waits until `window` itself has the keyboard focus. QTest::qWaitForWindowActive is not enough for a
// sheet: Qt counts a transient window active while its parent still has the focus, and a key sent to the
// sheet then misses the sheet's window shortcuts.
bool waitForFocus(QWindow *window);
