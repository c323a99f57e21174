#pragma once

#include "core/FilePicker.h"

#include <QDBusConnection>
#include <QObject>
#include <QVariantMap>
#include <memory>
#include <optional>

// The XDG desktop portal's file chooser: the desktop's own open-file dialog wherever a portal runs, in a
// sandbox or not. Where no portal answers, `fallback` shows its dialog instead.
//
// The portal answers on a request object of its own, so the signal is subscribed to before the call,
// at the path the portal will use, and the picker waits in a local event loop until it arrives.
class PortalFilePicker : public QObject, public FilePicker
{
    Q_OBJECT

public:
    explicit PortalFilePicker(
        std::unique_ptr<FilePicker> fallback, const QDBusConnection &bus = QDBusConnection::sessionBus());

    QStringList pickFiles(const QString &title, const QList<FileTypeFilter> &filters,
        QStandardPaths::StandardLocation startFolder) override;

signals:
    void answered();

private slots:
    void receiveResponse(uint response, const QVariantMap &results);

private:
    // None when no portal took the request.
    std::optional<QStringList> pickThroughPortal(const QString &title, const QList<FileTypeFilter> &filters,
        QStandardPaths::StandardLocation startFolder);
    bool watchRequest(const QString &path, bool watch);

    std::unique_ptr<FilePicker> m_fallback;
    QDBusConnection m_bus;
    quint64 m_requests = 0;
    std::optional<QStringList> m_chosen;
};
