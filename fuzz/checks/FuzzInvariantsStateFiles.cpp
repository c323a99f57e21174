#include "FuzzInvariants.h"
#include "FuzzSupport.h"
#include "InvariantCheck.h"
#include "core/ActiveFocusSessionSnapshot.h"
#include "core/JsonValue.h"
#include "core/Uuid.h"
#include "storage/AppStorageService.h"

#include <QFile>
#include <QJsonArray>

namespace FuzzInvariants {

namespace {

Status checkSnapshot(QByteArrayView input, const QString &folder)
{
    const QString path = AppStorageService::activeFocusSessionPath(folder);
    EXPECT_OR_FAIL(FuzzSupport::writeFile(path, input), path);
    const std::optional<ActiveFocusSessionSnapshot> restored
        = AppStorageService::loadRestorableActiveFocusSession(folder);
    EXPECT_OR_FAIL(FuzzSupport::fileBytes(path) == input, "reading changed the file");

    const Result<QJsonValue> document = FuzzSupport::parsedDocument(input);
    const std::optional<ActiveFocusSessionSnapshot> decoded
        = document ? ActiveFocusSessionSnapshot::fromJson(*document).toOptional() : std::nullopt;
    const bool restorable = decoded && decoded->isRestorable();
    EXPECT_OR_FAIL(restored.has_value() == restorable, restorable);
    if (restored)
        EXPECT_OR_FAIL(*restored == *decoded, "the file and the bytes decode differently");
    if (!decoded)
        return {};

    if (JsonValue::checkFinite(decoded->toJson())) {
        const Result<ActiveFocusSessionSnapshot> reread
            = ActiveFocusSessionSnapshot::fromJson(decoded->toJson());
        EXPECT_OR_FAIL(reread && *reread == *decoded, "the snapshot does not survive its own encoding");
        EXPECT_OR_FAIL(AppStorageService::saveActiveFocusSession(*decoded, folder), "the save failed");
        EXPECT_OR_FAIL(AppStorageService::loadRestorableActiveFocusSession(folder)
                == (restorable ? decoded : std::nullopt),
            "the saved snapshot reads back differently");
    } else {
        EXPECT_OR_FAIL(
            !AppStorageService::saveActiveFocusSession(*decoded, folder), "a non-finite number was saved");
        EXPECT_OR_FAIL(FuzzSupport::fileBytes(path) == input, "a failed save changed the file");
    }
    AppStorageService::clearActiveFocusSession(folder);
    EXPECT_OR_FAIL(!QFile::exists(path), "the snapshot was not cleared");
    return {};
}

Status checkHistory(QByteArrayView input, const QString &folder)
{
    const QString path = AppStorageService::historyPath(folder);
    EXPECT_OR_FAIL(FuzzSupport::writeFile(path, input), path);
    const QList<QUuid> loaded = AppStorageService::loadHistory(folder);
    const Result<QJsonValue> document = FuzzSupport::parsedDocument(input);
    const QList<QUuid> decoded = document
        ? JsonValue::Codec<QList<QUuid>>::decode(*document).toOptional().value_or(QList<QUuid>())
        : QList<QUuid>();
    EXPECT_OR_FAIL(loaded == decoded, loaded << decoded);

    AppStorageService::saveHistory(loaded, folder);
    EXPECT_OR_FAIL(
        AppStorageService::loadHistory(folder) == loaded, "the saved history reads back differently");
    QByteArray expected = "[";
    for (qsizetype i = 0; i < loaded.size(); ++i)
        expected += (i > 0 ? ",\"" : "\"") + Uuid::upperText(loaded[i]).toLatin1() + '"';
    expected += ']';
    EXPECT_OR_FAIL(FuzzSupport::fileBytes(path) == expected, FuzzSupport::fileBytes(path));
    return {};
}

// Every accepted identifier text has one meaning, whatever its case.
Status checkUuidText(QStringView text)
{
    const std::optional<QUuid> id = Uuid::parse(text);
    if (!id)
        return {};
    EXPECT_OR_FAIL(text.size() == 36, text);
    EXPECT_OR_FAIL(Uuid::upperText(*id) == text.toString().toUpper(), text);
    EXPECT_OR_FAIL(Uuid::lowerText(*id) == text.toString().toLower(), text);
    EXPECT_OR_FAIL(Uuid::parse(Uuid::upperText(*id)) == id, text);
    return {};
}

} // namespace

Status stateFiles(QByteArrayView input, const QString &folder)
{
    RETURN_IF_FAILED(checkSnapshot(input, folder));
    RETURN_IF_FAILED(checkHistory(input, folder));
    RETURN_IF_FAILED(checkUuidText(QString::fromUtf8(input)));
    return {};
}

} // namespace FuzzInvariants
